#include <cmath>
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

void DrawFishbone(Component& component) {
  Application& app = component.app();
  Worksheet& sheet = app.active_sheet();
  const int last_d = LastRow(sheet, "D");

  sheet.range("G24").select();
  Chart& chart = app.active_workbook().charts().add().location(ChartLocation::AsObject, "Sheet2");
  chart.set_chart_type(ChartType::XYScatterLinesNoMarkers);
  chart.set_source_data(
      app.active_workbook().worksheets().item("Sheet2").range("D4:E" + std::to_string(last_d)),
      PlotBy::Columns);
  chart.has_legend = false;

  Axis& value_axis = chart.axes(AxisType::ValueAxis, AxisGroup::Primary);
  value_axis.border.weight = BorderWeight::Hairline;
  value_axis.border.line_style = ChartLineStyle::None;
  value_axis.major_tick_mark = TickMark::None;
  value_axis.minor_tick_mark = TickMark::None;
  value_axis.tick_label_position = TickLabelPosition::None;
  value_axis.set_minimum(-110);
  value_axis.set_maximum(110);

  Axis& category_axis = chart.axes(AxisType::CategoryAxis, AxisGroup::Primary);
  category_axis.border.color_index = 1;
  category_axis.border.weight = BorderWeight::Thin;
  category_axis.border.line_style = ChartLineStyle::Continuous;
  category_axis.major_tick_mark = TickMark::None;
  category_axis.minor_tick_mark = TickMark::None;
  category_axis.tick_label_position = TickLabelPosition::None;
  category_axis.set_minimum(-10);
  category_axis.set_maximum(NumericValue(sheet.range("M3").value()));
  category_axis.set_minimum(-10);

  chart.axes(AxisType::ValueAxis).has_major_gridlines = false;

  chart.plot_area.border.weight = BorderWeight::Thin;
  chart.plot_area.border.line_style = ChartLineStyle::Continuous;
  chart.plot_area.fill.set_patterned(OfficePattern::LargeGrid);
  chart.plot_area.fill.visible = true;
  chart.plot_area.fill.fore = ColourChoice::from_scheme(2);
  chart.plot_area.fill.back = ColourChoice::from_scheme(19);

  Series& bones = chart.series(1);
  bones.border.weight = BorderWeight::Thin;
  bones.border.line_style = ChartLineStyle::Continuous;
  bones.marker_style = MarkerStyle::None;
  bones.apply_data_labels(CategoryNameLabels());
  if (component.generation_options.head == HeadSide::kRight) {
    // " 右 侧": the bones open to the left, so the plot runs right to left and every caption
    // stands on the other side of its bone's end.
    category_axis.reverse_plot_order = true;
    bones.set_data_label_position(DataLabelPosition::Left);
  }

  ChartObjects objects = sheet.chart_objects();
  std::string name = objects.item(objects.count()).name();
  Shape& container = sheet.shapes().item(name);
  container.scale_width(3, ScaleFrom::BottomRight);
  container.scale_height(4, ScaleFrom::BottomRight);

  sheet.chart_objects().item(name).activate();
  Chart& active = app.active_chart();
  active.chart_area.border.weight = BorderWeight::Thin;
  active.chart_area.border.line_style = ChartLineStyle::NoLine;
  active.chart_area.interior.color_index = 2;
  active.chart_area.interior.pattern_color_index = 1;
  active.chart_area.interior.pattern = Pattern::Solid;
  active.chart_area.font.name = "Arial";
  active.chart_area.font.size = 8;

  Shape& drawing_object = app.active_workbook().worksheets().item("Sheet2").shapes().item(name);
  drawing_object.rounded_corners = false;
  drawing_object.shadow = false;
  sheet.shapes().item(name).increment_left(350);
  sheet.shapes().item(name).increment_top(250);

  name = objects.item(objects.count()).name();
  Series& labelled = app.active_chart().series(1);
  labelled.delete_point_label(1);
  labelled.set_point_label_text(2, value_text(sheet.range("C4").value()));
  const int last_c = LastRow(sheet, "C") - 3;
  for (int i = 4; i <= last_c; ++i) {
    const double third = static_cast<double>(i - 1) / 3;
    if (std::floor(third) == third) {
      const std::string caption = value_text(sheet.range("C" + std::to_string(i + 3)).value());
      labelled.delete_point_label(i);
      labelled.set_point_label_text(i + 1, caption);
    }
    app.do_events();
  }
  if (app.profile() == HostProfile::V12) sheet.chart_objects().set_width(1480);
}

}  // namespace kivo2d
