#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "src/charts/chart_formatting.h"
#include "src/charts/chart_steps.h"
#include "src/component/component.h"
#include "src/component/sheet_rows.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

namespace {

// The chart's size on the sheet, which its picture PIC2 keeps until the report places it: about
// 6 × 5 cm, in points.
constexpr double kChartWidth = 170.1;
constexpr double kChartHeight = 141.75;

// The plot area fills the chart but for a strip on the left, where the value axis's stacked
// vertical title stands.
constexpr double kPlotLeft = 15;
constexpr double kPlotTop = 1;
constexpr double kPlotWidth = 155;
constexpr double kPlotHeight = 140;
constexpr double kTitleLeft = 1;
constexpr double kTitleTop = 18;
constexpr double kTitleFontSize = 6;

// The columns nearly touch (the host's default gap is 150 % of a column).
constexpr int kColumnGapWidth = 2;

}  // namespace

void DrawParetoChart(Component& component) {
  if (!component.generation_options.pareto_chart) return;  // the user left it out
  Application& app = component.app();
  Worksheet& sheet = app.active_sheet();
  const int n = static_cast<int>(NumericValue(sheet.range("M11").value()));
  const std::string categories = "=Sheet2!R11C9:R" + std::to_string(n + 10) + "C9";
  const std::string cumulative = "=Sheet2!R10C12:R" + std::to_string(n + 10) + "C12";

  Chart& chart = app.active_workbook().charts().add().location(ChartLocation::AsObject, "Sheet2");
  chart.set_chart_type(ChartType::ColumnClustered);
  chart.set_source_data(
      app.active_workbook().worksheets().item("Sheet2").range("J11:J" + std::to_string(10 + n)),
      PlotBy::Columns);
  chart.has_legend = false;
  chart.series(1).set_x_values(categories);

  ChartObjects objects = sheet.chart_objects();
  const std::string name = objects.item(objects.count()).name();

  Axis& value_axis = chart.axes(AxisType::ValueAxis, AxisGroup::Primary);
  GreyAxisWithInsideTicks(value_axis);
  LinearScaleFromZero(value_axis, NumericValue(sheet.range("J10").value()));  // the total count

  Series& columns = chart.series(1);
  columns.border.weight = BorderWeight::Thin;
  columns.border.line_style = ChartLineStyle::None;
  columns.shadow = false;
  columns.invert_if_negative = false;
  columns.fill.set_two_colour_gradient(GradientStyle::Horizontal, 1);
  columns.fill.visible = true;
  columns.fill.fore = ColourChoice::from_scheme(17);
  columns.fill.back = ColourChoice::from_scheme(2);
  columns.apply_data_labels(ValueLabels());

  ChartGroup& group = chart.chart_group(1);
  group.overlap = 0;
  group.gap_width = kColumnGapWidth;
  group.has_series_lines = false;
  group.vary_by_categories = false;

  chart.new_series();
  Series& line = chart.series(2);
  line.set_values(cumulative);
  line.chart_type = ChartType::LineMarkers;
  line.set_axis_group(AxisGroup::Secondary);
  line.border.color_index = kPaletteBlack;
  line.border.weight = BorderWeight::Hairline;
  line.border.line_style = ChartLineStyle::Continuous;

  Axis& share_axis = chart.axes(AxisType::ValueAxis, AxisGroup::Secondary);
  GreyAxisWithInsideTicks(share_axis);
  LinearScaleFromZero(share_axis, 1);
  share_axis.major_unit = 0.2;
  share_axis.tick_label_number_format = "0%";

  Axis& category_axis = chart.axes(AxisType::CategoryAxis, AxisGroup::Primary);
  GreyAxisWithInsideTicks(category_axis);
  category_axis.category_type = CategoryType::Automatic;

  sheet.range("A1").select();
  if (app.profile() != HostProfile::V11) {
    sheet.chart_objects().item(name).activate();
    sheet.chart_objects().item(name).set_width(kChartWidth);
    sheet.chart_objects().item(name).set_height(kChartHeight);
  } else {
    sheet.shapes().item(name).set_width(kChartWidth);
    sheet.shapes().item(name).set_height(kChartHeight);
  }
  sheet.range("A1").select();
  sheet.chart_objects().item(name).activate();

  Chart& active = app.active_chart();
  for (AxisGroup axis_group : {AxisGroup::Primary, AxisGroup::Secondary}) {
    active.set_has_axis(AxisType::CategoryAxis, axis_group, true);
    active.set_has_axis(AxisType::ValueAxis, axis_group, true);
  }
  active.axes(AxisType::CategoryAxis, AxisGroup::Primary).category_type = CategoryType::Automatic;
  active.axes(AxisType::CategoryAxis, AxisGroup::Secondary).category_type = CategoryType::Automatic;
  GreyMajorGridlines(active.axes(AxisType::CategoryAxis, AxisGroup::Primary));
  GreyMajorGridlines(active.axes(AxisType::ValueAxis, AxisGroup::Primary));

  // The line's own category axis, unseen, carries its n + 1 points from edge to edge of the plot.
  Axis& line_axis = active.axes(AxisType::CategoryAxis, AxisGroup::Secondary);
  GreyHairline(line_axis.border);
  line_axis.major_tick_mark = TickMark::None;
  line_axis.minor_tick_mark = TickMark::None;
  line_axis.tick_label_position = TickLabelPosition::None;
  line_axis.category_type = CategoryType::Automatic;
  line_axis.crosses = AxisCrosses::Maximum;
  line_axis.tick_label_spacing = 1;
  line_axis.tick_mark_spacing = 1;
  line_axis.axis_between_categories = false;
  line_axis.reverse_plot_order = false;

  active.series(2).apply_data_labels(ValueLabels());

  Shape& drawing_object = sheet.shapes().item(name);
  drawing_object.rounded_corners = false;
  drawing_object.shadow = false;

  active.series(2).delete_point_label(n + 1);

  PlainChartArea(active.chart_area);
  active.chart_area.interior.pattern_color_index = kPaletteBlack;
  active.chart_area.interior.pattern = Pattern::Solid;

  active.axes(AxisType::CategoryAxis, AxisGroup::Primary).has_title = false;
  Axis& titled = active.axes(AxisType::ValueAxis, AxisGroup::Primary);
  titled.has_title = true;
  ChartTitle& title = titled.title;
  title.text = "主原因帕累托排列图";
  title.horizontal_alignment = HorizontalAlignment::Center;
  title.vertical_alignment = VerticalAlignment::Center;
  title.reading_order = ReadingOrder::Context;
  title.orientation = TextOrientation::Vertical;
  title.auto_scale_font = true;
  if (app.profile() == HostProfile::V12) title.font.bold = false;
  title.font.name = "仿宋_GB2312";
  title.font.size = kTitleFontSize;
  title.left = kTitleLeft;
  title.top = kTitleTop;

  active.plot_area.left = kPlotLeft;
  active.plot_area.width = kPlotWidth;
  active.plot_area.top = kPlotTop;
  active.plot_area.height = kPlotHeight;
  active.plot_area.interior.color_index = kPaletteWhite;
  active.plot_area.interior.pattern_color_index = kPaletteBlack;
  active.plot_area.interior.pattern = Pattern::Solid;
  sheet.range("A1").select();
}

}  // namespace kivo2d
