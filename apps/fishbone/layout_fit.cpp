#include "apps/fishbone/layout_fit.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "apps/fishbone/layout_report.h"
#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "src/component/panel_words.h"

namespace fishbone {
namespace {

using kivo2d::GenerationOptions;

// The chart pictures step leaves the fishbone's picture on the clipboard.
constexpr int kChartPicturesStep = 13;

// How far a choice is from the user's: one for each of size, line length and side that differ.
int Distance(const GenerationOptions& a, const GenerationOptions& b) {
  return (a.size != b.size ? 1 : 0) + (a.line_length != b.line_length ? 1 : 0) +
         (a.head != b.head ? 1 : 0);
}

// The overlaps of one layout, or nothing when the run did not get as far as the charts.
std::optional<std::size_t> OverlapsOf(const kivo2d::TreeDocument& tree,
                                      GenerationHostSettings settings,
                                      const GenerationOptions& choices) {
  settings.choices = choices;
  fb::os::ProcessEnvironment environment;
  GenerationHost host(environment, settings);
  std::optional<std::size_t> count;
  host.component().after_step = [&](int step) {
    if (step == kChartPicturesStep) count = MeasureDiagram(host.app()).size();
  };
  std::istringstream no_input;
  std::ostringstream quiet;  // the component's messages belong to the real run
  Io io{no_input, quiet, quiet};
  host.Generate(tree, io);
  return count;
}

}  // namespace

std::optional<LayoutFit> FitLayout(const kivo2d::TreeDocument& tree,
                                   const GenerationHostSettings& settings, bool side_chosen) {
  const GenerationOptions& given = settings.choices;
  std::vector<GenerationOptions> candidates;
  for (const auto& [size_word, size] : kivo2d::kSizeWords) {
    for (const auto& [wrap_word, line_length] : kivo2d::kWrapWords) {
      for (const auto& [head_word, head] : kivo2d::kHeadWords) {
        if (side_chosen && head != given.head) continue;
        GenerationOptions choices = given;
        choices.size = size;
        choices.line_length = line_length;
        choices.head = head;
        candidates.push_back(choices);
      }
    }
  }
  // Nearest first, so that the first of equally good layouts is the one kept.
  std::stable_sort(candidates.begin(), candidates.end(), [&](const auto& a, const auto& b) {
    return Distance(a, given) < Distance(b, given);
  });

  std::optional<LayoutFit> best;
  std::optional<std::size_t> given_overlaps;
  for (const GenerationOptions& choices : candidates) {
    const auto overlaps = OverlapsOf(tree, settings, choices);
    if (!overlaps) continue;
    if (Distance(choices, given) == 0) given_overlaps = overlaps;
    if (!best || *overlaps < best->overlaps) best = LayoutFit{choices, *overlaps, 0, 0};
  }
  if (!best) return std::nullopt;
  best->given_overlaps = given_overlaps.value_or(best->overlaps);
  best->layouts = static_cast<int>(candidates.size());
  return best;
}

std::string ChoiceFlags(const GenerationOptions& choices) {
  return "--size " + std::string(kivo2d::WordOf(kivo2d::kSizeWords, choices.size)) + " --wrap " +
         std::string(kivo2d::WordOf(kivo2d::kWrapWords, choices.line_length)) + " --head " +
         std::string(kivo2d::WordOf(kivo2d::kHeadWords, choices.head));
}

}  // namespace fishbone
