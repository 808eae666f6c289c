#include "src/pipeline/run_export.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/os/host_error.h"
#include "src/charts/chart_steps.h"
#include "src/component/component.h"
#include "src/component/exchange_paths.h"
#include "src/datasheet/steps.h"
#include "src/report/assemble_report.h"

namespace kivo2d {
namespace {

struct Step {
  const char* name;
  void (*run)(Component&);
};

constexpr Step kSteps[] = {
    {"ImportTree", ImportTree},
    {"FormatDataSheet", FormatDataSheet},
    {"WriteHeadings", WriteHeadings},
    {"WriteHierarchyFormulas", WriteHierarchyFormulas},
    {"BuildParetoTable", BuildParetoTable},
    {"BuildTopThreeTable", BuildTopThreeTable},
    {"SpreadNodeRows", SpreadNodeRows},
    {"WriteBoneCoordinates", WriteBoneCoordinates},
    {"DrawFishbone", DrawFishbone},
    {"DrawHeadAndSpine", DrawHeadAndSpine},
    {"DrawParetoChart", DrawParetoChart},
    {"DrawTopThreeChart", DrawTopThreeChart},
    {"MakeChartPictures", MakeChartPictures},
    {"AssembleReport", AssembleReport},
};
constexpr int kStepCount = static_cast<int>(std::size(kSteps));
static_assert(kStepCount == 14, "the pipeline runs fourteen steps");

void UnloadProgressWindow(Component& component) {
  if (fb::ui::Form* progress = component.forms().find("ProgressGif")) progress->unload();
}

void DeleteRecentShortcut(Component& component) {
  const std::string shortcut =
      RecentShortcutPath(component.environment().value(fb::os::kUserProfile));
  if (component.file_system().FileExists(shortcut)) component.file_system().DeleteFile(shortcut);
}

// Runs one clean-up action; a host failure is ignored so that the next action still runs.
void IgnoringFailure(const std::function<void()>& action) {
  try {
    action();
  } catch (const fb::HostError&) {
  }
}

// The window the abort routine may close: only one of a workbook this run opened or created, so
// that a failure before the generation workbook (or after it, before the report workbook) is open
// never discards a workbook of the user's with its unsaved changes.
bool ActiveWindowBelongsToRun(Component& component) {
  fb::sheet::Application& app = component.app();
  if (app.workbooks().count() == 0) return false;
  const std::string& name = app.active_workbook().name();
  const auto& mine = component.run_workbooks;
  return std::find(mine.begin(), mine.end(), name) != mine.end();
}

}  // namespace

const char* StepName(int step) {
  if (step >= 1 && step <= kStepCount) return kSteps[step - 1].name;
  return "";
}

void RunExport(Component& component) {
  RunExport(component, kStepCount);
}

void RunExport(Component& component, int last_step) {
  if (last_step < 1 || last_step > kStepCount) {
    throw std::invalid_argument("RunExport: no step " + std::to_string(last_step));
  }
  fb::sheet::Application& app = component.app();
  component.run_workbooks.clear();
  app.set_screen_updating(false);
  app.set_visible(false);
  try {
    for (int step = 1; step <= last_step; ++step) {
      kSteps[step - 1].run(component);
      if (component.after_step) component.after_step(step);
      app.do_events();
    }
    UnloadProgressWindow(component);
    app.set_visible(true);
    app.set_screen_updating(true);
    DeleteRecentShortcut(component);
  } catch (const std::exception&) {
    // The original trap caught every run-time error, not only the host's: whatever went wrong,
    // the host must come back usable.
    AbortExport(component);
  }
}

void AbortExport(Component& component) {
  fb::sheet::Application& app = component.app();
  component.export_failed = true;
  IgnoringFailure([&] { app.set_display_alerts(false); });
  IgnoringFailure([&] {
    if (ActiveWindowBelongsToRun(component)) app.active_window().close();
  });
  IgnoringFailure([&] {
    if (fb::sheet::Workbook* generation = app.workbooks().find(kExchangeFileName)) {
      generation->close();
    }
  });
  IgnoringFailure([&] { app.set_display_alerts(true); });
  IgnoringFailure([&] { UnloadProgressWindow(component); });
  IgnoringFailure([&] { app.set_visible(true); });
  IgnoringFailure([&] { app.set_screen_updating(true); });
  IgnoringFailure([&] { DeleteRecentShortcut(component); });
}

}  // namespace kivo2d
