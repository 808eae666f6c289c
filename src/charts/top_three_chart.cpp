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

// The chart's final size, which its picture PIC3 keeps until the report places it: a tall strip
// (about 5.3 × 12 cm, in points) for up to 27 bars with three levels of labels.
constexpr double kChartWidth = 150.25;
constexpr double kChartHeight = 341.75;

// The plot area takes the chart's height but for a line at the bottom, where the title stands.
// Under 12.0 the plot reaches down to the title's top.
constexpr double kPlotHeight = 320;
constexpr double kPlotHeightV12 = 323;
constexpr double kTitleLeft = 45;
constexpr double kTitleTop = 323;

}  // namespace

void DrawTopThreeChart(Component& component) {
  if (!component.generation_options.top_three_chart) return;  // the user left it out
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
  GreyAxisWithInsideTicks(value_axis);
  GreyMajorGridlines(value_axis);
  LinearScaleFromZero(value_axis, NumericValue(sheet.range("X11").value()));

  Axis& category_axis = active.axes(AxisType::CategoryAxis, AxisGroup::Primary);
  GreyAxisWithInsideTicks(category_axis);
  GreyMajorGridlines(category_axis);
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
  bars.interior.color_index = kPaletteWhite;
  bars.interior.pattern = Pattern::Solid;
  bars.set_error_bar(ErrorBarDirection::Y, ErrorBarInclude::Minus, ErrorBarType::Percent, 100);
  ErrorBars& error_bars = bars.error_bars();
  error_bars.border.line_style = ChartLineStyle::Continuous;
  error_bars.border.color_index = kPaletteRed;
  error_bars.border.weight = BorderWeight::Thin;
  error_bars.end_style = ErrorBarEndStyle::NoCap;
  bars.apply_data_labels(ValueLabels());

  sheet.range("A1").select();
  if (profile != HostProfile::V11) {
    sheet.chart_objects().item(name).activate();
    sheet.chart_objects().item(name).set_width(kChartWidth);
    sheet.chart_objects().item(name).set_height(kChartHeight);
  } else {
    sheet.shapes().item(name).select();
    sheet.shapes().item(name).set_width(kChartWidth);
    sheet.shapes().item(name).set_height(kChartHeight);
  }
  sheet.chart_objects().item(name).activate();

  Chart& sized = app.active_chart();
  // A first placement, as the component makes it before the title exists; the final one below
  // replaces it.
  sized.plot_area.height = 300;
  sized.plot_area.top = 6;

  PlainChartArea(sized.chart_area);

  sized.set_has_title(true);
  sized.title().text = "第2层原因最多前三项";
  sized.axes(AxisType::CategoryAxis, AxisGroup::Primary).has_title = false;
  ChartTitle& title = sized.title();
  title.left = kTitleLeft;
  title.top = kTitleTop;
  title.auto_scale_font = true;
  if (profile == HostProfile::V12) title.font.bold = false;
  title.font.name = kLabelFontName;
  title.font.size = kLabelFontSize;

  sized.plot_area.top = 0;
  sized.plot_area.height = profile == HostProfile::V12 ? kPlotHeightV12 : kPlotHeight;
  sized.plot_area.border.color_index = kPaletteGrey50;
  sized.plot_area.border.weight = BorderWeight::Hairline;
  sized.plot_area.border.line_style = ChartLineStyle::Continuous;
  sized.plot_area.interior.color_index = kPaletteWhite;
  sized.plot_area.interior.pattern_color_index = kPaletteBlack;
  sized.plot_area.interior.pattern = Pattern::Solid;
  sheet.range("A1").select();
}

}  // namespace kivo2d
