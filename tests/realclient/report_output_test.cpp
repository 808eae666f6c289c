// The report of the built-in sample from the whole pipeline, in both host profiles, written as
// .xlsx, PDF and PNG: the package read back by openpyxl, the page looked at by its pixels.
// FB_KEEP_REPORT=DIR keeps the files there for a person (or check.sh) to look at.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/render/cairo_sink.h"
#include "platform/render/drawing/drawing_renderer.h"
#include "platform/render/image_pixels.h"
#include "platform/render/page/report_page.h"
#include "platform/xlsx/model_adapter.h"
#include "platform/xlsx/xlsx_writer.h"
#include "src/editor/tree_file.h"
#include "src/report/maker_site.h"
#include "tests/src/datasheet/pipeline_host.h"
#include "tests/support/python_reader.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;
using testing::PipelineHost;
using testing::Tree;

Tree SampleTree() {
  std::ifstream in(fs::path(FB_SOURCE_DIR) / "src/resources/sample_analysis.txt", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TreeReadResult read = ReadTree(bytes, TreeFormat::kOutline);
  EXPECT_TRUE(read.ok()) << "the built-in sample reads";
  Tree tree;
  for (const ExchangeNode& node : ToExchangeNodes(read.tree))
    tree.push_back({node.key, node.caption});
  return tree;
}

// argv: the package, the host version. Pictures are read from the drawing's XML, as openpyxl
// needs an imaging library to load them.
constexpr const char* kReadBack = R"PY(
import sys, zipfile, openpyxl, xml.etree.ElementTree as ET
path, version, maker = sys.argv[1], sys.argv[2], sys.argv[3]
wb = openpyxl.load_workbook(path)
assert wb.sheetnames == ["Sheet1"], wb.sheetnames
ws = wb.active
expected_merges = sorted(["T4:U4", "V4:W4", "X4:Y4", "Z4:AA4", "B6:E6", "B7:E7", "F6:M6", "F7:M7",
    "N6:R6", "N7:R7", "S6:W6", "S7:W7", "X6:AA6", "X7:AA7", "B27:Q27", "R27:AA27", "B3:S5"])
merges = sorted(str(r) for r in ws.merged_cells.ranges)
assert merges == expected_merges, merges
texts = {"T4": "审核", "X4": "制作", "B3": "№", "B6": "Month/Year:", "R27": "参与人员：",
         "Y32": "QA-", "B28": 1, "B30": 3, "G29": 5, "L30": 9}
for cell, text in texts.items():
    assert ws[cell].value == text, (cell, ws[cell].value)
assert ws["Y2"].hyperlink.target == maker, ws["Y2"].hyperlink.target
assert ws.row_dimensions[2].height == 20 and ws.row_dimensions[31].height == 10
ps = ws.page_setup
assert ps.orientation == "landscape" and int(ps.paperSize) == 9, (ps.orientation, ps.paperSize)
assert ws.sheet_properties.pageSetUpPr.fitToPage
assert int(ps.fitToWidth) == 1 and int(ps.fitToHeight) == 1
m = ws.page_margins
assert (m.left, m.right, m.top, m.bottom, m.header, m.footer) == (0.4, 0.4, 0.4, 0.4, 0.2, 0.2), m
assert ws.print_options.horizontalCentered and ws.print_options.verticalCentered
assert ws.print_area in (["$B$2:$AA$32"], "'Sheet1'!$B$2:$AA$32", "Sheet1!$B$2:$AA$32"), ws.print_area

ns = {"xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
      "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
      "rel": "http://schemas.openxmlformats.org/package/2006/relationships"}
package = zipfile.ZipFile(path)
drawing = ET.fromstring(package.read("xl/drawings/drawing1.xml"))
rels = {r.get("Id"): r for r in ET.fromstring(
    package.read("xl/drawings/_rels/drawing1.xml.rels")).findall("rel:Relationship", ns)}
shapes = {}
for anchor in drawing.findall("xdr:twoCellAnchor", ns):
    props = anchor.find(".//xdr:cNvPr", ns)
    start, end = anchor.find("xdr:from", ns), anchor.find("xdr:to", ns)
    cell = lambda m: tuple(int(m.find("xdr:" + f, ns).text) for f in ("col", "row", "colOff", "rowOff"))
    link = props.find("a:hlinkClick", ns)
    target = rels[link.get("{%s}id" % ns["r"])].get("Target") if link is not None else None
    kind = "text" if anchor.find("xdr:sp", ns) is not None else "picture"
    shapes[props.get("name")] = (kind, cell(start), cell(end), target)
names = {"11.0": ("图片 7", "WordArt 8"), "12.0": ("Picture 1", "矩形 8")}[version]
diagram, title = shapes.pop(names[0]), shapes.pop(names[1])
(logo_name, logo), = shapes.items()
# Columns and rows from 0, offsets in EMU. The diagram from B8 to the box's far corner AA26,
# overshooting it by two points at most (918 points against 26 columns of 35.25); the title over
# the band in rows 3 to 5; the logo at C2, linked to the maker.
two_points = 2 * 12700
assert diagram[0] == "picture" and diagram[1][:2] == (1, 7) and diagram[3] is None, diagram
end = diagram[2]
assert end[0] == 26 or (end[0] == 27 and end[2] <= two_points), diagram
assert end[1] == 25 or (end[1] == 26 and end[3] <= two_points), diagram
assert title[0] == "text" and title[1][1] >= 2 and title[2][1] <= 4, title
assert logo[0] == "picture" and logo[1] == (2, 1, 0, 0) and logo[3] == maker, (logo_name, logo)
text = "".join(t.text for t in drawing.iter("{%s}t" % ns["a"]))
assert text == "鱼 骨 图  Cause & Effect / Fishbone Digram", text
print("read back")
)PY";

// Pixels of the page at the PNG's two pixels a point.
struct PagePixels {
  fb::render::RgbaPixels pixels;
  const std::uint8_t* at(int x, int y) const {
    return &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
  }
  bool white(int x, int y) const {
    const std::uint8_t* p = at(x, y);
    return p[0] > 245 && p[1] > 245 && p[2] > 245;
  }
  bool red(int x, int y) const {
    const std::uint8_t* p = at(x, y);
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
  }
};

class ReportOutput : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string version = GetParam();
    if (const char* keep = std::getenv("FB_KEEP_REPORT")) {
      folder_ = fs::path(keep) / version;
      keep_ = true;
    } else {
      folder_ = fs::temp_directory_path() /
                ("fishbone-report-" + std::to_string(::getpid()) + "-" + version);
    }
    fs::create_directories(folder_);
  }
  void TearDown() override {
    if (!keep_) fs::remove_all(folder_);
  }

  fs::path folder_;
  bool keep_ = false;
};

TEST_P(ReportOutput, SampleReportWritesAndReadsBack) {
  const std::string version = GetParam();
  PipelineHost host(version);
  host.Generate(SampleTree());
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Workbook& report = host.app().active_workbook();
  fb::sheet::Worksheet& sheet = report.worksheets().item(1);

  const fs::path xlsx = folder_ / "report.xlsx";
  const fs::path pdf = folder_ / "report.pdf";
  const fs::path png = folder_ / "report.png";
  fb::xlsx::save_package(fb::xlsx::document_from_workbook(report, fb::render::render_drawing),
                         xlsx);
  fb::render::write_report_page(sheet, pdf, fb::render::PageFormat::kPdf,
                                fb::render::render_drawing);
  fb::render::write_report_page(sheet, png, fb::render::PageFormat::kPng,
                                fb::render::render_drawing);

  std::ifstream pdf_in(pdf, std::ios::binary);
  std::string head(5, '\0');
  pdf_in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");

  // A4 landscape at two pixels a point; 28.8-point margins stay blank on every side, the page is
  // not blank, and the red rule under row 2 runs across the print area near the top.
  std::ifstream png_in(png, std::ios::binary);
  const std::vector<std::uint8_t> png_bytes((std::istreambuf_iterator<char>(png_in)),
                                            std::istreambuf_iterator<char>());
  const PagePixels page{fb::render::decode_image({fb::render::ImageFormat::kPng, png_bytes})};
  ASSERT_EQ(page.pixels.width, 1684);
  ASSERT_EQ(page.pixels.height, 1191);
  const int margin = 57;  // 28.8 points, less a pixel
  int inked = 0;
  int outside = 0;
  for (int y = 0; y < page.pixels.height; ++y) {
    for (int x = 0; x < page.pixels.width; ++x) {
      if (page.white(x, y)) continue;
      ++inked;
      if (x < margin || y < margin || x >= page.pixels.width - margin ||
          y >= page.pixels.height - margin) {
        ++outside;
      }
    }
  }
  EXPECT_GT(inked, 100000);
  EXPECT_EQ(outside, 0) << "pixels drawn in the margins";
  int rule_row = -1;
  for (int y = margin; y < page.pixels.height / 4 && rule_row < 0; ++y) {
    int red = 0;
    for (int x = 0; x < page.pixels.width; ++x) red += page.red(x, y) ? 1 : 0;
    if (red > page.pixels.width / 2) rule_row = y;
  }
  EXPECT_GE(rule_row, margin) << "no red rule across the top of the form";

  const auto python = fbtest::PythonWith("openpyxl");
  if (!python) GTEST_SKIP() << "no python3 with openpyxl";
  const fs::path script = folder_ / "read_back.py";
  std::ofstream(script) << kReadBack;
  const fbtest::CommandResult result =
      fbtest::RunCommand(*python + " '" + script.string() + "' '" + xlsx.string() + "' " + version +
                         " '" + std::string(kMakerWebAddress) + "'");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("read back"), std::string::npos) << result.output;
}

INSTANTIATE_TEST_SUITE_P(Profiles, ReportOutput, ::testing::Values("11.0", "12.0"),
                         [](const auto& test) {
                           return std::string(test.param) == "11.0" ? "Legacy" : "Current";
                         });

}  // namespace
}  // namespace kivo2d
