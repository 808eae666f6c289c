#include <gtest/gtest.h>

#include "platform/sheet/number_format.h"
#include "sheet_fixture.h"

namespace fb::sheet {
namespace {

using testing::num;
using testing::SheetTest;
using testing::txt;

TEST_F(SheetTest, TypedTextBecomesWhatTheHostStores) {
  const std::vector<std::pair<std::string, Value>> cases = {
      {"1", num(1)},         {"-2.5", num(-2.5)},     {"1E3", num(1000)},      {"50%", num(0.5)},
      {"TRUE", Value(true)}, {"false", Value(false)}, {"#N/A", ErrorCode::NA}, {"A12", txt("A12")},
      {"1 2", txt("1 2")},   {"inf", txt("inf")},     {"Key’", txt("Key’")},   {"", Empty{}},
  };
  for (const auto& [typed, stored] : cases) {
    put("B2", txt(typed));
    EXPECT_EQ(at("B2"), stored) << typed;
  }
  put("B2", num(3));
  EXPECT_EQ(sheet.range("B2").formula(), "3");
  sheet.range("B2").clear_contents();
  EXPECT_EQ(at("B2"), Value(Empty{}));
}

TEST_F(SheetTest, RangeFormulaIsRelativeToEachCell) {
  for (int r = 1; r <= 3; ++r) sheet.cells(r, 1).set_value(num(r * 10));
  r1c1("B1:B3", "=RC[-1]*2");
  EXPECT_EQ(at("B1"), num(20));
  EXPECT_EQ(at("B3"), num(60));
  EXPECT_EQ(sheet.range("B3").formula_r1c1(), "=RC[-1]*2");
  EXPECT_EQ(sheet.range("B3").formula(), "=A3*2");
  // A value text starting with "=" is a formula; A1 first, R1C1 when it is no A1 formula.
  put("C1", txt("=A1+1"));
  EXPECT_EQ(at("C1"), num(11));
  put("C2", txt("=\"n:\" & RC[-2]"));
  EXPECT_EQ(at("C2"), txt("n:20"));
  EXPECT_EQ(testing::host_error_number([&] { r1c1("D1", "=SUM("); }), 1004);
  // A constant through FormulaR1C1 is typed input.
  r1c1("D1", "1");
  EXPECT_EQ(at("D1"), num(1));
}

TEST_F(SheetTest, EndFindsTheEdgeOfTheData) {
  for (const char* a : {"C3", "C4", "C5", "C9", "D3", "F3"}) put(a, num(1));
  struct Case {
    const char* from;
    Direction direction;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"C65536", Direction::Up, "$C$9"},  {"C9", Direction::Up, "$C$5"},
      {"C5", Direction::Up, "$C$3"},      {"C3", Direction::Down, "$C$5"},
      {"C5", Direction::Down, "$C$9"},    {"C9", Direction::Down, "$C$1048576"},
      {"A3", Direction::ToRight, "$C$3"}, {"C3", Direction::ToRight, "$D$3"},
      {"D3", Direction::ToRight, "$F$3"}, {"F3", Direction::ToLeft, "$D$3"},
      {"B1", Direction::Up, "$B$1"},      {"E65536", Direction::Up, "$E$1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sheet.range(c.from).end(c.direction).address(), c.expected)
        << c.from << " " << static_cast<int>(c.direction);
  }
  EXPECT_EQ(sheet.cells(65536, 3).end(Direction::Up).row(), 9);
}

TEST(NumberFormat, TextShowsTheValueAsItsFormatDoes) {
  struct Case {
    Value value;
    const char* format;
    const char* text;
  };
  const std::vector<Case> cases = {
      {num(0.6667), "0.0%", "66.7%"},
      {num(1), "0.0%", "100.0%"},
      {num(0.335), "0%", "34%"},
      {num(33.333333), "0.00_ ", "33.33 "},
      {num(-50), "0.00_ ", "-50.00 "},
      {num(2.5), "0", "3"},
      {num(1234567.891), "#,##0.00", "1,234,567.89"},
      {num(1.0 / 3), "General", "0.333333333333333"},
      {num(5), "0;(0);\"zero\"", "5"},
      {num(-5), "0;(0)", "(5)"},
      {num(0), "0;(0);\"zero\"", "zero"},
      {txt("abc"), "0.0%", "abc"},
      {Value(true), "0", "TRUE"},
      {ErrorCode::Div0, "0.00", "#DIV/0!"},
      {Empty{}, "0.00", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_value(c.value, c.format), c.text) << c.format;
  }
}

TEST_F(SheetTest, MergedAreaReadsAsItsTopLeftCell) {
  put("B2", txt("NO"));
  put("B3", txt("hidden"));
  sheet.range("B2:B3").merge();
  EXPECT_EQ(at("B2"), txt("NO"));
  EXPECT_EQ(at("B3"), Value(Empty{})) << "only the top-left value survives a merge";
  EXPECT_TRUE(sheet.range("B3").merge_cells());
  EXPECT_EQ(sheet.range("B3").merge_area().address(), "$B$2:$B$3");
  EXPECT_FALSE(sheet.range("B4").merge_cells());
  // A formula one row below reads the hidden cell as empty, which counts as 0.
  r1c1("B4", "=R[-1]C+1");
  EXPECT_EQ(at("B4"), num(1));
  sheet.range("B2:B3").set_merge_cells(false);
  EXPECT_FALSE(sheet.range("B2").merge_cells());
}

TEST_F(SheetTest, FormatsApplyToRangesColumnsAndTheWholeSheet) {
  sheet.cells().interior().set_color_index(2);
  sheet.cells().font().set_name("Arial");
  sheet.cells().font().set_size(8);
  sheet.range("A:A,K:K").set_column_width(1);
  sheet.range("B2:C3").borders().set_line_style(LineStyle::Continuous);
  sheet.range("E5:G7").borders(BorderIndex::EdgeLeft).set_weight(BorderWeight::Medium);
  sheet.range("C2").set_horizontal_alignment(HorizontalAlignment::Center);
  sheet.range("AQ11:AR19").set_number_format_local("0.0%");
  sheet.range("AQ11").set_value(num(0.5));
  EXPECT_EQ(sheet.range("ZZ900").interior().color_index(), 2);
  EXPECT_EQ(sheet.range("ZZ900").interior().pattern(), Pattern::Solid);
  EXPECT_EQ(sheet.range("Q77").font().size(), 8);
  EXPECT_EQ(sheet.range("K1").column_width(), 1);
  EXPECT_NE(sheet.range("L1").column_width(), 1);
  EXPECT_EQ(sheet.range("C3").borders(BorderIndex::EdgeBottom).line_style(), LineStyle::Continuous);
  EXPECT_EQ(sheet.range("D3").borders(BorderIndex::EdgeBottom).line_style(), LineStyle::None);
  EXPECT_EQ(sheet.range("E6").borders(BorderIndex::EdgeLeft).weight(), BorderWeight::Medium);
  EXPECT_EQ(sheet.range("F6").borders(BorderIndex::EdgeLeft).line_style(), LineStyle::None);
  EXPECT_EQ(sheet.range("C2").horizontal_alignment(), HorizontalAlignment::Center);
  EXPECT_EQ(sheet.range("C2").font().size(), 8) << "a cell format keeps the sheet's other parts";
  EXPECT_EQ(sheet.range("AQ11").text(), "50.0%");
  EXPECT_EQ(testing::host_error_number([&] { sheet.range("A1").set_column_width(300); }), 1004);
}

}  // namespace
}  // namespace fb::sheet
