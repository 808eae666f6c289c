#include "src/charts/chart_formatting.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

void GreyHairline(ChartBorder& border) {
  border.color_index = kPaletteGrey25;
  border.weight = BorderWeight::Hairline;
  border.line_style = ChartLineStyle::Continuous;
}

void GreyAxisWithInsideTicks(Axis& axis) {
  GreyHairline(axis.border);
  axis.major_tick_mark = TickMark::Inside;
  axis.minor_tick_mark = TickMark::None;
  axis.tick_label_position = TickLabelPosition::NextToAxis;
}

void GreyMajorGridlines(Axis& axis) {
  axis.has_major_gridlines = true;
  axis.has_minor_gridlines = false;
  GreyHairline(axis.major_gridlines.border);
}

void LinearScaleFromZero(Axis& axis, double maximum) {
  axis.set_minimum(0);
  axis.set_maximum(maximum);
  axis.minor_unit.reset();
  axis.crosses = AxisCrosses::Automatic;
  axis.reverse_plot_order = false;
  axis.scale_type = ScaleType::Linear;
  axis.display_unit = DisplayUnit::None;
}

void PlainChartArea(ChartArea& area) {
  area.border.weight = BorderWeight::Thin;
  area.border.line_style = ChartLineStyle::NoLine;
  area.interior.color_index = kColorIndexNone;
  area.auto_scale_font = true;
  area.font.name = kLabelFontName;
  area.font.size = kLabelFontSize;
}

namespace {

DataLabelOptions LabelsShowing(bool value, bool category_name) {
  DataLabelOptions options;
  options.auto_text = true;
  options.legend_key = false;
  options.series_name = false;
  options.category_name = category_name;
  options.value = value;
  options.percentage = false;
  options.bubble_size = false;
  return options;
}

}  // namespace

DataLabelOptions ValueLabels() {
  return LabelsShowing(true, false);
}

DataLabelOptions CategoryNameLabels() {
  return LabelsShowing(false, true);
}

}  // namespace kivo2d
