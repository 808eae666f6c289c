#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"
#include "src/charts/chart_steps.h"
#include "src/component/component.h"
#include "src/component/logo_file.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

void DrawHeadAndSpine(Component& component) {
  Application& app = component.app();
  const bool legacy = app.profile() == HostProfile::V11;
  app.active_chart().axes(AxisType::CategoryAxis, AxisGroup::Primary).set_minimum(-250);

  Worksheet& sheet = app.active_sheet();
  sheet.range("A1").select();
  ChartObjects objects = sheet.chart_objects();
  const std::string name = objects.item(objects.count()).name();
  sheet.shapes().item(name).set_width(825);
  sheet.shapes().item(name).set_height(363);
  sheet.range("A1").select();
  sheet.chart_objects().item(name).activate();

  Chart& chart = app.active_chart();
  chart.new_series();
  Series& spine = chart.series(2);
  spine.set_x_values("=Sheet2!R3C8:R4C8");
  spine.set_values("=Sheet2!R3C9:R4C9");
  spine.border.color_index = 19;
  spine.border.weight = BorderWeight::Thick;
  spine.border.line_style = ChartLineStyle::Continuous;
  spine.marker_style = MarkerStyle::None;

  sheet.chart_objects().item(name).activate();
  Chart& head_chart = app.active_chart();
  Shape& added = legacy ? head_chart.shapes().add_text_box(380, 191, 75, 50)
                        : head_chart.shapes().add_text_box(400, 191, 75, 50);
  added.set_formula("=Sheet2!$G$3");
  const std::string box_name = legacy ? "Text 1" : "TextBox 1";

  Shape& box = head_chart.shapes().item(box_name);
  box.increment_left(-230);
  box.increment_top(-161);
  box.text_vertical_alignment = VerticalAlignment::Center;
  box.line.fore = ColourChoice::from_scheme(43);
  box.line.visible = true;
  box.fill.visible = true;
  box.fill.fore = ColourChoice::from_rgb(255, 255, 153);
  box.fill.transparency = 0.5;
  box.fill.set_solid();
  box.scale_height(1.5, ScaleFrom::TopLeft);

  // The panel's font and size. The FangSong default ends in Arial, as the fixed settings always
  // did; 宋体 and 黑体 replace it. Sizes scale from the default's points, so it keeps 6 and 8.
  const GenerationOptions& options = component.generation_options;
  const std::string face = options.font == DiagramFont::kFangSong
                               ? std::string("Arial")
                               : std::string(DiagramFontName(options.font));
  const double scale = DiagramSizeScale(options.size);

  head_chart.chart_area.font.name = "仿宋_GB2312";
  head_chart.chart_area.font.size = 6;
  head_chart.chart_area.auto_scale_font = false;
  head_chart.chart_area.font.name = face;
  head_chart.chart_area.font.size = 6 * scale;
  head_chart.chart_area.interior.color_index = kColorIndexNone;

  head_chart.shapes().item(box_name).select();
  Shape& selected_box = app.selection_shape_range().item(1);
  selected_box.text_font.name = "仿宋_GB2312";
  selected_box.text_font.size = 8;
  selected_box.text_font.name = face;
  selected_box.text_font.size = 8 * scale;
  // A long problem statement, or a large size, once ran out of the box and hid the one text the
  // diagram exists for: the text shrinks to fit the box instead.
  selected_box.text_auto_size = TextAutoSize::TextToFitShape;

  const std::string logo_file = component.win_dir + "\\Temp\\~l$go.gif";
  SaveLogoPicture(logo_file);
  head_chart.shapes().insert_picture(logo_file).select();
  component.file_system().DeleteFile(logo_file);

  ShapeRange logo = app.selection_shape_range();
  logo.set_lock_aspect_ratio(true);
  logo.set_height(24.25);
  logo.set_width(76.5);
  logo.set_rotation(0);
  logo.set_transparent_background(true);
  logo.set_transparency_colour(Rgb{0, 0, 0});
  logo.set_fill_visible(false);
  logo.increment_left(660);
  if (legacy) {
    logo.increment_top(290);
  } else if (app.profile() == HostProfile::V12) {
    logo.increment_top(250);
  }
  if (options.head == HeadSide::kRight) {
    // The plot runs right to left (the fishbone step reversed it): the head box and the logo
    // change sides with it, each as far from the chart's other edge.
    const double chart_width = sheet.shapes().item(name).width();
    for (Shape* shape : {&head_chart.shapes().item(box_name), &logo.item(1)}) {
      shape->set_left(chart_width - shape->left() - shape->width());
    }
  }
  // A layout fitting may have found the logo a place that hides no caption.
  if (options.logo_shift != PictureShift{}) {
    logo.increment_left(options.logo_shift.dx);
    logo.increment_top(options.logo_shift.dy);
  }
  sheet.range("A1").select();
}

}  // namespace kivo2d
