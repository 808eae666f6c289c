#include "platform/os/win_path.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/os/host_error.h"
#include "temp_folder.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;
using testing::mode_of;
using testing::TempFolder;

// The component's literals, appended to a folder value as it builds them.
constexpr const char* kExchange = "\\Temp\\程序正在运行中，请稍后。。。.xml";
constexpr const char* kTemplate = "\\temp\\Fishbone Diagram Report.xlt";
constexpr const char* kLogo = "\\Temp\\~l$go.gif";
constexpr const char* kShortcut =
    "\\Application Data\\Microsoft\\Office\\Recent\\程序正在运行中，请稍后。。。.xml.lnk";

TEST(NativePathTest, MapsTheComponentsLiteralsOntoExistingFoldersOfAnyCase) {
  TempFolder root;
  fs::create_directories(root.path() / "windows" / "Temp");
  fs::create_directories(root.path() / "profile" / "application data" / "MICROSOFT" / "office");
  struct Case {
    std::string windows_path;
    fs::path expected;
  };
  const std::string win_dir = root.str() + "/windows";
  const std::string profile = root.str() + "/profile";
  const Case cases[] = {
      {win_dir + kExchange, root.path() / "windows/Temp/程序正在运行中，请稍后。。。.xml"},
      {win_dir + kTemplate, root.path() / "windows/Temp/Fishbone Diagram Report.xlt"},
      {win_dir + kLogo, root.path() / "windows/Temp/~l$go.gif"},
      {profile + kShortcut, root.path() / "profile/application data/MICROSOFT/office/Recent/"
                                          "程序正在运行中，请稍后。。。.xml.lnk"},
      {win_dir + "\\\\TEMP\\\\x.txt", root.path() / "windows/Temp/x.txt"},
      {win_dir + "\\Missing\\temp\\x", root.path() / "windows/Missing/temp/x"},
      {win_dir + "/temp/y", root.path() / "windows/Temp/y"},
  };
  for (const Case& c : cases) EXPECT_EQ(native_path(c.windows_path), c.expected) << c.windows_path;
}

TEST(NativePathTest, MatchesAnExistingFileOfAnotherCase) {
  TempFolder root;
  root.write("Temp/程序正在运行中，请稍后。。。.XML");
  EXPECT_EQ(native_path(root.str() + "\\temp\\程序正在运行中，请稍后。。。.xml"),
            root.path() / "Temp/程序正在运行中，请稍后。。。.XML");
}

TEST(NativePathTest, ExactSpellingWinsOverOtherCases) {
  TempFolder root;
  fs::create_directories(root.path() / "TEMP");
  fs::create_directories(root.path() / "Temp");
  fs::create_directories(root.path() / "temp");
  EXPECT_EQ(native_path(root.str() + "\\temp"), root.path() / "temp");
  EXPECT_EQ(native_path(root.str() + "\\Temp"), root.path() / "Temp");
  // No exact match: the smallest name in byte order.
  EXPECT_EQ(native_path(root.str() + "\\tEMP"), root.path() / "TEMP");
}

TEST(NativePathTest, RelativePathsStayRelative) {
  EXPECT_EQ(native_path("no_such_folder_fb\\Temp\\a.xml"),
            fs::path("no_such_folder_fb/Temp/a.xml"));
}

TEST(EnsureParentFoldersTest, CreatesTheMissingFoldersPrivately) {
  TempFolder root;
  const fs::path file = ensure_parent_folders(root.str() + kExchange);
  EXPECT_EQ(file, root.path() / "Temp/程序正在运行中，请稍后。。。.xml");
  ASSERT_TRUE(fs::is_directory(root.path() / "Temp"));
  EXPECT_EQ(mode_of(root.path() / "Temp"), 0700u);
  EXPECT_FALSE(fs::exists(file));
  // The lower-case literal now reaches the same folder.
  EXPECT_EQ(ensure_parent_folders(root.str() + kTemplate),
            root.path() / "Temp/Fishbone Diagram Report.xlt");
  EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 1);
}

TEST(EnsureParentFoldersTest, CreatesSeveralLevels) {
  TempFolder root;
  const fs::path file = ensure_parent_folders(root.str() + kShortcut);
  EXPECT_TRUE(fs::is_directory(file.parent_path()));
  for (const char* folder :
       {"Application Data", "Application Data/Microsoft", "Application Data/Microsoft/Office",
        "Application Data/Microsoft/Office/Recent"}) {
    EXPECT_EQ(mode_of(root.path() / folder), 0700u) << folder;
  }
}

TEST(EnsureParentFoldersTest, AFileInTheWayIsAnError) {
  TempFolder root;
  root.write("Temp");
  try {
    ensure_parent_folders(root.str() + kExchange);
    FAIL() << "no error";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), 76);
  }
}

}  // namespace
}  // namespace fb::os
