// The chart renderer on small charts built by hand: where lines, columns, bars, error bars,
// tick labels and data labels land for a plot area of known size.
#include "platform/render/chart/chart_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/environment.h"
#include "platform/render/chart/axis_scale.h"
#include "platform/render/chart/diagram_ink.h"
#include "platform/render/chart/label_overlaps.h"
#include "platform/render/text_metrics.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"

namespace fb::render {
namespace {

using sheet::AxisGroup;
using sheet::AxisType;
using sheet::Chart;
using sheet::ChartType;
using sheet::Value;

void Flatten(const std::vector<Command>& commands, std::vector<const Command*>& out) {
  for (const Command& c : commands) {
    if (const auto* g = std::get_if<GroupCmd>(&c)) {
      Flatten(g->children, out);
    } else {
      out.push_back(&c);
    }
  }
}

template <typename T>
std::vector<const T*> All(const DisplayList& list) {
  std::vector<const Command*> flat;
  Flatten(list.commands(), flat);
  std::vector<const T*> out;
  for (const Command* c : flat) {
    if (const auto* t = std::get_if<T>(c)) out.push_back(t);
  }
  return out;
}

const TextCmd* TextOf(const DisplayList& list, const std::string& text) {
  for (const TextCmd* t : All<TextCmd>(list)) {
    if (t->text == text) return t;
  }
  return nullptr;
}

class ChartRendererTest : public ::testing::Test {
 protected:
  // A chart of 300 × 200 points whose plot area is (50, 20, 200, 100) when no axis shows labels.
  Chart& MakeChart(ChartType type, const std::string& source) {
    Chart& chart = book.charts().add().location(sheet::ChartLocation::AsObject, sheet.name());
    chart.container()->set_width(300);
    chart.container()->set_height(200);
    chart.set_chart_type(type);
    chart.set_source_data(sheet.range(source), sheet::PlotBy::Columns);
    chart.has_legend = false;
    chart.plot_area.left = 50;
    chart.plot_area.top = 20;
    chart.plot_area.width = 200;
    chart.plot_area.height = 100;
    return chart;
  }
  void Column(const std::string& top, const std::vector<Value>& values) {
    const sheet::CellAddress first = sheet.range(top).area().first;
    for (std::size_t i = 0; i < values.size(); ++i) {
      sheet.cells(first.row + static_cast<int>(i), first.column).set_value(values[i]);
    }
  }
  static void HideLabels(sheet::Axis& axis) {
    axis.tick_label_position = sheet::TickLabelPosition::None;
  }

  os::MapEnvironment env;
  sheet::Application app{env};
  sheet::Workbook& book = app.workbooks().add();
  sheet::Worksheet& sheet = book.worksheets().item(1);
};

TEST_F(ChartRendererTest, EmptyCellsBreakAnXyLineIntoSeparateBonesLabelledAtTheirEnds) {
  const Value gap;
  Column("A1", {Value(0.0), Value(100.0), gap, Value(40.0), Value(190.0)});
  Column("B1", {Value(0.0), Value(100.0), gap, Value(-50.0), Value(-50.0)});
  Chart& chart = MakeChart(ChartType::XYScatterLinesNoMarkers, "A1:B5");
  sheet::Axis& x = chart.axes(AxisType::CategoryAxis);
  sheet::Axis& y = chart.axes(AxisType::ValueAxis);
  x.minimum = -10;
  x.maximum = 190;
  y.minimum = -100;
  y.maximum = 100;
  HideLabels(x);
  HideLabels(y);
  sheet::Series& bones = chart.series(1);
  bones.apply_data_labels({true, false, false, true, false, false, false});
  bones.delete_point_label(1);
  bones.set_point_label_text(2, "人员\n培训");
  bones.delete_point_label(4);
  bones.set_point_label_text(5, "夜班");

  const DisplayList list = render_chart(chart);
  EXPECT_EQ(list.size(), (Size{300, 200}));
  const auto lines = All<PolylineCmd>(list);
  ASSERT_EQ(lines.size(), 2U);
  // x: 50 + (v + 10); y: 70 - v / 2.
  EXPECT_EQ(lines[0]->points, (std::vector<Point>{{60, 70}, {160, 20}}));
  EXPECT_EQ(lines[1]->points, (std::vector<Point>{{100, 95}, {250, 95}}));

  const TextCmd* first = TextOf(list, "人员\n培训");
  ASSERT_NE(first, nullptr);
  EXPECT_GT(first->box.x, 160);  // right of the bone's outer end
  EXPECT_LT(first->box.x, 165);
  EXPECT_NEAR(first->box.y + first->box.height / 2, 20, 1e-9);
  ASSERT_NE(TextOf(list, "夜班"), nullptr);
  // Deleted labels and the gap show nothing; the only texts are the two captions.
  EXPECT_EQ(All<TextCmd>(list).size(), 2U);
}

TEST_F(ChartRendererTest, ColumnsStandOnTheirCategoriesWithGapWidthAndValueLabelsAbove) {
  Column("A1", {Value(1.0), Value(3.0), Value(2.0), Value(4.0)});
  Column("B1", {Value("甲"), Value("乙"), Value("丙"), Value("丁")});
  Chart& chart = MakeChart(ChartType::ColumnClustered, "A1:A4");
  chart.series(1).set_x_values("=Sheet1!R1C2:R4C2");
  chart.series(1).apply_data_labels({});
  chart.chart_group(1).gap_width = 100;
  sheet::Axis& values = chart.axes(AxisType::ValueAxis);
  values.minimum = 0;
  values.maximum = 4;
  values.major_unit = 1;

  const DisplayList list = render_chart(chart);
  // The tick labels 0 to 4 sit left of the plot, evenly spaced, 0 at the bottom.
  std::vector<const TextCmd*> ticks;
  for (int v = 0; v <= 4; ++v) {
    const TextCmd* t = TextOf(list, std::to_string(v));
    ASSERT_NE(t, nullptr) << v;
    ticks.push_back(t);
  }
  const auto& column_rects = All<RectCmd>(list);
  std::vector<const RectCmd*> columns;
  for (const RectCmd* r : column_rects) {
    if (std::holds_alternative<SolidFill>(r->fill) && r->rect.width < 100) columns.push_back(r);
  }
  ASSERT_EQ(columns.size(), 4U);
  const double plot_left = columns[0]->rect.x - columns[0]->rect.width / 2;
  const double plot_bottom = columns[0]->rect.bottom();
  const double category = columns[1]->rect.x - columns[0]->rect.x;
  // A gap width of 100 % leaves columns half a category wide, centred in their category.
  EXPECT_NEAR(columns[0]->rect.width, category / 2, 1e-9);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(columns[i]->rect.bottom(), plot_bottom, 1e-9);
    EXPECT_NEAR(columns[i]->rect.x, plot_left + category * (i + 0.25), 1e-9);
  }
  const double unit = columns[0]->rect.height;  // value 1
  EXPECT_NEAR(columns[1]->rect.height, 3 * unit, 1e-9);
  EXPECT_NEAR(columns[3]->rect.y, plot_bottom - 4 * unit, 1e-9);
  for (int v = 0; v <= 4; ++v) {
    const TextCmd* t = ticks[v];
    EXPECT_NEAR(t->box.y + t->box.height / 2, plot_bottom - v * unit, 1e-6) << v;
    EXPECT_LT(t->box.right(), plot_left) << v;
  }
  // Category names under their columns; value labels centred above the columns.
  const TextCmd* third = TextOf(list, "丙");
  ASSERT_NE(third, nullptr);
  EXPECT_NEAR(third->box.centre().x, columns[2]->rect.centre().x, 1e-6);
  EXPECT_GT(third->box.y, plot_bottom);
  std::vector<const TextCmd*> value_labels;
  for (const TextCmd* t : All<TextCmd>(list)) {
    if (t->text == "3" && t->box.centre().x > plot_left + category) value_labels.push_back(t);
  }
  ASSERT_EQ(value_labels.size(), 1U);
  EXPECT_NEAR(value_labels[0]->box.centre().x, columns[1]->rect.centre().x, 1e-6);
  EXPECT_LT(value_labels[0]->box.bottom(), columns[1]->rect.y);
}

TEST_F(ChartRendererTest, ReversedBarsRunTopDownWithMinusErrorBarsBackToZeroAndNoLabelOffScale) {
  // Three levels of categories: the outer one written once for its three rows.
  Column("A1", {Value("人员"), Value(), Value()});
  Column("B1", {Value(1.0), Value(2.0), Value(3.0)});
  Column("C1", {Value("培训"), Value("疲劳"), Value(" ")});
  Column("D1", {Value(2.0), Value(1.0), Value(-1.0)});
  Chart& chart = MakeChart(ChartType::BarClustered, "D1");
  sheet::Series& bars = chart.series(1);
  bars.set_formula("=SERIES(,Sheet1!R1C1:R3C3,Sheet1!R1C4:R3C4,1)");
  bars.apply_data_labels({});
  bars.set_error_bar(sheet::ErrorBarDirection::Y, sheet::ErrorBarInclude::Minus,
                     sheet::ErrorBarType::Percent, 100);
  bars.error_bars().border.color_index = 3;
  bars.error_bars().border.weight = sheet::BorderWeight::Thin;
  bars.error_bars().end_style = sheet::ErrorBarEndStyle::NoCap;
  sheet::Axis& categories = chart.axes(AxisType::CategoryAxis);
  categories.reverse_plot_order = true;
  categories.crosses = sheet::AxisCrosses::Custom;
  categories.crosses_at = 1;
  sheet::Axis& values = chart.axes(AxisType::ValueAxis);
  values.minimum = 0;
  values.maximum = 2;

  const DisplayList list = render_chart(chart);
  std::vector<const LineCmd*> red;
  for (const LineCmd* l : All<LineCmd>(list)) {
    if (l->stroke.colour == Colour{255, 0, 0, 255}) red.push_back(l);
  }
  // Ranks 1 and 2 get a red line from their value back to zero; rank 3 (-1) none.
  ASSERT_EQ(red.size(), 3U);  // the third lies left of zero and is clipped away
  const double zero_x = std::min(red[0]->from.x, red[0]->to.x);
  const double two_x = std::max(red[0]->from.x, red[0]->to.x);
  EXPECT_NEAR(std::max(red[1]->from.x, red[1]->to.x) - zero_x, (two_x - zero_x) / 2, 1e-9);
  EXPECT_LT(red[0]->from.y, red[1]->from.y);  // the first row on top
  EXPECT_LT(std::max(red[2]->from.x, red[2]->to.x), zero_x);

  const TextCmd* two = nullptr;  // the value label, not the tick label or the rank
  for (const TextCmd* t : All<TextCmd>(list)) {
    if (t->text == "2" && t->box.x > zero_x) two = t;
  }
  ASSERT_NE(two, nullptr);
  EXPECT_GT(two->box.x, two_x);
  EXPECT_NEAR(two->box.centre().y, red[0]->from.y, 1e-6);
  EXPECT_EQ(TextOf(list, "-1"), nullptr);

  // The outer label spans its three rows; the inner ones each their own.
  const TextCmd* outer = TextOf(list, "人员");
  const TextCmd* inner = TextOf(list, "培训");
  ASSERT_NE(outer, nullptr);
  ASSERT_NE(inner, nullptr);
  EXPECT_NEAR(outer->box.height, 3 * inner->box.height, 1e-6);
  EXPECT_LT(outer->box.right(), inner->box.x);
  EXPECT_NEAR(inner->box.centre().y, red[0]->from.y, 1e-6);
}

TEST_F(ChartRendererTest, SecondaryLineRunsEdgeToEdgeOnItsOwnPercentAxis) {
  Column("A1", {Value(3.0), Value(1.0)});
  Column("B1", {Value(), Value(0.75), Value(1.0)});
  Chart& chart = MakeChart(ChartType::ColumnClustered, "A1:A2");
  sheet::Series& line = chart.new_series();
  line.set_values("=Sheet1!R1C2:R3C2");
  line.chart_type = ChartType::LineMarkers;
  line.set_axis_group(AxisGroup::Secondary);
  line.marker_style = sheet::MarkerStyle::None;
  for (AxisGroup group : {AxisGroup::Primary, AxisGroup::Secondary}) {
    chart.set_has_axis(AxisType::CategoryAxis, group, true);
    chart.set_has_axis(AxisType::ValueAxis, group, true);
  }
  sheet::Axis& share = chart.axes(AxisType::ValueAxis, AxisGroup::Secondary);
  share.minimum = 0;
  share.maximum = 1;
  share.major_unit = 0.2;
  share.tick_label_number_format = "0%";
  sheet::Axis& line_axis = chart.axes(AxisType::CategoryAxis, AxisGroup::Secondary);
  line_axis.axis_between_categories = false;
  line_axis.crosses = sheet::AxisCrosses::Maximum;
  HideLabels(line_axis);

  const DisplayList list = render_chart(chart);
  const auto lines = All<PolylineCmd>(list);
  ASSERT_EQ(lines.size(), 1U);  // the empty first cell is not drawn
  ASSERT_EQ(lines[0]->points.size(), 2U);
  const TextCmd* hundred = TextOf(list, "100%");
  const TextCmd* zero = TextOf(list, "0%");
  ASSERT_NE(hundred, nullptr);
  ASSERT_NE(zero, nullptr);
  // The last point sits at 100 % on the right edge, where the percent labels stand outside.
  EXPECT_NEAR(lines[0]->points[1].y, hundred->box.centre().y, 1e-6);
  EXPECT_GT(hundred->box.x, lines[0]->points[1].x);
  EXPECT_LT(hundred->box.x, lines[0]->points[1].x + 6);
  // Three points on the ticks of the secondary axis: the second at half the width.
  const double right = lines[0]->points[1].x;
  const double mid = lines[0]->points[0].x;
  EXPECT_NEAR(zero->box.centre().y - lines[0]->points[0].y,
              0.75 * (zero->box.centre().y - hundred->box.centre().y), 1e-6);
  EXPECT_GT(right - mid, 0);
  ASSERT_NE(TextOf(list, "3"), nullptr);  // the primary axis keeps its own scale
}

TEST_F(ChartRendererTest, EndTickLabelsStayInsideThePlotAreasOuterBounds) {
  // The plot area's position and size are its outer bounds: the top value label, centred on the
  // top gridline, once stuck out above them by half its height and was cut by the picture's edge.
  Column("A1", {Value(1.0), Value(3.0)});
  Chart& chart = MakeChart(ChartType::ColumnClustered, "A1:A2");
  chart.plot_area.top = 0;
  sheet::Axis& values = chart.axes(AxisType::ValueAxis);
  values.minimum = 0;
  values.maximum = 4;
  values.major_unit = 1;
  HideLabels(chart.axes(AxisType::CategoryAxis));

  const DisplayList list = render_chart(chart);
  const TextCmd* top = TextOf(list, "4");
  const TextCmd* bottom = TextOf(list, "0");
  ASSERT_NE(top, nullptr);
  ASSERT_NE(bottom, nullptr);
  // A line of text is taller than its font size, so half the size is a lower bound of the room.
  EXPECT_GE(top->box.centre().y, top->font.size / 2);
  EXPECT_LE(bottom->box.centre().y, 100 - bottom->font.size / 2);
}

TEST_F(ChartRendererTest, ATextBoxShrinksItsTextToFitOnlyWhenItsFrameAsks) {
  Column("A1", {Value(1.0)});
  Chart& chart = MakeChart(ChartType::ColumnClustered, "A1");
  sheet::Shape& box = chart.shapes().add_text_box(10, 10, 60, 40);
  const std::string text = "一段很长的问题描述，远远超出这个小小文本框所能容纳的范围";
  box.set_text(text);
  box.text_font.size = 12;
  for (const auto auto_size : {sheet::TextAutoSize::None, sheet::TextAutoSize::TextToFitShape}) {
    box.text_auto_size = auto_size;
    const DisplayList list = render_chart(chart);
    const TextCmd* drawn = TextOf(list, text);
    ASSERT_NE(drawn, nullptr);
    const Size block = measure_text(*drawn);
    if (auto_size == sheet::TextAutoSize::None) {
      EXPECT_EQ(drawn->font.size, 12);
      EXPECT_GT(block.height, drawn->box.height);  // the text overflows, as the host shows it
    } else {
      EXPECT_LT(drawn->font.size, 12);
      EXPECT_LE(block.height, drawn->box.height + 0.01);
    }
  }
}

TEST_F(ChartRendererTest, OverlapsAreCountedBetweenLabelsAndAcrossOtherLinesOnly) {
  // 甲 and 乙 end two bones a hair apart, so their labels cover each other; a third line runs
  // down through both labels; 丙 stands alone. No label is counted against its own bone.
  const Value gap;
  Column("A1", {Value(1.0), Value(4.0), gap, Value(1.0), Value(4.0), gap, Value(4.6), Value(4.6),
                gap, Value(1.0), Value(2.0)});
  Column("B1", {Value(1.0), Value(1.0), gap, Value(1.1), Value(1.1), gap, Value(0.0), Value(3.0),
                gap, Value(8.0), Value(8.0)});
  Chart& chart = MakeChart(ChartType::XYScatterLinesNoMarkers, "A1:B11");
  for (sheet::Axis* axis :
       {&chart.axes(AxisType::CategoryAxis), &chart.axes(AxisType::ValueAxis)}) {
    axis->minimum = 0;
    axis->maximum = 10;
    HideLabels(*axis);
  }
  sheet::Series& bones = chart.series(1);
  bones.apply_data_labels({true, false, false, true, false, false, false});
  for (int p = 1; p <= 11; ++p) bones.delete_point_label(p);
  bones.set_point_label_text(2, "甲");
  bones.set_point_label_text(5, "乙");
  bones.set_point_label_text(11, "丙");

  const auto overlaps = find_label_overlaps(chart);
  std::vector<std::string> seen;
  for (const LabelOverlap& o : overlaps) {
    seen.push_back(std::string(overlap_kind_name(o.kind)) + " " + o.first + "|" + o.second);
    EXPECT_GT(o.area, 0);
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen,
            (std::vector<std::string>{"label-label 甲|乙", "label-line 乙|", "label-line 甲|"}));

  // At the plot's right end, a long label runs past the chart's edge.
  sheet.cells(10, 1).set_value(Value(9.9));
  sheet.cells(11, 1).set_value(Value(10.0));
  bones.set_point_label_text(11, "丙丙丙丙丙丙");
  const auto moved = find_label_overlaps(chart);
  EXPECT_EQ(std::count_if(moved.begin(), moved.end(),
                          [](const LabelOverlap& o) {
                            return o.kind == OverlapKind::kOutsideChart &&
                                   o.first == "丙丙丙丙丙丙";
                          }),
            1);
}

TEST(AxisScaleTest, AutomaticScalingFollowsTheHostsRules) {
  struct Case {
    std::optional<double> low, high;
    AxisBounds bounds;
    double minimum, maximum, unit;
  };
  const Case cases[] = {
      {1, 8, {}, 0, 10, 2},        // zero kept, headroom to the next unit
      {0.1, 0.95, {}, 0, 1, 0.2},  // fractions
      {90, 100, {}, 88, 102, 2},   // far from zero: both ends automatic
      {-30, -5, {}, -35, 0, 5},    // all negative: zero on top
      {std::nullopt, std::nullopt, {}, 0, 1, 0.2},
      {0, 23, {0.0, 23.0, std::nullopt}, 0, 23, 5},  // fixed ends keep, unit divides the span
      {0, 5, {0.0, 0.0, std::nullopt}, 0, 1, 1},     // a maximum at the minimum moves up a unit
  };
  for (const Case& c : cases) {
    const AxisScale s = automatic_scale(c.low, c.high, c.bounds);
    EXPECT_DOUBLE_EQ(s.minimum, c.minimum) << c.low.value_or(-1) << ".." << c.high.value_or(-1);
    EXPECT_DOUBLE_EQ(s.maximum, c.maximum) << c.low.value_or(-1) << ".." << c.high.value_or(-1);
    EXPECT_DOUBLE_EQ(s.major_unit, c.unit) << c.low.value_or(-1) << ".." << c.high.value_or(-1);
  }
  const AxisScale tenths{0, 1, 0.2};
  EXPECT_EQ(tenths.major_ticks(), (std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1}));
}

TEST(DiagramInkTest, AnAreaHidesTheTextAndTheLinesUnderIt) {
  DiagramInk ink;
  ink.texts = {{0, 0, 10, 10}};
  ink.lines = {{{0, 20}, {100, 20}, 2}, {{50, 0}, {50, 100}, 0.5}};
  struct Case {
    Rect area;
    double hidden;
  };
  const Case cases[] = {
      {{5, 5, 10, 20}, 25 + 10 * 2},    // a quarter of the text and 10 pt of the thick line
      {{40, 60, 20, 20}, 20},           // 20 pt of the hairline, counted one point wide
      {{45, 15, 10, 10}, 10 * 2 + 10},  // where the lines cross, each once
      {{200, 200, 10, 10}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ink_under(ink, c.area), c.hidden) << c.area.x << "," << c.area.y;
  }
}

}  // namespace
}  // namespace fb::render
