#include "src/editor/leftovers.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/os/host_error.h"
#include "platform/os/win_path.h"
#include "src/component/exchange_paths.h"

namespace kivo2d {
namespace {

namespace fs = std::filesystem;

// Records the calls of the component and passes them on to the real object.
class RecordingFso : public fb::os::FileSystemObject {
 public:
  bool FileExists(std::string_view path) const override {
    calls.push_back("exists " + std::string(path));
    return FileSystemObject::FileExists(path);
  }
  void DeleteFile(std::string_view path) const override {
    calls.push_back("delete " + std::string(path));
    FileSystemObject::DeleteFile(path);
  }
  mutable std::vector<std::string> calls;
};

class LeftoversTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "fb_leftovers_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    win_dir_ = (root_ / "windows").string();
    profile_ = (root_ / "profile").string();
  }
  void TearDown() override { fs::remove_all(root_); }

  void Create(const std::string& windows_path) {
    std::ofstream(fb::os::ensure_parent_folders(windows_path)) << "left over";
  }

  fs::path root_;
  std::string win_dir_;
  std::string profile_;
};

TEST_F(LeftoversTest, DeletesTheThreeFilesWhereTheyExist) {
  const std::vector<std::string> paths = {ExchangeFilePath(win_dir_), LogoFilePath(win_dir_),
                                          RecentShortcutPath(profile_)};
  for (const std::string& path : paths) Create(path);
  Create(win_dir_ + "\\Temp\\other.xml");
  RecordingFso fso;
  DeleteLeftovers(fso, win_dir_, profile_);
  EXPECT_EQ(fso.calls, (std::vector<std::string>{"exists " + paths[0], "delete " + paths[0],
                                                 "exists " + paths[1], "delete " + paths[1],
                                                 "exists " + paths[2], "delete " + paths[2]}));
  for (const std::string& path : paths) EXPECT_FALSE(fs::exists(fb::os::native_path(path)));
  EXPECT_TRUE(fs::exists(root_ / "windows/Temp/other.xml"));
}

TEST_F(LeftoversTest, AbsentFilesAreNoErrorAndAreNotDeleted) {
  struct Case {
    bool exchange;
    bool logo;
    bool shortcut;
  };
  const Case cases[] = {{false, false, false}, {true, false, false}, {false, true, true}};
  for (const Case& c : cases) {
    if (c.exchange) Create(ExchangeFilePath(win_dir_));
    if (c.logo) Create(LogoFilePath(win_dir_));
    if (c.shortcut) Create(RecentShortcutPath(profile_));
    RecordingFso fso;
    EXPECT_NO_THROW(DeleteLeftovers(fso, win_dir_, profile_));
    const long deletions = std::count_if(fso.calls.begin(), fso.calls.end(),
                                         [](const auto& s) { return s.rfind("delete ", 0) == 0; });
    EXPECT_EQ(deletions, int{c.exchange} + int{c.logo} + int{c.shortcut});
    EXPECT_FALSE(fso.FileExists(ExchangeFilePath(win_dir_)));
    EXPECT_FALSE(fso.FileExists(RecentShortcutPath(profile_)));
  }
}

TEST_F(LeftoversTest, FindsFilesWhateverTheLetterCaseOfTheirFolders) {
  std::ofstream(fb::os::ensure_parent_folders(win_dir_ + "\\TEMP\\~l$go.gif")) << "x";
  fb::os::FileSystemObject fso;
  DeleteLeftovers(fso, win_dir_, profile_);
  EXPECT_FALSE(fs::exists(root_ / "windows/TEMP/~l$go.gif"));
}

}  // namespace
}  // namespace kivo2d
