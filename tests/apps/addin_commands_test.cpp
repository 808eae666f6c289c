// The command line's registration commands (as a process) and its way through the component.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "apps/fishbone/generation_host.h"
#include "platform/os/environment.h"
#include "platform/os/registry.h"
#include "tests/apps/process.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::string kProgram = FB_FISHBONE_EXE;

fs::path FreshFolder(const std::string& name) {
  const fs::path folder =
      fs::temp_directory_path() / ("fishbone-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TEST(RegisterCommand, RegisterAndUnregisterWriteTheUsersRegistryFile) {
  const fs::path config = FreshFolder("config");
  const std::string env = "XDG_CONFIG_HOME=" + config.string();
  const fs::path file = config / "fishbone" / "registry.reg";
  const std::string addin_key =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\Excel\\Addins\\KIVO2D.Connect";

  const auto registered = fbtest::RunProcess("/usr/bin/env", {env, kProgram, "register"});
  ASSERT_EQ(registered.status, 0) << registered.err;
  EXPECT_THAT(registered.out, HasSubstr("registered KIVO2D.Connect"));
  const fb::os::Registry after_register = fb::os::Registry::load(file);
  EXPECT_EQ(after_register.dword_value(addin_key, "LoadBehavior"), 3u);
  EXPECT_EQ(after_register.string_value(addin_key, "FriendlyName"), "Kivo Workbench 2");
  EXPECT_EQ(after_register.string_value(
                "HKEY_CURRENT_USER\\Software\\Classes\\KIVO2D.Connect\\InprocServer32", ""),
            fs::canonical(kProgram).string());

  const auto unregistered = fbtest::RunProcess("/usr/bin/env", {env, kProgram, "unregister"});
  ASSERT_EQ(unregistered.status, 0) << unregistered.err;
  EXPECT_FALSE(fb::os::Registry::load(file).key_exists(addin_key));

  const auto wrong = fbtest::RunProcess("/usr/bin/env", {env, kProgram, "register", "extra"});
  EXPECT_EQ(wrong.status, 2);
  fs::remove_all(config);
}

// One generation through the component: the message boxes on standard error and the exit status.
class AddinSessionTest : public ::testing::Test {
 protected:
  AddinSessionTest() {
    // The run's private folders are made under the state root.
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::replace);
    environment_.set("XDG_RUNTIME_DIR", root_.string());
  }
  ~AddinSessionTest() override { fs::remove_all(root_); }

  int Generate(const std::string& outline, const fishbone::GenerationHostSettings& options = {}) {
    const kivo2d::TreeReadResult read = kivo2d::ReadOutlineTree(outline);
    for (const auto& problem : read.problems) {
      EXPECT_TRUE(fishbone::IsLeftForTheComponent(problem)) << problem.message;
    }
    fishbone::Io io{in_, out_, err_};
    fishbone::GenerationHost host(environment_, options);
    return host.Generate(read.tree, io);
  }

  fs::path root_ = FreshFolder("session");
  fb::os::MapEnvironment environment_;
  std::istringstream in_;
  std::ostringstream out_, err_;
};

TEST_F(AddinSessionTest, AGoodTreeEndsWithTheSuccessMessage) {
  EXPECT_EQ(Generate("问题\n  人\n    培训\n  机\n    主轴\n"), fishbone::kExitOk);
  EXPECT_EQ(err_.str(),
            "[提示] 已经完成报告，剩下的部分需要您自己动手了 ^-^ "
            "\n\n若您有建议和/或疑问，请联络我们。\n");
}

TEST_F(AddinSessionTest, AChildlessMainCauseGetsTheComponentsWarning) {
  EXPECT_EQ(Generate("问题\n  人\n    培训\n  机\n"), fishbone::kExitFailure);
  EXPECT_EQ(err_.str(), "[警告！] 请确认:您录入的主原因下是否至少存在一个子原因！\n");
}

TEST_F(AddinSessionTest, WithoutTrustInTheVbaProjectTheTrustWarningEndsTheRun) {
  fishbone::GenerationHostSettings options;
  options.trust_vba = false;
  options.host_version = "11.0";
  EXPECT_EQ(Generate("问题\n  人\n    培训\n", options), fishbone::kExitFailure);
  EXPECT_THAT(err_.str(), HasSubstr("[警告！] 由于“不信任到 Visual Basic Project 的程序连接”"));
  // No help file beside the component: the help message follows.
  EXPECT_THAT(err_.str(), HasSubstr("[Kivo Workbench 2] 无法显示帮助目录"));
}

}  // namespace
