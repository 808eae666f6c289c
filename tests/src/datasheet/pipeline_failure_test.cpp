// How the pipeline ends: on success and after a failing step, the host comes back usable and no
// workbook of the user's is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/os/win_path.h"
#include "platform/sheet/fault_injection.h"
#include "platform/ui/form.h"
#include "tests/src/datasheet/pipeline_host.h"

namespace kivo2d {
namespace {

using fb::sheet::HostOperation;
using testing::PipelineHost;

const testing::Tree kTree = {
    {"A", "问题"}, {"A1", "人"}, {"A11", "培训"}, {"A2", "机"}, {"A21", "主轴"}};

// Stands in for the progress window the generation command shows before the run.
class ProgressWindow : public fb::ui::Form {
 public:
  explicit ProgressWindow(fb::ui::FormRegistry& forms) : Form(forms, "ProgressGif") {}
};

struct FailureCase {
  const char* name;
  int arm_after_step;  // 0: before the run
  // The operation that fails; the window state is set only once the exchange file is open.
  HostOperation operation;
};

class PipelineFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PipelineFailure, RestoresTheHostAndKeepsTheUsersWorkbook) {
  const FailureCase& c = GetParam();
  PipelineHost host;
  fb::sheet::Application& app = host.app();
  // A workbook of the user's with unsaved changes, active when the run starts.
  fb::sheet::Workbook& mine = app.workbooks().add();
  mine.worksheets().item(1).range("A1").set_value("unsaved work");
  mine.set_saved(false);
  ProgressWindow progress(host.component().forms());
  progress.show();

  if (c.arm_after_step == 0) app.faults().fail_on(c.operation, 1, 1004, "injected");
  host.Generate(kTree, [&](int step) {
    if (step == c.arm_after_step) app.faults().fail_on(c.operation, 1, 1004, "injected");
  });

  EXPECT_TRUE(host.component().export_failed);
  EXPECT_TRUE(app.visible());
  EXPECT_TRUE(app.screen_updating());
  EXPECT_TRUE(app.display_alerts());
  EXPECT_FALSE(progress.loaded());
  EXPECT_EQ(app.workbooks().find(std::string(kExchangeFileName)), nullptr);
  ASSERT_NE(app.workbooks().find(mine.name()), nullptr);
  EXPECT_EQ(mine.worksheets().item(1).range("A1").text(), "unsaved work");
  EXPECT_FALSE(
      std::filesystem::exists(fb::os::native_path(RecentShortcutPath(host.user_profile()))));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PipelineFailure,
    ::testing::Values(FailureCase{"ImportBeforeTheFileIsOpen", 0, HostOperation::WorkbooksOpen},
                      FailureCase{"ImportAfterTheFileIsOpen", 0, HostOperation::WindowState},
                      FailureCase{"Hierarchy", 3, HostOperation::SetFormula},
                      FailureCase{"BoneCoordinates", 7, HostOperation::Delete}),
    [](const ::testing::TestParamInfo<FailureCase>& param) {
      return std::string(param.param.name);
    });

TEST(Pipeline, SuccessLeavesTheHostShownAndCleansUp) {
  PipelineHost host;
  ProgressWindow progress(host.component().forms());
  progress.show();
  host.Generate(kTree);

  fb::sheet::Application& app = host.app();
  EXPECT_FALSE(host.component().export_failed);
  EXPECT_TRUE(app.visible());
  EXPECT_TRUE(app.screen_updating());
  EXPECT_FALSE(progress.loaded());
  // The exchange file went at import, its recent-file shortcut at the end.
  EXPECT_FALSE(std::filesystem::exists(fb::os::native_path(ExchangeFilePath(host.win_dir()))));
  EXPECT_FALSE(
      std::filesystem::exists(fb::os::native_path(RecentShortcutPath(host.user_profile()))));
  // The add-in is installed only while the top-three table is computed.
  EXPECT_FALSE(app.addins().item(kFunctionsProgId).installed());
}

TEST(Pipeline, SecondRunAfterACompletedOneWritesAFreshExchangeFile) {
  PipelineHost host;
  host.GenerateThrough(8, kTree);
  ASSERT_FALSE(host.component().export_failed);
  host.app().workbooks().item(std::string(kExchangeFileName)).close(false);
  host.GenerateThrough(8, kTree);
  EXPECT_FALSE(host.component().export_failed);
}

}  // namespace
}  // namespace kivo2d
