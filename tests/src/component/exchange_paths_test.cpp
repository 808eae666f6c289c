#include "src/component/exchange_paths.h"

#include <gtest/gtest.h>

#include "platform/os/win_path.h"

namespace kivo2d {
namespace {

TEST(ExchangePathsTest, AreTheFolderValueFollowedByTheLiterals) {
  EXPECT_EQ(ExchangeFilePath("C:\\WINDOWS"), "C:\\WINDOWS\\Temp\\程序正在运行中，请稍后。。。.xml");
  EXPECT_EQ(LogoFilePath("C:\\WINDOWS"), "C:\\WINDOWS\\Temp\\~l$go.gif");
  EXPECT_EQ(RecentShortcutPath("C:\\Documents and Settings\\u"),
            "C:\\Documents and Settings\\u\\Application Data\\Microsoft\\Office\\Recent\\"
            "程序正在运行中，请稍后。。。.xml.lnk");
  EXPECT_EQ(kExchangeFileName, "程序正在运行中，请稍后。。。.xml");
}

TEST(ExchangePathsTest, MapToNativePathsUnderThePrivateFolders) {
  EXPECT_EQ(fb::os::native_path(ExchangeFilePath("/no_such_fb/windows")).string(),
            "/no_such_fb/windows/Temp/程序正在运行中，请稍后。。。.xml");
  EXPECT_EQ(fb::os::native_path(LogoFilePath("/no_such_fb/windows")).string(),
            "/no_such_fb/windows/Temp/~l$go.gif");
  EXPECT_EQ(fb::os::native_path(RecentShortcutPath("/no_such_fb/profile")).string(),
            "/no_such_fb/profile/Application Data/Microsoft/Office/Recent/"
            "程序正在运行中，请稍后。。。.xml.lnk");
}

}  // namespace
}  // namespace kivo2d
