#include "platform/os/file_system.h"

#include <gtest/gtest.h>

#include "platform/os/host_error.h"
#include "temp_folder.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

int ErrorNumber(const FileSystemObject& fso, const std::string& path) {
  try {
    fso.DeleteFile(path);
  } catch (const HostError& error) {
    return error.number();
  }
  return 0;
}

TEST(FileSystemObjectTest, FileExistsOnWindowsStylePaths) {
  TempFolder root;
  root.write("Temp/程序正在运行中，请稍后。。。.xml");
  fs::create_directories(root.path() / "Temp" / "folder");
  const FileSystemObject fso;
  struct Case {
    std::string literal;
    bool exists;
  };
  const Case cases[] = {
      {"\\Temp\\程序正在运行中，请稍后。。。.xml", true},
      {"\\temp\\程序正在运行中，请稍后。。。.XML", true},
      {"\\Temp\\~l$go.gif", false},
      {"\\Temp\\folder", false},  // a folder is not a file
      {"\\Nowhere\\x", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fso.FileExists(root.str() + c.literal), c.exists) << c.literal;
}

TEST(FileSystemObjectTest, DeleteFileDeletesThroughCaseFolding) {
  TempFolder root;
  const fs::path file = root.write("Temp/~l$go.gif");
  const FileSystemObject fso;
  fso.DeleteFile(root.str() + "\\TEMP\\~L$GO.GIF");
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(fso.FileExists(root.str() + "\\Temp\\~l$go.gif"));
}

TEST(FileSystemObjectTest, DeletingAnAbsentFileOrAFolderIsError53) {
  TempFolder root;
  fs::create_directories(root.path() / "Temp");
  const FileSystemObject fso;
  EXPECT_EQ(ErrorNumber(fso, root.str() + "\\Temp\\absent.xml"), host_error::kFileNotFound);
  EXPECT_EQ(ErrorNumber(fso, root.str() + "\\Temp"), host_error::kFileNotFound);
  EXPECT_TRUE(fs::is_directory(root.path() / "Temp"));
}

TEST(FileSystemObjectTest, DeletingALinkLeavesItsTarget) {
  TempFolder root;
  const fs::path target = root.write("target.txt");
  fs::create_directories(root.path() / "Temp");
  fs::create_symlink(target, root.path() / "Temp" / "link.xml");
  const FileSystemObject fso;
  ASSERT_TRUE(fso.FileExists(root.str() + "\\Temp\\link.xml"));
  fso.DeleteFile(root.str() + "\\Temp\\link.xml");
  EXPECT_FALSE(fs::exists(fs::symlink_status(root.path() / "Temp" / "link.xml")));
  EXPECT_TRUE(fs::exists(target));
}

}  // namespace
}  // namespace fb::os
