// The whole generation pipeline, run through the host engine on the trees of
// tests/data/datasheet/reference-values.json, compared with the values another spreadsheet
// program computed from the same formula texts: stage A after the hierarchy step, and the final
// layout (Pareto table, top-three table, bone coordinates, head text, axis maximum).
#include "tests/support/reference_values.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "platform/sheet/address.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::sheet::Value;
using nlohmann::json;

std::string Describe(const Value& value) {
  if (fb::sheet::is_empty(value)) return "(empty)";
  if (const auto* text = std::get_if<std::string>(&value)) return "\"" + *text + "\"";
  return fb::sheet::value_text(value);
}

// What differs between a cell value and the reference, if anything.
std::optional<std::string> Mismatch(const Value& actual, const json& expected) {
  if (fbtest::SameValue(actual, fbtest::ReferenceValue(expected))) return std::nullopt;
  return "got " + Describe(actual) + ", expected " + expected.dump();
}

// Collects every mismatch of one tree, so a failure lists them all at once.
class Comparison {
 public:
  explicit Comparison(fb::sheet::Worksheet& sheet) : sheet_(sheet) {}
  void Cell(const std::string& address, const json& expected) {
    if (auto problem = Mismatch(sheet_.range(address).value(), expected)) {
      problems_ += "  " + address + ": " + *problem + "\n";
    }
  }
  const std::string& problems() const { return problems_; }

 private:
  fb::sheet::Worksheet& sheet_;
  std::string problems_;
};

class ReferenceTree : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceTree, PipelineGivesTheReferenceValues) {
  const json& reference = fbtest::ReferenceTrees().at(GetParam());
  testing::PipelineHost host;
  std::string stage_a_problems;

  host.GenerateThrough(8, fbtest::ReferenceTreeNodes(reference), [&](int step) {
    if (step != 4) return;
    Comparison stage_a(host.app().active_sheet());
    for (const json& row : reference["stage_a"]["rows"]) {
      const std::string r = std::to_string(row["row"].get<int>());
      stage_a.Cell("C" + r, row["caption"]);
      stage_a.Cell("D" + r, row["key"]);
      for (const auto& [column, expected] : row.items()) {
        if (column == "row" || column == "key" || column == "caption") continue;
        stage_a.Cell(column + r, expected);
      }
    }
    const json& sentinel = reference["stage_a"]["sentinel"];
    for (const char* column : {"F", "G", "H", "I", "J"}) {
      stage_a.Cell(column + std::to_string(sentinel["row"].get<int>()), sentinel[column]);
    }
    stage_a.Cell("B244", reference["stage_a"]["B244"]);
    stage_a_problems = stage_a.problems();
  });

  EXPECT_FALSE(host.component().export_failed);
  EXPECT_EQ(stage_a_problems, "") << "stage A after the hierarchy step";

  fb::sheet::Worksheet& sheet =
      host.app().workbooks().item(std::string(kExchangeFileName)).worksheets().item("Sheet2");
  Comparison final_layout(sheet);
  // Pareto table: AN..AS of stage A stand in H..M.
  const json& pareto = reference["pareto"];
  final_layout.Cell("I10", pareto["AO10"]);
  final_layout.Cell("J10", pareto["AP10"]);
  final_layout.Cell("K10", pareto["AQ10"]);
  final_layout.Cell("M11", pareto["AS11"]);
  for (const json& row : pareto["rows"]) {
    const std::string r = std::to_string(row["row"].get<int>());
    final_layout.Cell("H" + r, row["AN"]);
    final_layout.Cell("I" + r, row["AO"]);
    final_layout.Cell("J" + r, row["AP"]);
    final_layout.Cell("K" + r, row["AQ"]);
    final_layout.Cell("L" + r, row["AR"]);
  }
  // Top-three table: AX..BD of stage A stand in R..X.
  const json& top = reference["top_three"];
  for (const json& row : top["rows"]) {
    const std::string r = std::to_string(row["row"].get<int>());
    final_layout.Cell("R" + r, row["serial"]);
    final_layout.Cell("S" + r, row["main_index"]);
    final_layout.Cell("T" + r, row["main_caption"]);
    final_layout.Cell("U" + r, row["rank"]);
    final_layout.Cell("V" + r, row["caption"]);
    final_layout.Cell("W" + r, row["count"]);
  }
  final_layout.Cell("X11", top["BD11"]);
  // Bones: start on the node row, end on the row below, in D and E.
  for (const json& bone : reference["bones"]) {
    const int node_row = bone["node_row"].get<int>();
    final_layout.Cell("D" + std::to_string(node_row), bone["start"][0]);
    final_layout.Cell("E" + std::to_string(node_row), bone["start"][1]);
    final_layout.Cell("D" + std::to_string(node_row + 1), bone["end"][0]);
    final_layout.Cell("E" + std::to_string(node_row + 1), bone["end"][1]);
  }
  final_layout.Cell("G3", reference["G3"]);
  final_layout.Cell("M3", reference["M3"]);
  EXPECT_EQ(final_layout.problems(), "") << "final layout";
}

INSTANTIATE_TEST_SUITE_P(AllTrees, ReferenceTree,
                         ::testing::Range(0, static_cast<int>(fbtest::ReferenceTrees().size())));

}  // namespace
}  // namespace kivo2d
