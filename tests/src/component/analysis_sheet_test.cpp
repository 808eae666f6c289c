#include "src/component/analysis_sheet.h"

#include <gtest/gtest.h>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"

namespace kivo2d {
namespace {

using Cells = std::map<fb::sheet::CellAddress, std::string>;

class AnalysisSheetTest : public ::testing::Test {
 protected:
  // Every cell of the sheet as a reader of the saved workbook finds it; a cell that is not text
  // fails the test, since another program would take it as a number.
  Cells CellsOfSheet() {
    Cells cells;
    const fb::sheet::CellStore& store = sheet.store();
    for (int column = 1; column <= store.column_count(); ++column) {
      for (int row = 1; row <= store.column_height(column); ++row) {
        const fb::sheet::Cell* cell = store.find({row, column});
        if (cell == nullptr || cell->is_blank()) continue;
        const auto* text = std::get_if<std::string>(&cell->value);
        EXPECT_NE(text, nullptr) << "row " << row << ", column " << column << " is no text";
        if (text != nullptr) cells[{row, column}] = *text;
      }
    }
    return cells;
  }

  fb::os::MapEnvironment env;
  fb::sheet::Application app{env};
  fb::sheet::Worksheet& sheet = app.workbooks().add().worksheets().item(1);
};

TEST_F(AnalysisSheetTest, KeepsTheNodesAndEveryChoiceAsTexts) {
  ReportAnalysis analysis;
  analysis.nodes = {{"0001", "A", ""}, {"=1+1", "A1", "A"}, {"TRUE", "A11", "A1"}};
  analysis.options.font = DiagramFont::kHei;
  analysis.options.size = DiagramSize::kNo8;
  analysis.options.line_length = 10;
  analysis.options.head = HeadSide::kRight;
  analysis.options.top_three_chart = false;
  analysis.options.pareto_shift = {484.25, -224};
  analysis.options.logo_shift = {0.1, 3};
  WriteAnalysisSheet(sheet, analysis);
  const Cells cells = CellsOfSheet();
  EXPECT_EQ(cells.at({1, 1}), "Caption");
  EXPECT_EQ(cells.at({2, 1}), "0001");
  EXPECT_FALSE(cells.contains({2, 3})) << "the main problem has no parent";

  const AnalysisReadResult read = ReadAnalysisSheet(cells);
  EXPECT_TRUE(read.problems.empty());
  ASSERT_EQ(read.rows.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(read.rows[i].node, analysis.nodes[i]);
    EXPECT_EQ(read.rows[i].row, static_cast<int>(i) + 2);
  }
  EXPECT_EQ(read.options, analysis.options);
}

TEST_F(AnalysisSheetTest, ReadsWhatItCanAndNamesTheRowsItCannot) {
  WriteAnalysisSheet(sheet, {{{"问题", "A", ""}, {"人", "A1", "A"}}, {}});
  const Cells written = CellsOfSheet();
  // A choice a later program added is passed over; one that is missing keeps its default.
  Cells later = written;
  later[{2, 6}] = "hei";
  later[{20, 5}] = "colour";
  later[{20, 6}] = "blue";
  later.erase({3, 5});
  later.erase({3, 6});
  const AnalysisReadResult lenient = ReadAnalysisSheet(later);
  EXPECT_TRUE(lenient.problems.empty());
  EXPECT_EQ(lenient.options.font, DiagramFont::kHei);
  EXPECT_EQ(lenient.options.size, DiagramSize::kNo6);

  struct Case {
    const char* what;
    fb::sheet::CellAddress cell;
    const char* text;
    int row;
    const char* message_part;
  };
  const Case cases[] = {
      {"heading", {1, 2}, "Keys", 1, "is no analysis"},
      {"word", {5, 6}, "up", 5, "the choice head is \"up\", not left or right"},
      {"number", {8, 6}, "1e9", 8, "the choice pareto-dx is \"1e9\""},
      {"not a number", {9, 6}, "12pt", 9, "pareto-dy"},
  };
  for (const Case& c : cases) {
    Cells cells = written;
    cells[c.cell] = c.text;
    const AnalysisReadResult read = ReadAnalysisSheet(cells);
    ASSERT_EQ(read.problems.size(), 1u) << c.what;
    EXPECT_EQ(read.problems[0].row, c.row) << c.what;
    EXPECT_NE(read.problems[0].message.find(c.message_part), std::string::npos)
        << c.what << ": " << read.problems[0].message;
  }
}

}  // namespace
}  // namespace kivo2d
