// The data sheet after the import and hierarchy steps (1 to 4) of the real pipeline: the worked
// example of the nine-node tree, and every reference tree against the values another spreadsheet
// program computed from the same formula texts (tests/data/datasheet).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/sheet/address.h"
#include "tests/src/datasheet/pipeline_host.h"
#include "tests/support/reference_values.h"

namespace kivo2d {
namespace {

using fb::sheet::Value;
using fb::sheet::Worksheet;
using testing::PipelineHost;
using testing::Tree;

constexpr int kLastHierarchyStep = 4;

// The data sheet as the hierarchy step leaves it, the generation workbook still open.
Worksheet& RunThroughHierarchy(PipelineHost& host, const Tree& tree) {
  host.GenerateThrough(kLastHierarchyStep, tree);
  return host.app().workbooks().item(std::string(kExchangeFileName)).worksheets().item("Sheet2");
}

TEST(ImportAndHierarchy, NineNodeTreeGivesTheWorkedTable) {
  PipelineHost host;
  Worksheet& s = RunThroughHierarchy(host, {{"A", "问题"},
                                            {"A2", "b"},
                                            {"A22", "g"},
                                            {"A1", "a"},
                                            {"A11", "c"},
                                            {"A12", "d"},
                                            {"A21", "e"},
                                            {"A211", "h"},
                                            {"A212", "i"}});
  ASSERT_FALSE(host.component().export_failed);
  // Row, then F G H Q T U V Y Z AA.
  const std::vector<std::array<int, 11>> expected = {
      {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 3},  {5, 1, 1, 0, 1, 0, 0, 0, 1, 1, 3},
      {6, 1, 2, 0, 2, 0, 0, 0, 2, 2, 3},  {7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 5},
      {8, 2, 1, 0, 2, 1, 1, 0, 2, 3, 5},  {9, 2, 1, 1, 2, 1, 1, 3, 3, 3, 5},
      {10, 2, 1, 2, 2, 1, 1, 1, 1, 3, 5}, {11, 2, 2, 0, 4, 0, 0, 0, 4, 4, 5}};
  const std::array<const char*, 10> columns = {"F", "G", "H", "Q", "T", "U", "V", "Y", "Z", "AA"};
  for (const auto& row : expected) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::string cell = std::string(columns[i]) + std::to_string(row[0]);
      EXPECT_EQ(s.range(cell).value(), Value(static_cast<double>(row[i + 1]))) << cell;
    }
  }
  EXPECT_EQ(s.range("K9").value(), Value(2.0));
  EXPECT_EQ(s.range("R9").value(), Value(1.0));
  EXPECT_EQ(s.range("S10").value(), Value(1.0));
  EXPECT_EQ(s.range("F12").value(), Value(3.0));
  EXPECT_EQ(s.range("B244").value(), Value(3.0));
  EXPECT_EQ(s.range("E3").value(), Value(std::string("A00000")));
  EXPECT_FALSE(s.range("Q8").has_formula()) << "values are frozen";
}

TEST(ImportAndHierarchy, ReferenceTreesMatchTheOtherEngine) {
  int tree_number = 0;
  int compared = 0;
  for (const auto& tree : fbtest::ReferenceTrees()) {
    ++tree_number;
    PipelineHost host;
    Worksheet& s = RunThroughHierarchy(host, fbtest::ReferenceTreeNodes(tree));
    for (const auto& row : tree.at("stage_a").at("rows")) {
      const int r = row.at("row").get<int>();
      EXPECT_EQ(s.cells(r, 3).value(), Value(row.at("caption").get<std::string>()))
          << "tree " << tree_number << " row " << r;
      for (const auto& [column, value] : row.items()) {
        if (column == "row" || column == "key" || column == "caption") continue;
        const int c = fb::sheet::column_number(column);
        const Value actual = s.cells(r, c).value();
        ++compared;
        EXPECT_TRUE(fbtest::SameValue(actual, fbtest::ReferenceValue(value)))
            << "tree " << tree_number << " " << column << r << ": got "
            << fb::sheet::value_text(actual) << ", expected " << value.dump();
      }
    }
    EXPECT_TRUE(fbtest::SameValue(s.range("B244").value(),
                                  fbtest::ReferenceValue(tree.at("stage_a").at("B244"))));
  }
  EXPECT_EQ(tree_number, 12);
  EXPECT_GT(compared, 5000);
}

}  // namespace
}  // namespace kivo2d
