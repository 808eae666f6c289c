// The import step's caption wrapping and sheet lookup, Weizhi, and the ordering rules of the two
// tables (equal counts), plus the largest tree.
#include <gtest/gtest.h>

#include <string>

#include "platform/sheet/range.h"
#include "src/datasheet/functions.h"
#include "src/datasheet/steps.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::sheet::Value;
using testing::PipelineHost;
using testing::Tree;

std::string Text(fb::sheet::Worksheet& sheet, const std::string& address) {
  return fb::sheet::value_text(sheet.range(address).value());
}

fb::sheet::Worksheet& DataSheet(PipelineHost& host) {
  return host.app().workbooks().item(std::string(kExchangeFileName)).worksheets().item("Sheet2");
}

TEST(WrapCaptions, BreaksCauseCaptionsIntoLinesOfEightUnits) {
  struct Case {
    std::string caption;
    std::string wrapped;
  };
  // "😀" lies outside the Basic Multilingual Plane: two UTF-16 units that stay together.
  const Case cases[] = {
      {"12345678", "12345678"},
      {"一二三四五六七八九", "一二三四五六七八\n九"},
      {"abcdefghijklmnopq", "abcdefgh\nijklmnop\nq"},
      {"abcdefghijklmnop", "abcdefgh\nijklmnop"},
      {"abcdefg😀xyz", "abcdefg😀\nxyz"},
      {"abcdefgh😀", "abcdefgh\n😀"},
  };
  PipelineHost host;
  fb::sheet::Workbook& book = host.app().workbooks().add();
  fb::sheet::Worksheet& sheet = book.worksheets().item(1);
  sheet.range("A2").set_value("主问题的标题很长很长很长很长");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    sheet.cells(static_cast<int>(i) + 3, 1).set_value(cases[i].caption);
  }
  WrapCaptions(host.component());
  EXPECT_EQ(Text(sheet, "A2"), "主问题的标题很长很长很长很长");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(fb::sheet::value_text(sheet.cells(static_cast<int>(i) + 3, 1).value()),
              cases[i].wrapped);
  }
}

// The panel's other line lengths cut the same way, and a character outside the Basic
// Multilingual Plane still moves whole to the next line.
TEST(WrapCaptions, CutsAtTheChosenLineLength) {
  struct Case {
    int line_length;
    std::string caption;
    std::string wrapped;
  };
  const Case cases[] = {
      {5, "12345", "12345"},
      {5, "一二三四五六七八九十一", "一二三四五\n六七八九十\n一"},
      {5, "abcd😀ef", "abcd😀\nef"},
      {10, "一二三四五六七八九十", "一二三四五六七八九十"},
      {10, "abcdefghijklmnopq", "abcdefghij\nklmnopq"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption + " at " + std::to_string(c.line_length));
    PipelineHost host;
    host.component().generation_options.line_length = c.line_length;
    fb::sheet::Worksheet& sheet = host.app().workbooks().add().worksheets().item(1);
    sheet.range("A2").set_value("主问题的标题很长很长很长很长");
    sheet.range("A3").set_value(c.caption);
    WrapCaptions(host.component());
    EXPECT_EQ(Text(sheet, "A2"), "主问题的标题很长很长很长很长");
    EXPECT_EQ(Text(sheet, "A3"), c.wrapped);
  }
}

TEST(SheetExists, ComparesNamesInUpperCase) {
  PipelineHost host;
  fb::sheet::Workbook& book = host.app().workbooks().add();
  book.worksheets().item("Sheet2").set_name("sheet2");
  EXPECT_TRUE(SheetExists(host.component(), "Sheet2"));
  EXPECT_TRUE(SheetExists(host.component(), "SHEET2"));
  EXPECT_FALSE(SheetExists(host.component(), "Sheet9"));
}

TEST(Weizhi, FindsTheKthCellContainingTheText) {
  PipelineHost host;
  fb::sheet::Worksheet& sheet = host.app().workbooks().add().worksheets().item(1);
  sheet.range("K4").set_value(Value(12.0));
  sheet.range("K5").set_value(Value(0.0));
  sheet.range("K6").set_value(Value(2.0));
  sheet.range("K7").set_value(Value(2.0));
  sheet.range("B1").set_value(Value(2.0));
  const fb::sheet::AddinArgument find(sheet.range("B1"));
  const fb::sheet::AddinArgument block(sheet.range("K4:K7"));
  struct Case {
    double k;
    Value address;
  };
  // Containment, not equality: 12 is the first cell that holds a 2.
  const Case cases[] = {{1, Value(std::string("$K$4"))},
                        {2, Value(std::string("$K$6"))},
                        {3, Value(std::string("$K$7"))},
                        {4, Value(std::string())}};
  for (const Case& c : cases) {
    EXPECT_EQ(Functions::Weizhi(find, block, Value(c.k)), c.address) << "k = " << c.k;
  }
  EXPECT_EQ(Functions::Weizhi(find, Value(3.0), Value(1.0)), Value(fb::sheet::ErrorCode::Value));
}

TEST(ParetoTable, EqualCountsKeepTheirOrdinalOrder) {
  PipelineHost host;
  host.GenerateThrough(8, {{"A", "p"},
                           {"A1", "一"},
                           {"A11", "a"},
                           {"A2", "二"},
                           {"A21", "b"},
                           {"A3", "三"},
                           {"A31", "c"},
                           {"A32", "d"}});
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Worksheet& sheet = DataSheet(host);
  EXPECT_EQ(Text(sheet, "I11"), "三");
  EXPECT_EQ(Text(sheet, "I12"), "一");
  EXPECT_EQ(Text(sheet, "I13"), "二");
}

TEST(TopThreeTable, EqualDescendantCountsListBothCauses) {
  PipelineHost host;
  host.GenerateThrough(8, {{"A", "p"},
                           {"A1", "m"},
                           {"A11", "甲"},
                           {"A111", "x"},
                           {"A12", "乙"},
                           {"A121", "y"},
                           {"A13", "丙"}});
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Worksheet& sheet = DataSheet(host);
  EXPECT_EQ(Text(sheet, "V11"), "甲");
  EXPECT_EQ(Text(sheet, "V12"), "乙");
  EXPECT_EQ(Text(sheet, "W11"), "1");
  EXPECT_EQ(Text(sheet, "W12"), "1");
  // A level-2 cause without children is never listed.
  EXPECT_EQ(Text(sheet, "V13"), " ");
}

TEST(LargestTree, FiftyCausesEndOnRows151And152) {
  // Nine main causes; the first holds 42 causes below it, every other one a single child.
  Tree tree = {{"A", "p"}, {"A1", "m1"}};
  for (int i = 1; i <= 9 && tree.size() < 51; ++i) {
    const std::string level2 = "A1" + std::to_string(i);
    tree.emplace_back(level2, level2);
    for (int j = 1; j <= 3; ++j) tree.emplace_back(level2 + std::to_string(j), "c");
  }
  for (int main = 2; main <= 9; ++main) {
    tree.emplace_back("A" + std::to_string(main), "m");
    tree.emplace_back("A" + std::to_string(main) + "1", "c");
  }
  while (tree.size() > 51) tree.erase(tree.begin() + 2);
  ASSERT_EQ(tree.size(), 51u);

  PipelineHost host;
  host.GenerateThrough(8, tree);
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Worksheet& sheet = DataSheet(host);
  EXPECT_TRUE(fb::sheet::is_number(sheet.range("D151").value()));
  EXPECT_TRUE(fb::sheet::is_number(sheet.range("D152").value()));
  EXPECT_TRUE(fb::sheet::is_empty(sheet.range("D153").value()));
  EXPECT_TRUE(fb::sheet::is_empty(sheet.range("D154").value()));
  EXPECT_EQ(Text(sheet, "M11"), "9");
  EXPECT_NE(Text(sheet, "G3").find("[原因总数合计：50个]"), std::string::npos);
}

}  // namespace
}  // namespace kivo2d
