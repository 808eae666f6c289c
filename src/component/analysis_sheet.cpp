#include "src/component/analysis_sheet.h"

#include <array>
#include <charconv>
#include <cmath>
#include <functional>

#include "platform/sheet/range.h"
#include "src/component/panel_words.h"

namespace kivo2d {
namespace {

constexpr std::array<std::string_view, 3> kNodeHeading{"Caption", "Key", "ParentKey"};
constexpr int kChoiceColumn = 5;  // E; its value in F
constexpr std::string_view kChoiceHeading = "Choice";
constexpr std::string_view kValueHeading = "Value";

constexpr PanelWords<bool, 2> kYesNoWords{{{"yes", true}, {"no", false}}};

// A shift further than this is no fitting's: the report's page is about 900 points wide.
constexpr double kMaxShift = 2000;

std::string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value);
  return {buffer, result.ptr};
}

// One choice row: its name, its value as text, and the reading of a text into the options
// (false when the text is none of the choice's values).
struct ChoiceRow {
  std::string_view name;
  std::function<std::string(const GenerationOptions&)> write;
  std::function<bool(std::string_view, GenerationOptions&)> read;
  std::string_view expected;  // what the value may be, for a message
};

template <typename Value, std::size_t N>
ChoiceRow WordChoice(std::string_view name, const PanelWords<Value, N>& words,
                     Value GenerationOptions::*field, std::string_view expected) {
  return {name,
          [&words, field](const GenerationOptions& options) {
            return std::string(WordOf(words, options.*field));
          },
          [&words, field](std::string_view text, GenerationOptions& options) {
            for (const auto& [word, value] : words) {
              if (text == word) {
                options.*field = value;
                return true;
              }
            }
            return false;
          },
          expected};
}

ChoiceRow ShiftChoice(std::string_view name, PictureShift GenerationOptions::*shift,
                      double PictureShift::*axis) {
  return {
      name,
      [shift, axis](const GenerationOptions& options) { return NumberText(options.*shift.*axis); },
      [shift, axis](std::string_view text, GenerationOptions& options) {
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
            std::abs(value) > kMaxShift) {
          return false;
        }
        options.*shift.*axis = value;
        return true;
      },
      "a number of points from -2000 to 2000"};
}

const std::vector<ChoiceRow>& ChoiceRows() {
  static const std::vector<ChoiceRow> rows{
      WordChoice("font", kFontWords, &GenerationOptions::font, "fangsong, song or hei"),
      WordChoice("size", kSizeWords, &GenerationOptions::size, "8, 6 or 4"),
      WordChoice("wrap", kWrapWords, &GenerationOptions::line_length, "5, 8 or 10"),
      WordChoice("head", kHeadWords, &GenerationOptions::head, "left or right"),
      WordChoice("pareto", kYesNoWords, &GenerationOptions::pareto_chart, "yes or no"),
      WordChoice("top-three", kYesNoWords, &GenerationOptions::top_three_chart, "yes or no"),
      ShiftChoice("pareto-dx", &GenerationOptions::pareto_shift, &PictureShift::dx),
      ShiftChoice("pareto-dy", &GenerationOptions::pareto_shift, &PictureShift::dy),
      ShiftChoice("top-three-dx", &GenerationOptions::top_three_shift, &PictureShift::dx),
      ShiftChoice("top-three-dy", &GenerationOptions::top_three_shift, &PictureShift::dy),
      ShiftChoice("logo-dx", &GenerationOptions::logo_shift, &PictureShift::dx),
      ShiftChoice("logo-dy", &GenerationOptions::logo_shift, &PictureShift::dy),
  };
  return rows;
}

}  // namespace

void WriteAnalysisSheet(fb::sheet::Worksheet& sheet, const ReportAnalysis& analysis) {
  for (int column = 1; column <= 3; ++column) {
    sheet.cells(1, column).set_text(kNodeHeading[static_cast<std::size_t>(column - 1)]);
  }
  int row = 2;
  for (const ExchangeNode& node : analysis.nodes) {
    sheet.cells(row, 1).set_text(node.caption);
    sheet.cells(row, 2).set_text(node.key);
    sheet.cells(row, 3).set_text(node.parent_key);
    ++row;
  }
  sheet.cells(1, kChoiceColumn).set_text(kChoiceHeading);
  sheet.cells(1, kChoiceColumn + 1).set_text(kValueHeading);
  row = 2;
  for (const ChoiceRow& choice : ChoiceRows()) {
    sheet.cells(row, kChoiceColumn).set_text(choice.name);
    sheet.cells(row, kChoiceColumn + 1).set_text(choice.write(analysis.options));
    ++row;
  }
}

AnalysisReadResult ReadAnalysisSheet(const std::map<fb::sheet::CellAddress, std::string>& cells) {
  const auto text = [&](int row, int column) -> std::string_view {
    const auto found = cells.find({row, column});
    return found == cells.end() ? std::string_view() : std::string_view(found->second);
  };
  AnalysisReadResult result;
  for (int column = 1; column <= 3; ++column) {
    if (text(1, column) != kNodeHeading[static_cast<std::size_t>(column - 1)]) {
      result.problems.push_back(
          {1, "the sheet \"" + std::string(kAnalysisSheetName) +
                  "\" is no analysis: its first row is not \"Caption\", \"Key\", \"ParentKey\""});
      return result;
    }
  }
  for (int row = 2; row <= fb::sheet::kMaxRows; ++row) {
    if (text(row, 1).empty() && text(row, 2).empty() && text(row, 3).empty()) break;
    result.rows.push_back(
        {{std::string(text(row, 1)), std::string(text(row, 2)), std::string(text(row, 3))}, row});
  }
  for (const auto& [at, name] : cells) {
    if (at.column != kChoiceColumn || at.row < 2) continue;
    const int row = at.row;
    for (const ChoiceRow& choice : ChoiceRows()) {
      if (choice.name != name) continue;
      const std::string_view value = text(row, kChoiceColumn + 1);
      if (!choice.read(value, result.options)) {
        result.problems.push_back({row, "the choice " + std::string(name) + " is \"" +
                                            std::string(value) + "\", not " +
                                            std::string(choice.expected)});
      }
    }
  }
  return result;
}

}  // namespace kivo2d
