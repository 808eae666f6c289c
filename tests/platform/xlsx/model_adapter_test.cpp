#include "platform/xlsx/model_adapter.h"

#include <gtest/gtest.h>

#include "tests/platform/xlsx/report_workbook.h"

namespace fb::xlsx {
namespace {

using sheet::CellAddress;
using sheet::RangeAddress;

const SheetCell* cell_at(const Sheet& s, CellAddress at) {
  for (const auto& c : s.cells) {
    if (c.at == at) return &c;
  }
  return nullptr;
}

TEST(ModelAdapter, TakesValuesFormatsSizesAndMergesFromTheWorkbook) {
  testing::ReportWorkbook report;
  const Document d = document_from_workbook(report.book, {testing::ReportWorkbook::extras()});
  ASSERT_EQ(d.sheets.size(), 3u);  // a new workbook's three sheets
  EXPECT_EQ(d.active_sheet, 0);
  EXPECT_FALSE(d.sheets[1].view.selected);
  const Sheet& s = d.sheets[0];
  EXPECT_EQ(s.name, "Sheet1");
  EXPECT_TRUE(s.view.selected);
  EXPECT_FALSE(s.view.show_gridlines);
  ASSERT_TRUE(s.print_area.has_value());

  // Typed texts became numbers, formulas their results.
  ASSERT_NE(cell_at(s, {28, 2}), nullptr);
  EXPECT_EQ(cell_at(s, {28, 2})->value, sheet::Value(1.0));
  EXPECT_EQ(cell_at(s, {28, 7})->value, sheet::Value(4.0));
  EXPECT_EQ(cell_at(s, {3, 2})->value, sheet::Value(std::string("№")));

  // Every written cell carries its full format: the white sheet, the green field row, the red
  // rule, the font set last.
  const auto& white = d.styles.at(cell_at(s, {32, 25})->style);
  EXPECT_EQ(white.interior.color_index, 2);
  EXPECT_EQ(white.font.name, "Arial");
  const auto& green = d.styles.at(cell_at(s, {6, 10})->style);
  EXPECT_EQ(green.interior.color_index, 43);
  const auto& rule = d.styles.at(cell_at(s, {2, 27})->style).border(sheet::CellEdge::Bottom);
  EXPECT_EQ(rule.color_index, 3);
  EXPECT_EQ(rule.weight, sheet::BorderWeight::Medium);

  // Columns: A narrow, B to AA sized, the rest of the sheet white at the standard width.
  ASSERT_EQ(s.columns.size(), 3u);
  EXPECT_EQ(s.columns[0].first, 1);
  EXPECT_EQ(s.columns[0].last, 1);
  EXPECT_EQ(s.columns[0].width, 1.78);
  EXPECT_EQ(s.columns[1].first, 2);
  EXPECT_EQ(s.columns[1].last, 27);
  EXPECT_EQ(s.columns[1].width, 5.25);
  EXPECT_TRUE(s.columns[1].custom_width);
  EXPECT_EQ(s.columns[2].first, 28);
  EXPECT_EQ(s.columns[2].last, sheet::kMaxColumns);
  EXPECT_FALSE(s.columns[2].custom_width);
  for (const auto& span : s.columns) {
    ASSERT_TRUE(span.style.has_value());
    EXPECT_EQ(d.styles.at(*span.style).interior.color_index, 2);
  }

  EXPECT_EQ(s.rows.at(1).height, 20);
  EXPECT_EQ(s.rows.at(3).height, 10);
  EXPECT_EQ(s.rows.size(), 32u);
  EXPECT_EQ(s.merges, (std::vector<RangeAddress>{{{6, 2}, {6, 5}}, {{3, 2}, {5, 19}}}));
}

// Formats are shared: a hundred white cells give one style, not a hundred.
TEST(ModelAdapter, EqualFormatsShareOneStyle) {
  testing::ReportWorkbook report;
  for (int row = 10; row < 20; ++row) {
    for (int column = 2; column < 12; ++column) report.sheet.cells(row, column).set_value(1.0);
  }
  const Document d = document_from_workbook(report.book);
  const Sheet& s = d.sheets[0];
  EXPECT_EQ(cell_at(s, {10, 2})->style, cell_at(s, {19, 11})->style);
  EXPECT_LE(d.styles.size(), 6u);
}

}  // namespace
}  // namespace fb::xlsx
