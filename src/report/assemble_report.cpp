#include "src/report/assemble_report.h"

#include <string>

#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/shape/shape_range.h"
#include "src/component/component.h"
#include "src/component/logo_file.h"
#include "src/report/maker_site.h"
#include "src/report/report_sheet.h"
#include "src/report/report_title.h"

namespace kivo2d {

using namespace fb::sheet;  // NOLINT(google-build-using-namespace): the object model's names

namespace {

constexpr const char* kChartPictures[] = {"PIC1", "PIC2", "PIC3"};
constexpr const char* kEnhancedMetafile = "图片(增强型图元文件)";

// The host names the objects the step creates by counting every shape made on the sheet: the
// three pasted charts, the two re-pasted ones, the group, the diagram picture, the title.
constexpr const char* kLegacyDiagram = "图片 7";
constexpr const char* kLegacyTitle = "WordArt 8";
constexpr const char* kCurrentDiagram = "Picture 1";
constexpr const char* kCurrentTitle = "矩形 8";

// Steps 2 and 3: the chart pictures at B8, each to move with its cell when the columns and rows
// get their sizes, without keeping its proportions.
void PasteChartPictures(Application& app, Worksheet& sheet) {
  sheet.range("B8").select();
  sheet.paste();
  app.clear_clipboard();
  for (const char* name : kChartPictures) {
    Shape& picture = sheet.shapes().item(name);
    picture.placement = Placement::Move;
    picture.lock_aspect_ratio = false;
  }
}

// Steps 10 to 14: the Pareto and top-three pictures over the fishbone, sized by version, then
// the three flattened into one picture at B8.
void ArrangeDiagram(Application& app, Worksheet& sheet) {
  sheet.shapes().item("PIC2").cut();
  sheet.range("F19").select();
  sheet.paste();
  sheet.shapes().item("PIC3").cut();
  sheet.range("B9").select();
  sheet.paste();
  app.clear_clipboard();

  sheet.shapes().item("PIC3").increment_left(6);
  sheet.shapes().item("PIC3").increment_top(-8.25);
  if (app.profile() == HostProfile::V11) {
    sheet.shapes().item("PIC2").increment_left(13.5);
    sheet.shapes().item("PIC2").increment_top(-3.75);
  }
  if (app.profile() == HostProfile::V12) {
    sheet.shapes().item("PIC1").set_height(369);
    Shape& pareto = sheet.shapes().item("PIC2");
    pareto.set_width(175);
    pareto.set_height(130);
    pareto.increment_left(17);
    pareto.increment_top(10);
    Shape& top_three = sheet.shapes().item("PIC3");
    top_three.set_width(175);
    top_three.set_height(346);
  }

  sheet.shapes().range({"PIC1", "PIC2", "PIC3"}).select();
  app.selection_shape_range().group().select();
  app.selection_shape_range().cut();
  sheet.range("B8").select();
  sheet.paste_special(kEnhancedMetafile, false, false);
  app.clear_clipboard();
}

// Steps 15 to 17: the WordArt title over the title band, and the diagram's final place or size.
void AddTitle(Application& app, Worksheet& sheet) {
  sheet.shapes()
      .add_text_effect({0, std::string(kReportTitle), "Arial Unicode MS", 14, false, false}, 489.75,
                       237.75)
      .select();

  if (app.profile() == HostProfile::V11) {
    Shape& title = sheet.shapes().item(kLegacyTitle);
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
    Shape& diagram = sheet.shapes().item(kLegacyDiagram);
    diagram.increment_top(3);
    diagram.increment_left(6);
  }
  if (app.profile() == HostProfile::V12) {
    Shape& title = sheet.shapes().item(kCurrentTitle);
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
  PasteChartPictures(app, sheet);
  WriteReportCells(component);
  ArrangeDiagram(app, sheet);
  AddTitle(app, sheet);
  MergeTitleBand(component);
  AddLogo(component, app, sheet);
  FinishReportSheet(component);
}

}  // namespace kivo2d
