#include <gtest/gtest.h>

#include "platform/xlsx/package_parts.h"
#include "platform/xlsx/sheet_geometry.h"
#include "tests/platform/xlsx/xml_expect.h"

namespace fb::xlsx {
namespace {

using sheet::CellAddress;
using sheet::ErrorCode;
using sheet::RangeAddress;
using testing::part;

const sheet::Font kArial10{"Arial", 10};  // a new workbook's standard font

constexpr const char* kWorksheetOpen =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";

// A small sheet with every kind of value, column and row sizes, a merge, a cell hyperlink, a
// one-page landscape page setup and a drawing.
Document report_like_document() {
  Document d;
  d.styles.resize(2);
  Sheet s;
  s.name = "Report";
  s.cells = {
      {{1, 1}, 1.5, 0},           {{1, 2}, std::string("№"), 1}, {{1, 3}, true, 0},
      {{1, 4}, ErrorCode::NA, 0}, {{2, 2}, sheet::Empty{}, 1},   {{3, 1}, std::string(" lead"), 0},
  };
  s.columns = {{1, 1, 1.78, true, std::nullopt}, {2, 27, 5.25, true, 1}};
  s.rows[1].height = 20;
  s.rows[3] = RowFormat{10, 1};
  s.merges = {RangeAddress{{1, 2}, {2, 3}}};
  s.hyperlinks = {{CellAddress{2, 25}, "https://example.org/fishbone", "", "example.org", ""}};
  s.view = SheetView{true, false, CellAddress{1, 1}};
  PageSetup setup;
  setup.left_margin = setup.right_margin = setup.top_margin = setup.bottom_margin = 28.8;
  setup.header_margin = setup.footer_margin = 14.4;
  setup.center_horizontally = setup.center_vertically = true;
  setup.orientation = Orientation::Landscape;
  setup.zoom = std::nullopt;
  s.page_setup = setup;
  s.drawings.push_back(DrawingItem{"Picture 1", 0, 0, 10, 10, 0, Placement::Move,
                                   PictureContent{ImageFormat::Png, "png", ""}});
  d.sheets.push_back(std::move(s));
  return d;
}

TEST(WorksheetPart, WritesValuesSizesMergesLinksPageSetupAndDrawing) {
  const Document d = report_like_document();
  const PackageLayout layout = plan_package(d);
  SharedStrings strings;
  // Arial 10: 7-pixel digits. 1.78 characters store as 2.4921875, 5.25 as 5.9609375.
  EXPECT_EQ(
      worksheet_xml(d.sheets[0], layout.sheets[0], kArial10, strings),
      part(std::string(kWorksheetOpen) +
           "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"
           "<dimension ref=\"A1:D3\"/>"
           "<sheetViews><sheetView showGridLines=\"0\" tabSelected=\"1\" workbookViewId=\"0\">"
           "<selection activeCell=\"A1\" sqref=\"A1\"/></sheetView></sheetViews>"
           "<sheetFormatPr defaultColWidth=\"9.140625\" defaultRowHeight=\"15\" "
           "customHeight=\"1\"/>"
           "<cols><col min=\"1\" max=\"1\" width=\"2.4921875\" customWidth=\"1\"/>"
           "<col min=\"2\" max=\"27\" width=\"5.9609375\" style=\"1\" customWidth=\"1\"/></cols>"
           "<sheetData>"
           "<row r=\"1\" ht=\"20\" customHeight=\"1\"><c r=\"A1\"><v>1.5</v></c>"
           "<c r=\"B1\" s=\"1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"b\"><v>1</v></c>"
           "<c r=\"D1\" t=\"e\"><v>#N/A</v></c></row>"
           "<row r=\"2\"><c r=\"B2\" s=\"1\"/></row>"
           "<row r=\"3\" s=\"1\" customFormat=\"1\" ht=\"10\" customHeight=\"1\">"
           "<c r=\"A3\" t=\"s\"><v>1</v></c></row>"
           "</sheetData>"
           "<mergeCells count=\"1\"><mergeCell ref=\"B1:C2\"/></mergeCells>"
           "<hyperlinks><hyperlink ref=\"Y2\" r:id=\"rId1\" display=\"example.org\"/></hyperlinks>"
           "<printOptions horizontalCentered=\"1\" verticalCentered=\"1\"/>"
           "<pageMargins left=\"0.4\" right=\"0.4\" top=\"0.4\" bottom=\"0.4\" header=\"0.2\" "
           "footer=\"0.2\"/>"
           "<pageSetup paperSize=\"9\" fitToWidth=\"1\" fitToHeight=\"1\" "
           "orientation=\"landscape\"/>"
           "<drawing r:id=\"rId2\"/>"
           "</worksheet>"));

  // The sheet's texts went to the shared table; a leading blank must survive reading back.
  EXPECT_EQ(shared_strings_xml(strings),
            part("<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                 "count=\"2\" uniqueCount=\"2\"><si><t>№</t></si>"
                 "<si><t xml:space=\"preserve\"> lead</t></si></sst>"));
}

TEST(WorksheetPart, ZoomedPageSetupAndEmptySheet) {
  Sheet s;
  s.name = "Empty";
  s.page_setup = PageSetup{};  // portrait, 100 %, the host's default margins
  SharedStrings strings;
  EXPECT_EQ(worksheet_xml(s, SheetLayout{}, kArial10, strings),
            part(std::string(kWorksheetOpen) +
                 "<dimension ref=\"A1\"/>"
                 "<sheetViews><sheetView workbookViewId=\"0\">"
                 "<selection activeCell=\"A1\" sqref=\"A1\"/></sheetView></sheetViews>"
                 "<sheetFormatPr defaultColWidth=\"9.140625\" defaultRowHeight=\"15\" "
                 "customHeight=\"1\"/>"
                 "<sheetData></sheetData>"
                 "<pageMargins left=\"0.75\" right=\"0.75\" top=\"1\" bottom=\"1\" "
                 "header=\"0.5\" footer=\"0.5\"/>"
                 "<pageSetup paperSize=\"9\" scale=\"100\" orientation=\"portrait\"/>"
                 "</worksheet>"));
}

TEST(WorksheetPart, RepeatedTextsShareOneEntry) {
  Sheet s;
  s.name = "S";
  s.cells = {
      {{1, 1}, std::string("x"), 0}, {{1, 2}, std::string("y"), 0}, {{2, 1}, std::string("x"), 0}};
  SharedStrings strings;
  const std::string xml = worksheet_xml(s, SheetLayout{}, kArial10, strings);
  EXPECT_NE(xml.find("<c r=\"A2\" t=\"s\"><v>0</v></c>"), std::string::npos);
  EXPECT_EQ(strings.texts(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(strings.use_count(), 3u);
}

// Control characters and literal escape sequences in texts must read back as they were.
TEST(SharedStringsPart, EscapesMarkupControlCharactersAndEscapeLookalikes) {
  SharedStrings strings;
  strings.add("a<b>&\"c\"");
  strings.add(std::string("tab\tbell\x07"));
  strings.add("_x0041_ stays");
  strings.add("CR\r\nLF");
  EXPECT_EQ(shared_strings_xml(strings),
            part("<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                 "count=\"4\" uniqueCount=\"4\">"
                 "<si><t>a&lt;b&gt;&amp;&quot;c&quot;</t></si>"
                 "<si><t>tab\tbell_x0007_</t></si>"
                 "<si><t>_x005F_x0041_ stays</t></si>"
                 "<si><t xml:space=\"preserve\">CR_x000D_\nLF</t></si></sst>"));
}

TEST(WorksheetPart, RefusesCellsOutOfOrderAndOverlappingColumns) {
  SharedStrings strings;
  Sheet backwards;
  backwards.name = "S";
  backwards.cells = {{{2, 1}, 1.0, 0}, {{1, 1}, 2.0, 0}};
  EXPECT_THROW(worksheet_xml(backwards, SheetLayout{}, kArial10, strings), std::invalid_argument);
  Sheet twice;
  twice.name = "S";
  twice.cells = {{{1, 1}, 1.0, 0}, {{1, 1}, 2.0, 0}};
  EXPECT_THROW(worksheet_xml(twice, SheetLayout{}, kArial10, strings), std::invalid_argument);
  Sheet overlapping;
  overlapping.name = "S";
  overlapping.columns = {{1, 3, 5, true, std::nullopt}, {3, 4, 6, true, std::nullopt}};
  EXPECT_THROW(worksheet_xml(overlapping, SheetLayout{}, kArial10, strings), std::invalid_argument);
}

TEST(WorksheetPart, NumbersReadBackExactly) {
  Sheet s;
  s.name = "S";
  s.cells = {{{1, 1}, 0.1 + 0.2, 0}, {{1, 2}, -0.0, 0}, {{1, 3}, 1e300, 0}};
  SharedStrings strings;
  const std::string xml = worksheet_xml(s, SheetLayout{}, kArial10, strings);
  EXPECT_NE(xml.find("<v>0.30000000000000004</v>"), std::string::npos);
  EXPECT_NE(xml.find("<c r=\"B1\"><v>0</v>"), std::string::npos);
  EXPECT_NE(xml.find("<v>1e+300</v>"), std::string::npos);
}

}  // namespace
}  // namespace fb::xlsx
