#include "src/report/report_sheet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/ui/headless_dialogs.h"
#include "src/component/component.h"
#include "tests/src/report/report_form_expectations.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;

// A headless host with the component connected and a private WinDir holding a Temp folder.
class ReportHost {
 public:
  explicit ReportHost(std::string version)
      : root_(fs::temp_directory_path() /
              ("fb-report-" + std::to_string(::getpid()) + "-" + std::to_string(++counter_))),
        app_(environment_, std::move(version)),
        component_(environment_, file_system_, clock_, dialogs_) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "windows" / "Temp");
    environment_.set(fb::os::kWinDir, (root_ / "windows").string());
    component_.set_app(&app_);
  }
  ~ReportHost() { fs::remove_all(root_); }
  ReportHost(const ReportHost&) = delete;
  ReportHost& operator=(const ReportHost&) = delete;

  Component& component() { return component_; }
  fb::sheet::Application& app() { return app_; }
  fs::path temp() const { return root_ / "windows" / "Temp"; }

  // The cell parts of the report step, in the step's order.
  void BuildReportCells() {
    OpenReportWorkbook(component_);
    WriteReportCells(component_);
    MergeTitleBand(component_);
    FinishReportSheet(component_);
  }

 private:
  static inline int counter_ = 0;
  fs::path root_;
  fb::os::MapEnvironment environment_;
  fb::os::FileSystemObject file_system_;
  fb::os::FakeClock clock_;
  fb::ui::HeadlessDialogs dialogs_;
  fb::sheet::Application app_;
  Component component_;
};

TEST(ReportWorkbook, OpensFromTheTemplateAndLeavesNoFileBehind) {
  ReportHost host("12.0");
  OpenReportWorkbook(host.component());
  EXPECT_EQ(host.app().active_workbook().name(), "Fishbone Diagram Report1");
  EXPECT_EQ(host.app().active_sheet().name(), "Sheet1");
  EXPECT_EQ(host.component().run_workbooks, (std::vector<std::string>{"Fishbone Diagram Report1"}));
  EXPECT_TRUE(fs::is_empty(host.temp()));
  // A second run writes the file afresh and makes the next workbook.
  OpenReportWorkbook(host.component());
  EXPECT_EQ(host.app().active_workbook().name(), "Fishbone Diagram Report2");
  EXPECT_TRUE(fs::is_empty(host.temp()));
}

TEST(ReportWorkbook, TemplateThatCannotBeWrittenFailsAtTheOpen) {
  ReportHost host("12.0");
  fs::remove_all(host.temp());
  try {
    OpenReportWorkbook(host.component());
    ADD_FAILURE() << "the report workbook opened without its template";
  } catch (const fb::HostError& e) {
    EXPECT_EQ(e.number(), 1004);
  }
  EXPECT_EQ(host.app().workbooks().count(), 0);
}

TEST(ReportSheet, CellsAsTheFormHasThemInBothProfiles) {
  struct Profile {
    const char* version;
    double column_width;
  };
  for (const Profile p : {Profile{"11.0", 4.75}, Profile{"12.0", 5.25}, Profile{"9.0", 8.38}}) {
    SCOPED_TRACE(p.version);
    ReportHost host(p.version);
    host.BuildReportCells();
    testing::ExpectReportForm(host.app(), p.column_width);
  }
}

}  // namespace
}  // namespace kivo2d
