// A new account's first run: a home folder with nothing in it and none of the XDG_* variables,
// as a container, an ssh login without a session manager, a CI runner or a new employee has.
// Both programs must make what they keep there themselves, private to the user.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/apps/process.h"

namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777u) : 0u;
}

class FirstRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "fb-first-run-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    fs::create_directory(home());
    fs::permissions(home(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    options_.environment = {{"HOME", home().string()}, {"QT_QPA_PLATFORM", "offscreen"}};
    options_.unset = {"XDG_RUNTIME_DIR", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                      "XDG_DATA_HOME"};
    options_.folder = root_.string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path home() const { return root_ / "home"; }

  // Every folder below ~/.local/state, which only this program writes to in a new home.
  void ExpectStateFoldersPrivate(const std::vector<std::string>& expected) const {
    const fs::path state = home() / ".local" / "state";
    for (const char* folder : {".local", ".local/state"}) {
      EXPECT_EQ(ModeOf(home() / folder), 0700u) << folder;
    }
    for (const std::string& folder : expected) {
      EXPECT_TRUE(fs::is_directory(state / folder)) << folder;
    }
    std::error_code failed;
    for (const auto& entry : fs::recursive_directory_iterator(state, failed)) {
      if (entry.is_directory()) {
        EXPECT_EQ(ModeOf(entry.path()), 0700u) << entry.path();
      }
    }
    EXPECT_FALSE(failed) << failed.message();
  }

  fs::path root_;
  fbtest::ProcessOptions options_;
};

TEST_F(FirstRun, TheDemoWritesItsReportAndKeepsItsFoldersPrivate) {
  const auto demo = fbtest::RunProcess(FB_FISHBONE_EXE, {"demo", "-o", "out"}, options_);
  ASSERT_EQ(demo.status, 0) << demo.err;
  for (const char* name : {"report.xlsx", "report.pdf", "report.png"}) {
    EXPECT_GT(fs::file_size(root_ / "out" / name), 0u) << name;
  }
  ExpectStateFoldersPrivate({"fishbone", "fishbone/runs"});
  EXPECT_TRUE(fs::is_empty(home() / ".local/state/fishbone/runs")) << "a run folder was left";
  EXPECT_EQ(ModeOf(home()), 0755u) << "the home folder itself is the user's, not ours to change";
}

TEST_F(FirstRun, TheDesktopStartsAndKeepsItsFoldersPrivate) {
  const auto start = fbtest::RunProcess(FB_GUI_EXE, {"--quit-after-start"}, options_);
  ASSERT_EQ(start.status, 0) << start.err;
  ExpectStateFoldersPrivate(
      {"fishbone", "fishbone/desktop", "fishbone/windows", "fishbone/profile"});
  // The first start registers the add-in, in a configuration folder it makes private too.
  EXPECT_TRUE(fs::is_regular_file(home() / ".config/fishbone/registry.reg"));
  for (const char* folder : {".config", ".config/fishbone"}) {
    EXPECT_EQ(ModeOf(home() / folder), 0700u) << folder;
  }
}

}  // namespace
