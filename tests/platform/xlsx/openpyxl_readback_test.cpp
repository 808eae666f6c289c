#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <fstream>
#include <optional>
#include <string>

#include "platform/xlsx/xlsx_writer.h"
#include "tests/platform/os/temp_folder.h"
#include "tests/platform/xlsx/report_workbook.h"
#include "tests/support/python_reader.h"

namespace fb::xlsx {
namespace {

constexpr const char* kReadBack = R"PY(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
assert wb.sheetnames == ["Sheet1", "Sheet2", "Sheet3"], wb.sheetnames
assert ws.title == "Sheet1"
assert ws["B3"].value == "№", ws["B3"].value
assert ws["B28"].value == 1 and ws["G28"].value == 4, (ws["B28"].value, ws["G28"].value)
assert ws["Y32"].value == "QA-"
assert sorted(str(r) for r in ws.merged_cells.ranges) == ["B3:S5", "B6:E6"], ws.merged_cells.ranges
# Arial 10 has 7-pixel digits: 1.78 and 5.25 characters are stored with the cell padding.
assert ws.column_dimensions["A"].width == 2.4921875, ws.column_dimensions["A"].width
assert ws.column_dimensions["B"].width == 5.9609375, ws.column_dimensions["B"].width
assert ws.row_dimensions[1].height == 20 and ws.row_dimensions[3].height == 10
assert ws["J6"].fill.fgColor.rgb == "FF99CC00", ws["J6"].fill.fgColor.rgb
assert ws["AA2"].border.bottom.style == "medium"
assert ws["AA2"].border.bottom.color.rgb == "FFFF0000"
assert ws["Y2"].hyperlink.target == "https://example.org/fishbone"
ps = ws.page_setup
assert ps.orientation == "landscape" and int(ps.paperSize) == 9, (ps.orientation, ps.paperSize)
assert ws.sheet_properties.pageSetUpPr.fitToPage
assert int(ps.fitToWidth) == 1 and int(ps.fitToHeight) == 1
m = ws.page_margins
assert (m.left, m.right, m.top, m.bottom, m.header, m.footer) == (0.4, 0.4, 0.4, 0.4, 0.2, 0.2)
assert ws.print_options.horizontalCentered and ws.print_options.verticalCentered
# Older openpyxl gives the sheet's print areas as a list, newer ones as one reference text.
assert ws.print_area in (["$B$2:$AA$32"], "'Sheet1'!$B$2:$AA$32", "Sheet1!$B$2:$AA$32"), ws.print_area
# Pictures: openpyxl needs an imaging library to load them, so the drawing is read as XML. The
# diagram (a metafile) at B8, the logo (a PNG) at C2, both moving with cells but keeping size.
import zipfile, xml.etree.ElementTree as ET
ns = {"xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
      "a": "http://schemas.openxmlformats.org/drawingml/2006/main"}
package = zipfile.ZipFile(sys.argv[1])
drawing = ET.fromstring(package.read("xl/drawings/drawing1.xml"))
anchors = {}
for anchor in drawing.findall("xdr:twoCellAnchor", ns):
    name = anchor.find(".//xdr:cNvPr", ns).get("name")
    start = anchor.find("xdr:from", ns)
    anchors[name] = (int(start.find("xdr:col", ns).text), int(start.find("xdr:row", ns).text),
                     anchor.get("editAs"))
assert anchors == {"Picture 1": (1, 7, "oneCell"), "Logo": (2, 1, "oneCell")}, anchors
media = sorted(n for n in package.namelist() if n.startswith("xl/media/"))
assert media == ["xl/media/image1.emf", "xl/media/image2.png"], media
assert package.read("xl/media/image1.emf")[40:44] == b" EMF"
print("read back")
)PY";

TEST(OpenpyxlReadBack, ReadsValuesMergesSizesPageSetupAndPrintArea) {
  const auto python = fbtest::PythonWith("openpyxl");
  if (!python) GTEST_SKIP() << "no python3 with openpyxl";
  os::testing::TempFolder folder;
  testing::ReportWorkbook report;
  const auto workbook = folder.path() / "report.xlsx";
  save_package(document_from_workbook(report.book, testing::ReportWorkbook::green_box), workbook);
  const auto script = folder.write("read_back.py", kReadBack);

  const fbtest::CommandResult result =
      fbtest::RunCommand(*python + " '" + script.string() + "' '" + workbook.string() + "'");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("read back"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace fb::xlsx
