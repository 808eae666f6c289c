// The tree a report workbook keeps, read as a tree file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "platform/xlsx/model_adapter.h"
#include "platform/xlsx/xlsx_writer.h"
#include "src/component/analysis_sheet.h"
#include "src/editor/tree_file.h"

namespace kivo2d {
namespace {

using ::testing::HasSubstr;

// A workbook as a report leaves it: the report sheet, and when given the analysis in a very
// hidden sheet after it; `spoil` changes the analysis sheet before the workbook is saved.
std::string Workbook(const ReportAnalysis* analysis,
                     void (*spoil)(fb::sheet::Worksheet&) = nullptr) {
  fb::os::MapEnvironment env;
  fb::sheet::Application app{env};
  fb::sheet::Workbook& book = app.workbooks().add();
  fb::sheet::Worksheet& report = book.worksheets().item(1);
  report.range("B3").set_value("№");
  if (analysis != nullptr) {
    fb::sheet::Worksheet& sheet = book.worksheets().add_after(report);
    sheet.set_name(kAnalysisSheetName);
    WriteAnalysisSheet(sheet, *analysis);
    if (spoil != nullptr) spoil(sheet);
    report.activate();
    sheet.set_visible(fb::sheet::SheetVisibility::VeryHidden);
  }
  return fb::xlsx::package_bytes(fb::xlsx::document_from_workbook(book));
}

const ReportAnalysis kAnalysis{
    {{"问题", "A", ""},
     {"人", "A1", "A"},
     {"培训不足", "A11", "A1"},
     {"机", "A2", "A"},
     {"主轴", "A21", "A2"}},
    {DiagramFont::kSong, DiagramSize::kNo4, 5, HeadSide::kRight, false, true, {}, {12, -8}, {}}};

TEST(ReportTree, ReadsTheTreeAndTheChoicesAReportKeeps) {
  const std::string bytes = Workbook(&kAnalysis);
  ASSERT_EQ(DetectFormat(bytes), TreeFormat::kReport);
  const TreeReadResult read = ReadTree(bytes, TreeFormat::kReport);
  ASSERT_TRUE(read.ok()) << read.problems[0].message;
  ASSERT_EQ(read.tree.entries.size(), kAnalysis.nodes.size());
  for (std::size_t i = 0; i < kAnalysis.nodes.size(); ++i) {
    const TreeEntry& entry = read.tree.entries[i];
    EXPECT_EQ(ExchangeNode({entry.caption, entry.key, entry.parent_key}), kAnalysis.nodes[i]);
    EXPECT_EQ(entry.line, static_cast<int>(i) + 2) << "a node's line is its row";
  }
  ASSERT_TRUE(read.choices);
  EXPECT_EQ(*read.choices, kAnalysis.options);
}

TEST(ReportTree, AWorkbookWithoutAReadableTreeSaysWhy) {
  struct Case {
    const char* what;
    std::string bytes;
    int line;
    const char* message_part;
  };
  const Case cases[] = {
      {"no analysis", Workbook(nullptr), 0, "the workbook holds no analysis"},
      {"not a workbook", std::string("PK\x03\x04 and then nothing", 20), 0,
       "the workbook cannot be read: it is not a zip archive"},
      {"too large", std::string(kMaxReportFileBytes + 1, 'P'), 0, "larger than 64 MiB"},
      {"heading changed",
       Workbook(&kAnalysis, [](fb::sheet::Worksheet& s) { s.range("A1").set_text("Captions"); }), 1,
       "is no analysis"},
      {"no nodes", Workbook(&kAnalysis, [](fb::sheet::Worksheet& s) { s.range("A2:C20").clear(); }),
       0, "holds no tree"},
      {"tree broken",
       Workbook(&kAnalysis, [](fb::sheet::Worksheet& s) { s.range("A6").clear_contents(); }), 6,
       "the caption of A21 is empty"},
  };
  for (const Case& c : cases) {
    const TreeReadResult read = ReadReportTree(c.bytes);
    ASSERT_FALSE(read.ok()) << c.what;
    EXPECT_EQ(read.problems[0].line, c.line) << c.what;
    EXPECT_THAT(read.problems[0].message, HasSubstr(c.message_part)) << c.what;
  }
}

}  // namespace
}  // namespace kivo2d
