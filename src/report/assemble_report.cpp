#include "src/report/assemble_report.h"

#include <string>
#include <vector>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"
#include "src/component/component.h"
#include "src/component/logo_file.h"
#include "src/report/maker_site.h"
#include "src/report/report_analysis.h"
#include "src/report/report_sheet.h"
#include "src/report/report_title.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

namespace {

constexpr const char* kEnhancedMetafile = "图片(增强型图元文件)";

// The chart pictures the previous step left, by the charts the run made: PIC1 the fishbone
// always, PIC2 the Pareto chart and PIC3 the top-three chart when they were chosen.
std::vector<std::string> ChartPictures(const GenerationOptions& options) {
  std::vector<std::string> names{"PIC1"};
  if (options.pareto_chart) names.emplace_back("PIC2");
  if (options.top_three_chart) names.emplace_back("PIC3");
  return names;
}

// The host names the objects the step creates by counting every shape made on the sheet: the
// pasted charts, the re-pasted auxiliary ones, the group (when there is more than one picture),
// the diagram picture, the title. With all three charts the diagram is "图片 7" in the "11.0"
// host and the title "WordArt 8" there, "矩形 8" in the "12.0" host.
int DiagramNumber(std::size_t pictures) {
  const auto n = static_cast<int>(pictures);
  return n + (n - 1) + (n > 1 ? 1 : 0) + 1;
}
constexpr const char* kCurrentDiagram = "Picture 1";

// Steps 2 and 3: the chart pictures at B8, each to move with its cell when the columns and rows
// get their sizes, without keeping its proportions.
void PasteChartPictures(Application& app, Worksheet& sheet,
                        const std::vector<std::string>& pictures) {
  sheet.range("B8").select();
  sheet.paste();
  app.clear_clipboard();
  for (const std::string& name : pictures) {
    Shape& picture = sheet.shapes().item(name);
    picture.placement = Placement::Move;
    picture.lock_aspect_ratio = false;
  }
}

// Steps 10 to 14: the Pareto and top-three pictures over the fishbone, sized by version, then
// the pictures flattened into one at B8. An auxiliary chart the user left out is neither moved
// nor sized; without either, the fishbone picture alone is flattened.
void ArrangeDiagram(Application& app, Worksheet& sheet, const GenerationOptions& options,
                    const std::vector<std::string>& pictures) {
  if (options.pareto_chart) {
    sheet.shapes().item("PIC2").cut();
    sheet.range("F19").select();
    sheet.paste();
  }
  if (options.top_three_chart) {
    sheet.shapes().item("PIC3").cut();
    sheet.range("B9").select();
    sheet.paste();
  }
  app.clear_clipboard();

  if (options.top_three_chart) {
    sheet.shapes().item("PIC3").increment_left(6);
    sheet.shapes().item("PIC3").increment_top(-8.25);
  }
  if (app.profile() == HostProfile::V11 && options.pareto_chart) {
    sheet.shapes().item("PIC2").increment_left(13.5);
    sheet.shapes().item("PIC2").increment_top(-3.75);
  }
  if (app.profile() == HostProfile::V12) {
    sheet.shapes().item("PIC1").set_height(369);
    if (options.pareto_chart) {
      Shape& pareto = sheet.shapes().item("PIC2");
      pareto.set_width(175);
      pareto.set_height(130);
      pareto.increment_left(17);
      pareto.increment_top(10);
    }
    if (options.top_three_chart) {
      Shape& top_three = sheet.shapes().item("PIC3");
      top_three.set_width(175);
      top_three.set_height(346);
    }
  }

  if (options.head == HeadSide::kRight) {
    // The fishbone is mirrored, its head and free room on the right: the auxiliary charts change
    // sides with them, mirrored across the fishbone picture.
    const Shape& fishbone = sheet.shapes().item("PIC1");
    for (const std::string& name : pictures) {
      if (name == "PIC1") continue;
      Shape& picture = sheet.shapes().item(name);
      picture.set_left(2 * fishbone.left() + fishbone.width() - picture.left() - picture.width());
    }
    // Mirrored, the Pareto chart's percent labels would meet the top-three chart's cause names:
    // it keeps clear of them.
    if (options.pareto_chart && options.top_three_chart) {
      constexpr double kClearance = 6;
      Shape& pareto = sheet.shapes().item("PIC2");
      const double limit = sheet.shapes().item("PIC3").left() - kClearance;
      if (pareto.left() + pareto.width() > limit) pareto.set_left(limit - pareto.width());
    }
  }

  // A layout fitting may have found them a place that hides less of the diagram.
  const auto shift = [&](const char* name, const PictureShift& by) {
    if (by == PictureShift{}) return;
    Shape& picture = sheet.shapes().item(name);
    picture.increment_left(by.dx);
    picture.increment_top(by.dy);
  };
  if (options.pareto_chart) shift("PIC2", options.pareto_shift);
  if (options.top_three_chart) shift("PIC3", options.top_three_shift);

  sheet.shapes().range(pictures).select();
  if (pictures.size() > 1) app.selection_shape_range().group().select();
  app.selection_shape_range().cut();
  sheet.range("B8").select();
  sheet.paste_special(kEnhancedMetafile, false, false);
  app.clear_clipboard();
}

// Steps 15 to 17: the WordArt title over the title band, and the diagram's final place or size.
void AddTitle(Application& app, Worksheet& sheet, std::size_t pictures) {
  sheet.shapes()
      .add_text_effect({0, std::string(kReportTitle), "Arial Unicode MS", 14, false, false}, 489.75,
                       237.75)
      .select();

  if (app.profile() == HostProfile::V11) {
    const int diagram_number = DiagramNumber(pictures);
    Shape& title = sheet.shapes().item("WordArt " + std::to_string(diagram_number + 1));
    title.fill.fore = ColourChoice::from_scheme(8);
    title.scale_width(1.19, ScaleFrom::BottomRight);
    title.scale_height(0.96, ScaleFrom::TopLeft);
    // The outline is set up and then hidden: the title ends with none.
    title.line.visible = true;
    title.line.fore = ColourChoice::from_scheme(22);
    title.line.visible = true;
    title.line.visible = false;
    title.shadow_format.set_type(6);
    title.shadow_format.increment_offset_y(-4);
    title.shadow_format.increment_offset_x(-6);
    title.increment_left(-236.25);
    title.increment_top(-186.75);
    Shape& diagram = sheet.shapes().item("图片 " + std::to_string(diagram_number));
    diagram.increment_top(3);
    diagram.increment_left(6);
  }
  if (app.profile() == HostProfile::V12) {
    Shape& title = sheet.shapes().item("矩形 " + std::to_string(DiagramNumber(pictures) + 1));
    title.fill.visible = false;
    title.cut();
    sheet.range("I3").select();
    sheet.paste();
    app.clear_clipboard();
    Shape& diagram = sheet.shapes().item(kCurrentDiagram);
    diagram.lock_aspect_ratio = false;
    diagram.set_height(369);
    diagram.set_width(918);
    diagram.rotation = 0;
  }
}

// Step 19: the logo at C2, 76.5 points wide, black shown as transparent, linked to the maker.
void AddLogo(Component& component, Application& app, Worksheet& sheet) {
  const std::string logo_file = component.win_dir + "\\Temp\\~l$go.gif";
  SaveLogoPicture(logo_file);
  sheet.shapes().insert_picture(logo_file).select();
  component.file_system().DeleteFile(logo_file);

  ShapeRange logo = app.selection_shape_range();
  logo.set_lock_aspect_ratio(true);
  logo.set_height(24.25);
  logo.set_width(76.5);
  logo.set_rotation(0);
  logo.set_transparent_background(true);
  logo.set_transparency_colour(Rgb{0, 0, 0});
  logo.set_fill_visible(false);
  sheet.hyperlinks().add(app.selection_shape_range().item(1), kMakerWebAddress);
  app.selection_shape_range().cut();
  sheet.range("C2").select();
  sheet.paste();
  app.clear_clipboard();
}

}  // namespace

void AssembleReport(Component& component) {
  OpenReportWorkbook(component);
  Application& app = component.app();
  Worksheet& sheet = app.active_sheet();
  const GenerationOptions& options = component.generation_options;
  const std::vector<std::string> pictures = ChartPictures(options);
  PasteChartPictures(app, sheet, pictures);
  WriteReportCells(component);
  ArrangeDiagram(app, sheet, options, pictures);
  AddTitle(app, sheet, pictures.size());
  MergeTitleBand(component);
  AddLogo(component, app, sheet);
  FinishReportSheet(component);
  KeepAnalysis(component);
}

}  // namespace kivo2d
