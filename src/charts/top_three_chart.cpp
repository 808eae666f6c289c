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

void GreyLine(ChartBorder& border) {
  border.color_index = 15;
  border.weight = BorderWeight::Hairline;
  border.line_style = ChartLineStyle::Continuous;
}

void FormatAxisCommon(Axis& axis) {
  GreyLine(axis.border);
  axis.major_tick_mark = TickMark::Inside;
  axis.minor_tick_mark = TickMark::None;
  axis.tick_label_position = TickLabelPosition::NextToAxis;
  axis.has_major_gridlines = true;
  axis.has_minor_gridlines = false;
  GreyLine(axis.major_gridlines.border);
}

}  // namespace

void DrawTopThreeChart(Component& component) {
  Application& app = component.app();
  Worksheet& sheet = app.active_sheet();
  const HostProfile profile = app.profile();
  const int v = static_cast<int>(
      NumericValue(sheet.range("B" + std::to_string(LastRow(sheet, "B"))).value()));
  const std::string last = std::to_string((v - 1) * 3 + 10);
  sheet.range("W10").set_value("Value");

  Chart& chart = app.active_workbook().charts().add().location(ChartLocation::AsObject, "Sheet2");
  chart.set_chart_type(ChartType::BarClustered);
  chart.set_source_data(app.active_workbook().worksheets().item("Sheet2").range("W11"));
  chart.has_legend = false;

  ChartObjects objects = sheet.chart_objects();
  const std::string name = objects.item(objects.count()).name();
  if (profile == HostProfile::V11) {
    sheet.chart_objects().item(name).activate();
    app.active_chart().series(1).set_formula("=SERIES(,Sheet2!R11C20:R" + last +
                                             "C22,Sheet2!R11C23:R" + last + "C23,1)");
  } else if (profile == HostProfile::V12) {
    app.active_chart().series(1).set_x_values("='Sheet2'!$T$11:$V$" + last);
    app.active_chart().series(1).set_values("='Sheet2'!$W$11:$W$" + last);
  }

  Shape& container = sheet.shapes().item(name);
  container.scale_height(1.41, ScaleFrom::TopLeft);
  container.scale_height(1.02, ScaleFrom::BottomRight);
  container.scale_width(0.3, ScaleFrom::BottomRight);
  container.increment_left(-72);
  container.increment_top(-0.75);

  Chart& active = app.active_chart();
  Axis& value_axis = active.axes(AxisType::ValueAxis, AxisGroup::Primary);
  FormatAxisCommon(value_axis);
  value_axis.set_maximum(NumericValue(sheet.range("X11").value()));
  value_axis.set_minimum(0);
  value_axis.crosses = AxisCrosses::Automatic;
  value_axis.reverse_plot_order = false;
  value_axis.scale_type = ScaleType::Linear;
  value_axis.display_unit = DisplayUnit::None;

  Axis& category_axis = active.axes(AxisType::CategoryAxis, AxisGroup::Primary);
  FormatAxisCommon(category_axis);
  category_axis.crosses = AxisCrosses::Custom;
  category_axis.crosses_at = 1;
  category_axis.tick_label_spacing = 1;
  category_axis.tick_mark_spacing = 1;
  category_axis.axis_between_categories = true;
  category_axis.reverse_plot_order = true;
  category_axis.has_title = false;

  Series& bars = active.series(1);
  bars.border.weight = BorderWeight::Thin;
  bars.border.line_style = ChartLineStyle::None;
  bars.shadow = false;
  bars.invert_if_negative = false;
  bars.interior.color_index = 2;
  bars.interior.pattern = Pattern::Solid;
  bars.set_error_bar(ErrorBarDirection::Y, ErrorBarInclude::Minus, ErrorBarType::Percent, 100);
  ErrorBars& error_bars = bars.error_bars();
  error_bars.border.line_style = ChartLineStyle::Continuous;
  error_bars.border.color_index = 3;
  error_bars.border.weight = BorderWeight::Thin;
  error_bars.end_style = ErrorBarEndStyle::NoCap;
  DataLabelOptions values;
  values.auto_text = true;
  values.legend_key = false;
  values.series_name = false;
  values.category_name = false;
  values.value = true;
  values.percentage = false;
  values.bubble_size = false;
  bars.apply_data_labels(values);

  sheet.range("A1").select();
  if (profile != HostProfile::V11) {
    sheet.chart_objects().item(name).activate();
    sheet.chart_objects().item(name).set_width(150.25);
    sheet.chart_objects().item(name).set_height(341.75);
  } else {
    sheet.shapes().item(name).select();
    sheet.shapes().item(name).set_width(150.25);
    sheet.shapes().item(name).set_height(341.75);
  }
  sheet.chart_objects().item(name).activate();

  Chart& sized = app.active_chart();
  sized.plot_area.height = 300;
  sized.plot_area.top = 6;

  sized.chart_area.border.weight = BorderWeight::Thin;
  sized.chart_area.border.line_style = ChartLineStyle::NoLine;
  sized.chart_area.interior.color_index = kColorIndexNone;
  sized.chart_area.auto_scale_font = true;
  sized.chart_area.font.name = "Arial";
  sized.chart_area.font.size = 5;

  sized.set_has_title(true);
  sized.title().text = "第2层原因最多前三项";
  sized.axes(AxisType::CategoryAxis, AxisGroup::Primary).has_title = false;
  ChartTitle& title = sized.title();
  title.left = 45;
  title.top = 323;
  title.auto_scale_font = true;
  if (profile == HostProfile::V12) title.font.bold = false;
  title.font.name = "Arial";
  title.font.size = 5;

  sized.plot_area.top = 0;
  sized.plot_area.height = profile == HostProfile::V12 ? 323 : 320;
  sized.plot_area.border.color_index = 16;
  sized.plot_area.border.weight = BorderWeight::Hairline;
  sized.plot_area.border.line_style = ChartLineStyle::Continuous;
  sized.plot_area.interior.color_index = 2;
  sized.plot_area.interior.pattern_color_index = 1;
  sized.plot_area.interior.pattern = Pattern::Solid;
  sheet.range("A1").select();
}

}  // namespace kivo2d
