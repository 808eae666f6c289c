#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "src/charts/chart_steps.h"
#include "src/component/component.h"
#include "src/component/sheet_rows.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

namespace {

void GreyAxisLine(Axis& axis) {
  axis.border.color_index = 15;
  axis.border.weight = BorderWeight::Hairline;
  axis.border.line_style = ChartLineStyle::Continuous;
}

void GreyMajorGridlines(Axis& axis) {
  axis.has_major_gridlines = true;
  axis.has_minor_gridlines = false;
  axis.major_gridlines.border.color_index = 15;
  axis.major_gridlines.border.weight = BorderWeight::Hairline;
  axis.major_gridlines.border.line_style = ChartLineStyle::Continuous;
}

DataLabelOptions ValueLabels() {
  DataLabelOptions options;
  options.auto_text = true;
  options.legend_key = false;
  options.series_name = false;
  options.category_name = false;
  options.value = true;
  options.percentage = false;
  options.bubble_size = false;
  return options;
}

}  // namespace

void DrawParetoChart(Component& component) {
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
  GreyAxisLine(value_axis);
  value_axis.major_tick_mark = TickMark::Inside;
  value_axis.minor_tick_mark = TickMark::None;
  value_axis.tick_label_position = TickLabelPosition::NextToAxis;
  value_axis.set_minimum(0);
  value_axis.set_maximum(NumericValue(sheet.range("J10").value()));
  value_axis.minor_unit.reset();
  value_axis.crosses = AxisCrosses::Automatic;
  value_axis.reverse_plot_order = false;
  value_axis.scale_type = ScaleType::Linear;
  value_axis.display_unit = DisplayUnit::None;

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
  group.gap_width = 2;
  group.has_series_lines = false;
  group.vary_by_categories = false;

  chart.new_series();
  Series& line = chart.series(2);
  line.set_values(cumulative);
  line.chart_type = ChartType::LineMarkers;
  line.set_axis_group(AxisGroup::Secondary);
  line.border.color_index = 1;
  line.border.weight = BorderWeight::Hairline;
  line.border.line_style = ChartLineStyle::Continuous;

  Axis& share_axis = chart.axes(AxisType::ValueAxis, AxisGroup::Secondary);
  GreyAxisLine(share_axis);
  share_axis.major_tick_mark = TickMark::Inside;
  share_axis.minor_tick_mark = TickMark::None;
  share_axis.tick_label_position = TickLabelPosition::NextToAxis;
  share_axis.set_minimum(0);
  share_axis.set_maximum(1);
  share_axis.major_unit = 0.2;
  share_axis.minor_unit.reset();
  share_axis.crosses = AxisCrosses::Automatic;
  share_axis.reverse_plot_order = false;
  share_axis.scale_type = ScaleType::Linear;
  share_axis.display_unit = DisplayUnit::None;
  share_axis.tick_label_number_format = "0%";

  Axis& category_axis = chart.axes(AxisType::CategoryAxis, AxisGroup::Primary);
  GreyAxisLine(category_axis);
  category_axis.major_tick_mark = TickMark::Inside;
  category_axis.minor_tick_mark = TickMark::None;
  category_axis.tick_label_position = TickLabelPosition::NextToAxis;
  category_axis.category_type = CategoryType::Automatic;

  sheet.range("A1").select();
  if (app.profile() != HostProfile::V11) {
    sheet.chart_objects().item(name).activate();
    sheet.chart_objects().item(name).set_width(170.1);
    sheet.chart_objects().item(name).set_height(141.75);
  } else {
    sheet.shapes().item(name).set_width(170.1);
    sheet.shapes().item(name).set_height(141.75);
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

  Axis& line_axis = active.axes(AxisType::CategoryAxis, AxisGroup::Secondary);
  GreyAxisLine(line_axis);
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

  active.chart_area.border.weight = BorderWeight::Thin;
  active.chart_area.border.line_style = ChartLineStyle::NoLine;
  active.chart_area.interior.color_index = kColorIndexNone;
  active.chart_area.interior.pattern_color_index = 1;
  active.chart_area.interior.pattern = Pattern::Solid;
  active.chart_area.interior.color_index = kColorIndexNone;
  active.chart_area.auto_scale_font = true;
  active.chart_area.font.name = "Arial";
  active.chart_area.font.size = 5;

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
  title.font.size = 6;
  title.left = 1;
  title.top = 18;

  active.plot_area.left = 15;
  active.plot_area.width = 155;
  active.plot_area.top = 1;
  active.plot_area.height = 140;
  active.plot_area.interior.color_index = 2;
  active.plot_area.interior.pattern_color_index = 1;
  active.plot_area.interior.pattern = Pattern::Solid;
  sheet.range("A1").select();
}

}  // namespace kivo2d
