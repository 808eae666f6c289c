// The report step at the end of the whole pipeline: the shapes of the finished report sheet (the
// flattened diagram with its three charts, the WordArt title, the linked logo) by version, the
// form's cells around them, and a failure inside the step.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sheet/chart/chart.h"
#include "platform/sheet/fault_injection.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/ui/stock_pictures.h"
#include "src/editor/tree_file.h"
#include "src/report/maker_site.h"
#include "tests/src/datasheet/pipeline_host.h"
#include "tests/src/report/report_form_expectations.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;
using fb::sheet::ChartType;
using fb::sheet::DrawingItem;
using fb::sheet::HostOperation;
using fb::sheet::Shape;
using fb::sheet::ShapeKind;
using testing::PipelineHost;
using testing::Tree;

// The tree the layout formulas are explained with.
const Tree kExampleTree = {{"A", "问题"},    {"A1", "人"},     {"A11", "培训不足"},
                           {"A12", "疲劳"},  {"A2", "机"},     {"A21", "主轴"},
                           {"A211", "轴承"}, {"A212", "润滑"}, {"A22", "夹具"}};

Tree SampleTree() {
  std::ifstream in(FB_SAMPLE_FILE, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TreeReadResult read = ReadTree(bytes, TreeFormat::kOutline);
  EXPECT_TRUE(read.ok()) << "the built-in sample reads";
  Tree tree;
  for (const ExchangeNode& node : ToExchangeNodes(read.tree))
    tree.push_back({node.key, node.caption});
  return tree;
}

struct Box {
  double left, top, width, height;
};

void ExpectBox(const Shape& shape, Box box) {
  EXPECT_DOUBLE_EQ(shape.left(), box.left) << shape.name();
  EXPECT_DOUBLE_EQ(shape.top(), box.top) << shape.name();
  EXPECT_DOUBLE_EQ(shape.width(), box.width) << shape.name();
  EXPECT_DOUBLE_EQ(shape.height(), box.height) << shape.name();
}

void ExpectBox(const DrawingItem& item, Box box, const char* what) {
  EXPECT_DOUBLE_EQ(item.left, box.left) << what;
  EXPECT_DOUBLE_EQ(item.top, box.top) << what;
  EXPECT_DOUBLE_EQ(item.width, box.width) << what;
  EXPECT_DOUBLE_EQ(item.height, box.height) << what;
}

// The title's text at 14 points: three ideographs of one em, nine spaces and the Latin letters,
// 19.229 ems; one line of 1.2 ems.
constexpr double kTitleWidth = 14 * 19.229;
constexpr double kTitleHeight = 14 * 1.2;

struct Profile {
  const char* version;
  double column_width;  // B to AA, in characters
  const char* diagram;  // the flattened picture's default name
  Box diagram_box;
  Box members[3];  // PIC1 to PIC3 inside the diagram, from its top-left corner
  const char* title;
  Box title_box;
  const char* logo;
  double logo_left;  // C2
};

// Widths in points of the report's standard font (宋体 12, eight-pixel digits): column A 14.25;
// B to AA 32.25 ("11.0"), 35.25 ("12.0") or 54 (the template's 8.38). Row 8 starts at 120, row 9
// at 140, row 19 at 340. The pictures were pasted at B8 before the sizes changed and moved with
// it; PIC2 and PIC3 were then pasted at F19 and B9 and moved as the version says.
const Profile kProfiles[] = {
    {"11.0",
     4.75,
     "图片 7",
     {14.25 + 6, 120 + 3, 825, 363},
     {{0, 0, 825, 363}, {142.5, 216.25, 170.1, 141.75}, {6, 11.75, 150.25, 341.75}},
     "WordArt 8",
     {489.75 - 0.19 * kTitleWidth - 236.25, 237.75 - 186.75, 1.19 * kTitleWidth,
      0.96 * kTitleHeight},
     "图片 9",
     46.5},
    {"12.0",
     5.25,
     "Picture 1",
     {14.25, 120, 918, 369},
     {{0, 0, 825, 369}, {158, 230, 175, 130}, {6, 11.75, 175, 346}},
     "矩形 8",
     {261, 40, kTitleWidth, kTitleHeight},  // pasted at I3
     "Picture 2",
     49.5},
    {"9.0",
     8.38,
     "Picture 1",
     {14.25, 120, 825, 363},
     {{0, 0, 825, 363}, {216, 220, 170.1, 141.75}, {6, 11.75, 150.25, 341.75}},
     "矩形 8",
     {489.75, 237.75, kTitleWidth, kTitleHeight},
     "Picture 2",
     68.25},
};

TEST(ReportAssembly, ShapesAndCellsOfTheExampleAndTheSampleByVersion) {
  const Tree sample = SampleTree();
  for (const Profile& p : kProfiles) {
    for (const Tree* tree : {&kExampleTree, &sample}) {
      SCOPED_TRACE(std::string(p.version) + (tree == &sample ? " sample" : " example"));
      PipelineHost host(p.version);
      host.Generate(*tree);
      ASSERT_FALSE(host.component().export_failed);
      fb::sheet::Application& app = host.app();

      // The report is the one workbook left, new and unsaved; nothing is left in Temp.
      ASSERT_EQ(app.workbooks().count(), 1);
      fb::sheet::Workbook& report = app.active_workbook();
      EXPECT_EQ(report.name(), "Fishbone Diagram Report1");
      EXPECT_EQ(report.full_name(), "");
      EXPECT_FALSE(report.saved());
      EXPECT_TRUE(fs::is_empty(fb::os::native_path(host.win_dir() + "\\Temp")));
      EXPECT_FALSE(app.clipboard().has_shapes());
      EXPECT_FALSE(app.clipboard().has_cells());
      testing::ExpectReportForm(app, p.column_width);

      fb::sheet::ShapeCollection& shapes = app.active_sheet().shapes();
      ASSERT_EQ(shapes.count(), 3);

      const Shape& diagram = shapes.item(1);
      EXPECT_EQ(diagram.name(), p.diagram);
      EXPECT_EQ(diagram.kind(), ShapeKind::Picture);
      ExpectBox(diagram, p.diagram_box);
      EXPECT_EQ(diagram.rotation, 0);
      // One flat picture of the group of the three chart pictures, in their order.
      ASSERT_NE(diagram.drawing, nullptr);
      ASSERT_EQ(diagram.drawing->items.size(), 1U);
      const auto& group = diagram.drawing->items[0].drawing;
      ASSERT_NE(group, nullptr);
      ASSERT_EQ(group->items.size(), 3U);
      const ChartType charts[] = {ChartType::XYScatterLinesNoMarkers, ChartType::ColumnClustered,
                                  ChartType::BarClustered};
      for (int i = 0; i < 3; ++i) {
        const DrawingItem& member = group->items[static_cast<std::size_t>(i)];
        const std::string what = "PIC" + std::to_string(i + 1);
        ExpectBox(member, p.members[i], what.c_str());
        ASSERT_NE(member.drawing, nullptr) << what;
        ASSERT_FALSE(member.drawing->items.empty()) << what;
        ASSERT_NE(member.drawing->items[0].chart, nullptr) << what;
        EXPECT_EQ(member.drawing->items[0].chart->chart_type(), charts[i]) << what;
      }

      const Shape& title = shapes.item(2);
      EXPECT_EQ(title.name(), p.title);
      EXPECT_EQ(title.kind(), ShapeKind::WordArt);
      ExpectBox(title, p.title_box);
      EXPECT_EQ(title.text_effect,
                (fb::sheet::TextEffect{0, "鱼 骨 图  Cause & Effect / Fishbone Digram",
                                       "Arial Unicode MS", 14, false, false}));
      const std::string version = p.version;
      if (version == "11.0") {
        EXPECT_EQ(title.fill.fore, fb::sheet::ColourChoice::from_scheme(8));
        EXPECT_FALSE(title.line.visible);
        EXPECT_EQ(title.line.fore, fb::sheet::ColourChoice::from_scheme(22));
        EXPECT_EQ(title.shadow_format, (fb::sheet::ShadowFormat{true, 6, -6, -4}));
      }
      EXPECT_EQ(title.fill.visible, version != "12.0");

      const Shape& logo = shapes.item(3);
      EXPECT_EQ(logo.name(), p.logo);
      EXPECT_EQ(logo.kind(), ShapeKind::Picture);
      ASSERT_NE(logo.raster, nullptr);
      // The stock logo is wide: 76.5 wide makes it 24.25 tall, clear of row 3.
      EXPECT_EQ(*logo.raster, fb::ui::product_logo_picture());
      EXPECT_DOUBLE_EQ(logo.left(), p.logo_left);
      EXPECT_DOUBLE_EQ(logo.top(), 20);
      EXPECT_DOUBLE_EQ(logo.width(), 76.5);
      EXPECT_NEAR(logo.height(), 24.25, 1e-9);
      EXPECT_TRUE(logo.lock_aspect_ratio);
      EXPECT_TRUE(logo.transparent_background);
      EXPECT_EQ(logo.transparency_colour, (fb::sheet::Rgb{0, 0, 0}));
      EXPECT_FALSE(logo.fill.visible);
      ASSERT_TRUE(logo.hyperlink.has_value());
      EXPECT_EQ(logo.hyperlink->address, kMakerWebAddress);
    }
  }
}

class ProgressWindow : public fb::ui::Form {
 public:
  explicit ProgressWindow(fb::ui::FormRegistry& forms) : Form(forms, "ProgressGif") {}
};

struct FailureCase {
  const char* name;
  HostOperation operation;
  int nth_call;  // counted from the start of the report step
};

class ReportStepFailure : public ::testing::TestWithParam<FailureCase> {};

// The user's workbook stays open with its changes whether the report workbook existed yet (a
// failing paste) or not (a failing open of the template).
TEST_P(ReportStepFailure, RestoresTheHostAndClosesOnlyTheRunsWorkbooks) {
  const FailureCase& c = GetParam();
  for (const char* version : {"11.0", "12.0"}) {
    SCOPED_TRACE(version);
    PipelineHost host(version);
    fb::sheet::Application& app = host.app();
    fb::sheet::Workbook& mine = app.workbooks().add();
    mine.worksheets().item(1).range("A1").set_value("unsaved work");
    mine.set_saved(false);
    const std::string my_name = mine.name();
    ProgressWindow progress(host.component().forms());
    progress.show();

    host.Generate(kExampleTree, [&](int step) {
      if (step == 13) app.faults().fail_on(c.operation, c.nth_call, 1004, "injected");
    });

    EXPECT_TRUE(host.component().export_failed);
    EXPECT_TRUE(app.visible());
    EXPECT_TRUE(app.screen_updating());
    EXPECT_TRUE(app.display_alerts());
    EXPECT_FALSE(progress.loaded());
    EXPECT_EQ(app.workbooks().find(std::string(kExchangeFileName)), nullptr);
    EXPECT_EQ(app.workbooks().find("Fishbone Diagram Report1"), nullptr);
    ASSERT_EQ(app.workbooks().count(), 1);
    fb::sheet::Workbook& left = app.workbooks().item(1);
    EXPECT_EQ(left.name(), my_name);
    EXPECT_EQ(left.worksheets().item(1).range("A1").text(), "unsaved work");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ReportStepFailure,
    ::testing::Values(FailureCase{"TemplateOpen", HostOperation::WorkbooksOpen, 1},
                      FailureCase{"FirstPaste", HostOperation::Paste, 1},
                      FailureCase{"DiagramPicture", HostOperation::PasteSpecial, 1},
                      FailureCase{"TitleOrLogoPaste", HostOperation::Paste, 4}),
    [](const ::testing::TestParamInfo<FailureCase>& param) {
      return std::string(param.param.name);
    });

}  // namespace
}  // namespace kivo2d
