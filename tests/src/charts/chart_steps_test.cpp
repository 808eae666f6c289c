// The charts the pipeline draws on the data sheet (steps 9 to 12), read back from the host's
// chart model, and the pictures step 13 leaves on the clipboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/win_path.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/ui/stock_pictures.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::sheet::AxisGroup;
using fb::sheet::AxisType;
using fb::sheet::Chart;
using fb::sheet::ChartType;
using fb::sheet::Shape;
using testing::PipelineHost;
using testing::Tree;

fb::sheet::Worksheet& DataSheet(PipelineHost& host) {
  return host.app().workbooks().item(std::string(kExchangeFileName)).worksheets().item("Sheet2");
}

// The chart object created n-th on the data sheet.
Shape& ChartObject(PipelineHost& host, int n) {
  return DataSheet(host).chart_objects().item(n);
}

double Number(fb::sheet::Worksheet& sheet, const std::string& address) {
  return std::get<double>(sheet.range(address).value());
}

// A tree with `main_causes` main causes, each with `children` second-level causes.
Tree Broad(int main_causes, int children) {
  Tree tree = {{"A", "问题"}};
  for (int i = 1; i <= main_causes; ++i) {
    const std::string key = "A" + std::to_string(i);
    tree.push_back({key, "主因" + std::to_string(i)});
    for (int j = 1; j <= children; ++j) {
      tree.push_back({key + std::to_string(j), "次因" + std::to_string(i) + std::to_string(j)});
    }
  }
  return tree;
}

TEST(Fishbone, TwoCausesGiveFivePointsLabelledAtTheOuterEnds) {
  PipelineHost host;
  host.GenerateThrough(9, {{"A", "问题"}, {"A1", "人员"}, {"A11", "培训不足"}});
  ASSERT_FALSE(host.component().export_failed);
  const Chart& chart = ChartObject(host, 1).chart();
  EXPECT_EQ(chart.chart_type(), ChartType::XYScatterLinesNoMarkers);
  ASSERT_EQ(chart.series_count(), 1);
  const fb::sheet::Series& bones = chart.series(1);
  EXPECT_EQ(bones.formula_r1c1(), "=SERIES(,Sheet2!R4C4:R8C4,Sheet2!R4C5:R8C5,1)");
  const auto points = bones.points();
  ASSERT_EQ(points.size(), 5U);
  // Start and end of A1, the gap row, start and end of A11.
  // Point p is sheet row p+3; the gap row between the two bones stays empty.
  fb::sheet::Worksheet& sheet = DataSheet(host);
  for (int p = 1; p <= 5; ++p) {
    EXPECT_EQ(points[p - 1].x, sheet.range("D" + std::to_string(p + 3)).value()) << p;
    EXPECT_EQ(points[p - 1].y, sheet.range("E" + std::to_string(p + 3)).value()) << p;
  }
  EXPECT_EQ(points[0].x, fb::sheet::Value(0.0));
  EXPECT_EQ(points[1].y, fb::sheet::Value(100.0));
  EXPECT_TRUE(fb::sheet::is_empty(points[2].y));
  const std::vector<std::optional<std::string>> labels = {std::nullopt, "人员", std::nullopt,
                                                          std::nullopt, "培训不足"};
  for (int p = 1; p <= 5; ++p) EXPECT_EQ(bones.label_text(p), labels[p - 1]) << "point " << p;

  const fb::sheet::Axis& y = chart.axes(AxisType::ValueAxis);
  EXPECT_EQ(y.minimum, -110);
  EXPECT_EQ(y.maximum, 110);
  EXPECT_EQ(y.tick_label_position, fb::sheet::TickLabelPosition::None);
  EXPECT_FALSE(y.has_major_gridlines);
  const fb::sheet::Axis& x = chart.axes(AxisType::CategoryAxis);
  EXPECT_EQ(x.minimum, -10);
  EXPECT_EQ(x.maximum, Number(DataSheet(host), "M3"));
  EXPECT_FALSE(chart.has_legend);
  EXPECT_EQ(chart.plot_area.fill.pattern, fb::sheet::OfficePattern::LargeGrid);
}

TEST(Fishbone, WrappedCaptionKeepsItsLineFeedsInTheLabel) {
  PipelineHost host;
  host.GenerateThrough(9, {{"A", "P"}, {"A1", "设备老化严重维护不及时"}, {"A11", "x"}});
  ASSERT_FALSE(host.component().export_failed);
  const auto label = ChartObject(host, 1).chart().series(1).label_text(2);
  ASSERT_TRUE(label.has_value());
  EXPECT_NE(label->find('\n'), std::string::npos) << *label;
  EXPECT_EQ(*label, fb::sheet::value_text(DataSheet(host).range("C4").value()));
}

TEST(Fishbone, EveryCauseOfTheNineNodeTreeIsLabelledOnce) {
  PipelineHost host;
  const Tree tree = {{"A", "问题"},    {"A1", "人"},     {"A11", "培训不足"},
                     {"A12", "疲劳"},  {"A2", "机"},     {"A21", "主轴"},
                     {"A211", "轴承"}, {"A212", "润滑"}, {"A22", "夹具"}};
  host.GenerateThrough(9, tree);
  ASSERT_FALSE(host.component().export_failed);
  const fb::sheet::Series& bones = ChartObject(host, 1).chart().series(1);
  // Cause j ends at point 3j-1; in key order as the data sheet lists them.
  const std::vector<std::string> captions = {"人",   "培训不足", "疲劳", "机",
                                             "主轴", "轴承",     "润滑", "夹具"};
  std::vector<std::string> shown;
  for (int p = 1; p <= bones.point_count(); ++p) {
    if (auto label = bones.label_text(p)) {
      EXPECT_EQ(p % 3, 2) << "label on point " << p;
      shown.push_back(*label);
    }
  }
  EXPECT_EQ(shown, captions);
}

TEST(Fishbone, WidthAfterTheFirstStepFollowsTheVersion) {
  for (const char* version : {"11.0", "12.0"}) {
    PipelineHost host(version);
    host.GenerateThrough(9, {{"A", "P"}, {"A1", "a"}, {"A11", "b"}});
    ASSERT_FALSE(host.component().export_failed) << version;
    // Scaled three times the new chart's 360 points, widened to 1480 only in the newer profile.
    EXPECT_EQ(ChartObject(host, 1).width(), std::string(version) == "12.0" ? 1480 : 1080);
    EXPECT_EQ(ChartObject(host, 1).height(), 864);
  }
}

struct HeadCase {
  const char* version;
  const char* text_box;
  double box_left;
  double logo_top;
};

class HeadAndSpine : public ::testing::TestWithParam<HeadCase> {};

TEST_P(HeadAndSpine, FinalSizeSpineHeadBoxAndLogo) {
  const HeadCase& c = GetParam();
  PipelineHost host(c.version);
  host.GenerateThrough(10,
                       {{"A", "主轴振动"}, {"A1", "a"}, {"A11", "b"}, {"A2", "c"}, {"A21", "d"}});
  ASSERT_FALSE(host.component().export_failed);
  Shape& object = ChartObject(host, 1);
  EXPECT_EQ(object.width(), 825);
  EXPECT_EQ(object.height(), 363);
  const Chart& chart = object.chart();
  EXPECT_EQ(chart.axes(AxisType::CategoryAxis).minimum, -250);
  EXPECT_EQ(chart.axes(AxisType::CategoryAxis).maximum, Number(DataSheet(host), "M3"));

  ASSERT_EQ(chart.series_count(), 2);
  const fb::sheet::Series& spine = chart.series(2);
  const auto points = spine.points();
  ASSERT_EQ(points.size(), 2U);
  EXPECT_EQ(points[0].x, fb::sheet::Value(-249.0));
  EXPECT_EQ(points[1].x, fb::sheet::Value(-50.0));
  EXPECT_EQ(points[0].y, fb::sheet::Value(0.0));
  EXPECT_EQ(spine.border.weight, fb::sheet::BorderWeight::Thick);
  EXPECT_EQ(spine.border.color_index, 19);

  ASSERT_EQ(chart.shapes().count(), 2);
  const Shape& box = chart.shapes().item(1);
  EXPECT_EQ(box.name(), c.text_box);
  EXPECT_EQ(box.left(), c.box_left);
  EXPECT_EQ(box.top(), 30);
  EXPECT_EQ(box.width(), 75);
  EXPECT_EQ(box.height(), 75);
  EXPECT_EQ(box.text(), "问题:\n主轴振动\n[原因总数合计：4个]");
  EXPECT_EQ(box.fill.transparency, 0.5);
  EXPECT_EQ(box.text_font.name, "Arial");
  EXPECT_EQ(box.text_font.size, 8);
  // The later Arial wins over the Chinese font, and the chart area is left without a fill.
  EXPECT_EQ(chart.chart_area.font,
            (fb::sheet::ChartFont{"Arial", 6, false, fb::sheet::kColorIndexAutomatic}));
  EXPECT_FALSE(chart.chart_area.auto_scale_font);
  EXPECT_EQ(chart.chart_area.interior.color_index, fb::sheet::kColorIndexNone);

  const Shape& logo = chart.shapes().item(2);
  EXPECT_EQ(logo.kind(), fb::sheet::ShapeKind::Picture);
  ASSERT_NE(logo.raster, nullptr);
  // The saved logo comes back as drawn: wide, so 76.5 wide makes it 24.25 tall.
  EXPECT_EQ(*logo.raster, fb::ui::product_logo_picture());
  EXPECT_EQ(logo.width(), 76.5);
  EXPECT_NEAR(logo.height(), 24.25, 1e-9);
  EXPECT_EQ(logo.left(), 660);
  EXPECT_EQ(logo.top(), c.logo_top);
  EXPECT_TRUE(logo.transparent_background);
  EXPECT_EQ(logo.transparency_colour, (fb::sheet::Rgb{0, 0, 0}));
  EXPECT_FALSE(std::filesystem::exists(fb::os::native_path(host.win_dir() + "\\Temp\\~l$go.gif")));
}

INSTANTIATE_TEST_SUITE_P(Versions, HeadAndSpine,
                         ::testing::Values(HeadCase{"11.0", "Text 1", 150, 290},
                                           HeadCase{"12.0", "TextBox 1", 170, 250},
                                           HeadCase{"13.0", "TextBox 1", 170, 0}));

class ParetoChart : public ::testing::TestWithParam<int> {};

TEST_P(ParetoChart, SeriesCoverTheTableOfNMainCauses) {
  const int n = GetParam();
  PipelineHost host;
  host.GenerateThrough(11, Broad(n, 1));
  ASSERT_FALSE(host.component().export_failed);
  Shape& object = ChartObject(host, 2);
  EXPECT_EQ(object.width(), 170.1);
  EXPECT_EQ(object.height(), 141.75);
  Chart& chart = object.chart();
  const std::string last = std::to_string(10 + n);
  // A single cell reads as one cell, without a range.
  const std::string columns =
      n == 1 ? "R11C9,Sheet2!R11C10" : "R11C9:R" + last + "C9,Sheet2!R11C10:R" + last + "C10";
  EXPECT_EQ(chart.series(1).formula_r1c1(), "=SERIES(,Sheet2!" + columns + ",1)");
  EXPECT_EQ(chart.series(2).formula_r1c1(), "=SERIES(,,Sheet2!R10C12:R" + last + "C12,1)");
  EXPECT_EQ(chart.series_type(chart.series(2)), ChartType::LineMarkers);
  EXPECT_EQ(chart.series(2).axis_group(), AxisGroup::Secondary);
  EXPECT_EQ(chart.series(1).point_count(), n);
  EXPECT_EQ(chart.series(2).point_count(), n + 1);
  // The 100 % point and the empty starting cell show no label.
  EXPECT_EQ(chart.series(2).label_text(n + 1), std::nullopt);
  EXPECT_EQ(chart.series(2).label_text(1), std::nullopt);
  if (n > 1) {
    EXPECT_TRUE(chart.series(2).label_text(2).has_value());
  }
  EXPECT_EQ(chart.series(1).label_text(1), "1");

  EXPECT_EQ(chart.axes(AxisType::ValueAxis).maximum, n);  // the total in J10
  EXPECT_EQ(chart.axes(AxisType::ValueAxis, AxisGroup::Secondary).maximum, 1);
  EXPECT_EQ(chart.axes(AxisType::ValueAxis, AxisGroup::Secondary).major_unit, 0.2);
  EXPECT_FALSE(chart.axes(AxisType::CategoryAxis, AxisGroup::Secondary).axis_between_categories);
  EXPECT_EQ(chart.chart_group(1).gap_width, 2);
  EXPECT_EQ(chart.axes(AxisType::ValueAxis).title.text, "主原因帕累托排列图");
  EXPECT_EQ(chart.axes(AxisType::ValueAxis).title.orientation,
            fb::sheet::TextOrientation::Vertical);
  // The caption stands in the strip left of the plot area, which fills the rest of the chart.
  const fb::sheet::ChartTitle& caption = chart.axes(AxisType::ValueAxis).title;
  EXPECT_EQ(caption.left, 1);
  EXPECT_EQ(caption.top, 18);
  EXPECT_EQ(caption.font.name, "仿宋_GB2312");
  EXPECT_EQ(caption.font.size, 6);
  EXPECT_EQ(chart.plot_area.left, 15);
  EXPECT_EQ(chart.plot_area.width, 155);
  EXPECT_EQ(chart.plot_area.top, 1);
  EXPECT_EQ(chart.plot_area.height, 140);
  EXPECT_EQ(chart.chart_area.interior.color_index, fb::sheet::kColorIndexNone);
}

INSTANTIATE_TEST_SUITE_P(MainCauses, ParetoChart, ::testing::Values(1, 4, 9));

TEST(ParetoChart, BoldTitleOnlyOutsideTheNewerProfile) {
  for (const char* version : {"11.0", "12.0"}) {
    PipelineHost host(version);
    host.GenerateThrough(11, Broad(2, 1));
    ASSERT_FALSE(host.component().export_failed) << version;
    const Chart& chart = ChartObject(host, 2).chart();
    EXPECT_EQ(chart.axes(AxisType::ValueAxis).title.font.bold, std::string(version) == "11.0");
    EXPECT_EQ(ChartObject(host, 2).width(), 170.1);
  }
}

struct TopThreeCase {
  const char* version;
  int main_causes;
  const char* formula;  // R1C1
};

class TopThreeChart : public ::testing::TestWithParam<TopThreeCase> {};

TEST_P(TopThreeChart, SeriesFollowsTheVersion) {
  const TopThreeCase& c = GetParam();
  PipelineHost host(c.version);
  host.GenerateThrough(12, Broad(c.main_causes, 1));
  ASSERT_FALSE(host.component().export_failed);
  Shape& object = ChartObject(host, 3);
  EXPECT_EQ(object.width(), 150.25);
  EXPECT_EQ(object.height(), 341.75);
  const Chart& chart = object.chart();
  EXPECT_EQ(chart.chart_type(), ChartType::BarClustered);
  EXPECT_EQ(chart.series(1).formula_r1c1(), c.formula);
  EXPECT_EQ(DataSheet(host).range("W10").text(), "Value");
  EXPECT_TRUE(chart.axes(AxisType::CategoryAxis).reverse_plot_order);
  EXPECT_EQ(chart.title().text, "第2层原因最多前三项");
  EXPECT_EQ(chart.plot_area.height, std::string(c.version) == "12.0" ? 323 : 320);
  EXPECT_EQ(chart.plot_area.top, 0);
  // The title sits below the plot area, bold everywhere but in the newer profile.
  EXPECT_EQ(chart.title().left, 45);
  EXPECT_EQ(chart.title().top, 323);
  EXPECT_EQ(chart.title().font.bold, std::string(c.version) != "12.0");
  EXPECT_EQ(chart.title().font.size, 5);
  EXPECT_EQ(chart.series(1).error_bars().include, fb::sheet::ErrorBarInclude::Minus);
  EXPECT_EQ(chart.series(1).error_bars().amount, 100);
}

INSTANTIATE_TEST_SUITE_P(
    VersionsAndSizes, TopThreeChart,
    ::testing::Values(
        TopThreeCase{"11.0", 1, "=SERIES(,Sheet2!R11C20:R13C22,Sheet2!R11C23:R13C23,1)"},
        TopThreeCase{"11.0", 9, "=SERIES(,Sheet2!R11C20:R37C22,Sheet2!R11C23:R37C23,1)"},
        TopThreeCase{"12.0", 1, "=SERIES(,Sheet2!R11C20:R13C22,Sheet2!R11C23:R13C23,1)"},
        TopThreeCase{"12.0", 9, "=SERIES(,Sheet2!R11C20:R37C22,Sheet2!R11C23:R37C23,1)"},
        // Neither version: the series keeps the single cell of its source data.
        TopThreeCase{"13.0", 9, "=SERIES(,,Sheet2!R11C23,1)"}));

TEST(TopThreeChart, ThreeLevelCategoriesAndMissingRanks) {
  PipelineHost host;
  host.GenerateThrough(12, {{"A", "P"}, {"A1", "人"}, {"A11", "培训"}, {"A111", "x"}});
  ASSERT_FALSE(host.component().export_failed);
  const auto points = ChartObject(host, 3).chart().series(1).points();
  ASSERT_EQ(points.size(), 3U);
  EXPECT_EQ(points[0].category_levels, (std::vector<std::string>{"人", "1", "培训"}));
  EXPECT_EQ(points[0].y, fb::sheet::Value(1.0));
  // Ranks 2 and 3 do not exist: a blank caption and -1.
  EXPECT_EQ(points[1].category_levels.back(), " ");
  EXPECT_EQ(points[2].y, fb::sheet::Value(-1.0));
}

class ChartPictures : public ::testing::TestWithParam<const char*> {};

TEST_P(ChartPictures, ThreeNamedPicturesOnTheClipboardAndTheWorkbookClosed) {
  PipelineHost host(GetParam());
  host.GenerateThrough(
      13, {{"A", "问题"}, {"A1", "人员"}, {"A11", "培训不足"}, {"A2", "设备"}, {"A21", "老化"}});
  ASSERT_FALSE(host.component().export_failed);
  fb::sheet::Application& app = host.app();
  EXPECT_EQ(app.workbooks().find(std::string(kExchangeFileName)), nullptr);
  EXPECT_TRUE(app.display_alerts());
  ASSERT_TRUE(app.clipboard().has_shapes());
  const auto& shapes = app.clipboard().shapes().shapes;
  ASSERT_EQ(shapes.size(), 3U);
  struct Expected {
    const char* name;
    ChartType type;
    double width;
    double height;
  };
  const Expected expected[] = {{"PIC1", ChartType::XYScatterLinesNoMarkers, 825, 363},
                               {"PIC2", ChartType::ColumnClustered, 170.1, 141.75},
                               {"PIC3", ChartType::BarClustered, 150.25, 341.75}};
  for (std::size_t i = 0; i < 3; ++i) {
    const Shape& picture = *shapes[i];
    EXPECT_EQ(picture.name(), expected[i].name);
    EXPECT_EQ(picture.kind(), fb::sheet::ShapeKind::Picture);
    EXPECT_EQ(picture.width(), expected[i].width);
    EXPECT_EQ(picture.height(), expected[i].height);
    ASSERT_NE(picture.drawing, nullptr);
    ASSERT_EQ(picture.drawing->items.size(), 1U);
    const Chart& chart = *picture.drawing->items[0].chart;
    EXPECT_EQ(chart.chart_type(), expected[i].type);
    EXPECT_EQ(chart.width(), expected[i].width);
    EXPECT_EQ(chart.height(), expected[i].height);
  }
  // The drawing keeps what the chart showed after its workbook is gone.
  const Chart& fishbone = *shapes[0]->drawing->items[0].chart;
  EXPECT_TRUE(fishbone.frozen());
  EXPECT_EQ(fishbone.series(1).label_text(2), "人员");
  EXPECT_EQ(fishbone.series(1).label_text(11), "老化");
  EXPECT_EQ(fishbone.shapes().item(1).text(), "问题:\n问题\n[原因总数合计：4个]");
}

INSTANTIATE_TEST_SUITE_P(Versions, ChartPictures, ::testing::Values("11.0", "12.0", "13.0"));

TEST(ChartPictures, RenamedPictureMissingStopsTheRun) {
  PipelineHost host;
  // A shape more on the sheet shifts the counter the default names are composed from.
  host.GenerateThrough(13, Broad(1, 1), [&](int step) {
    if (step == 12) DataSheet(host).shapes().add_text_box(0, 0, 10, 10);
  });
  EXPECT_TRUE(host.component().export_failed);
  EXPECT_EQ(host.app().workbooks().find(std::string(kExchangeFileName)), nullptr);
}

}  // namespace
}  // namespace kivo2d
