#include "src/report/report_analysis.h"

#include "platform/sheet/application.h"
#include "platform/sheet/workbook.h"
#include "src/component/analysis_sheet.h"
#include "src/component/component.h"

namespace kivo2d {

void KeepAnalysis(Component& component) {
  if (component.generation_tree.empty()) return;
  fb::sheet::Application& app = component.app();
  fb::sheet::Worksheet& report = app.active_sheet();
  fb::sheet::Worksheet& sheet = app.active_workbook().worksheets().add_after(report);
  sheet.set_name(kAnalysisSheetName);
  WriteAnalysisSheet(sheet, {component.generation_tree, component.generation_options});
  report.activate();
  sheet.set_visible(fb::sheet::SheetVisibility::VeryHidden);
}

}  // namespace kivo2d
