#include "apps/fishbone/generate_run.h"

#include <ostream>
#include <vector>

#include "apps/fishbone/layout_report.h"
#include "apps/fishbone/same_file.h"
#include "apps/fishbone/tree_input.h"
#include "platform/os/atomic_file.h"
#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/host_profile.h"
#include "platform/sheet/workbook.h"
#include "src/component/panel_words.h"
#include "src/pipeline/run_export.h"

namespace fishbone {

std::optional<std::string> HostVersionOption(const ParsedArgs& parsed, std::string& error) {
  std::string version =
      parsed.Value("--host-version").value_or(std::string(fb::sheet::kV12VersionText));
  if (fb::sheet::host_profile_of(version) == fb::sheet::HostProfile::Other) {
    error = "--host-version takes 11.0 or 12.0, not \"" + version + "\"";
    return std::nullopt;
  }
  return version;
}

namespace {

// Reads a flag's value into `value` when it is one of the table's words. False, with the usage
// message in `error`, when it is none of them; an absent flag leaves `value` as it is.
template <typename Value, std::size_t N>
bool ReadChoice(const ParsedArgs& parsed, std::string_view name,
                const kivo2d::PanelWords<Value, N>& words, Value& value, std::string& error) {
  const auto given = parsed.Value(name);
  if (!given) return true;
  std::string listed;
  for (const auto& [word, of] : words) {
    if (*given == word) {
      value = of;
      return true;
    }
    listed += (listed.empty() ? "" : "|") + std::string(word);
  }
  error = std::string(name) + " takes " + listed + ", not \"" + *given + "\"";
  return false;
}

}  // namespace

kivo2d::GenerationOptions WithoutPictureShifts(kivo2d::GenerationOptions choices) {
  choices.pareto_shift = {};
  choices.top_three_shift = {};
  choices.logo_shift = {};
  return choices;
}

std::optional<kivo2d::GenerationOptions> PanelChoices(const ParsedArgs& parsed, std::string& error,
                                                      const kivo2d::GenerationOptions& base) {
  kivo2d::GenerationOptions choices = base;
  if (!ReadChoice(parsed, "--font", kivo2d::kFontWords, choices.font, error) ||
      !ReadChoice(parsed, "--size", kivo2d::kSizeWords, choices.size, error) ||
      !ReadChoice(parsed, "--wrap", kivo2d::kWrapWords, choices.line_length, error) ||
      !ReadChoice(parsed, "--head", kivo2d::kHeadWords, choices.head, error)) {
    return std::nullopt;
  }
  choices.pareto_chart = base.pareto_chart && !parsed.Has("--no-pareto");
  choices.top_three_chart = base.top_three_chart && !parsed.Has("--no-top-three");
  if (WithoutPictureShifts(choices) != WithoutPictureShifts(base)) {
    choices = WithoutPictureShifts(choices);
  }
  return choices;
}

int GenerateReportFiles(const kivo2d::TreeDocument& tree, std::string_view input_name,
                        const GenerationHostSettings& options, RunOutputs outputs, Io& io) {
  if (const auto problem = PrepareOutputFolders(outputs)) {
    io.err << "fishbone: " << *problem << '\n';
    return kExitFailure;
  }
  try {
    fb::os::ProcessEnvironment process_environment;
    GenerationHost host(process_environment, options);
    RunObserver observer(outputs);
    int last_step = 0;
    // The chart pictures step leaves the fishbone's picture on the clipboard.
    constexpr int kChartPicturesStep = 13;
    std::vector<fb::render::LabelOverlap> overlaps;
    host.component().after_step = [&](int step) {
      last_step = step;
      observer.AfterStep(host.app(), step);
      if (step == kChartPicturesStep && (outputs.layout_report || outputs.report_overlaps)) {
        overlaps = MeasureDiagram(host.app());
      }
    };
    const int status = host.Generate(tree, io);
    if (host.run_failed()) {
      io.err << "fishbone: the run stopped in step " << last_step + 1 << " ("
             << kivo2d::StepName(last_step + 1) << ")\n";
    }
    if (status != kExitOk) return status;
    if (observer.failure()) {
      io.err << "fishbone: " << *observer.failure() << '\n'
             << "fishbone: " << kNotSavedLine << '\n';
      return kExitFailure;
    }
    if (!outputs.report) {
      outputs.report = host.app().active_workbook().name() + ".xlsx";
      if (const auto clash = OutputIsInput(outputs.input, OutputTargets{{*outputs.report}, {}})) {
        io.err << "fishbone: " << *clash << '\n' << "fishbone: " << kNotSavedLine << '\n';
        return kExitFailure;
      }
    }
    if (const auto failure = WriteReport(host.app(), outputs, io)) {
      // The component has already said it succeeded; say plainly that the report is not saved.
      io.err << "fishbone: " << *failure << '\n' << "fishbone: " << kNotSavedLine << '\n';
      return kExitFailure;
    }
    if (outputs.layout_report) {
      // A failure here is a host error naming the file, reported below like any other.
      fb::os::write_file_atomically(*outputs.layout_report,
                                    LayoutReportJson(overlaps, options.choices, tree));
      io.out << "wrote " << outputs.layout_report->string() << '\n';
    }
    observer.MovePicturesIntoPlace();
    if (outputs.report_overlaps && !overlaps.empty()) io.err << OverlapSummary(overlaps) << '\n';
    io.out << input_name << ": " << SummaryText(tree) << '\n';
    return kExitOk;
  } catch (const fb::HostError& failure) {
    io.err << "fishbone: " << failure.description() << '\n';
    return kExitFailure;
  }
}

}  // namespace fishbone
