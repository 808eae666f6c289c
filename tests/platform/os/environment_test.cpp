#include "platform/os/environment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace fb::os {
namespace {

TEST(MapEnvironmentTest, NamesMatchWithoutRegardToCase) {
  MapEnvironment env;
  env.set("WinDir", "/w");
  for (const char* name : {"WinDir", "windir", "WINDIR", "wInDiR"}) {
    EXPECT_EQ(env.get(name), "/w") << name;
  }
  EXPECT_EQ(env.get("userprofile"), std::nullopt);
  EXPECT_EQ(env.value("userprofile"), "");
}

TEST(MapEnvironmentTest, LaysOverABaseAndCanHideItsVariables) {
  MapEnvironment base;
  base.set("HOME", "/home/u").set("WinDir", "/base");
  MapEnvironment env(&base);
  env.set("windir", "/run");
  EXPECT_EQ(env.value("WinDir"), "/run");
  EXPECT_EQ(env.value("HOME"), "/home/u");
  env.unset("home");
  EXPECT_EQ(env.get("HOME"), std::nullopt);
}

TEST(ProcessEnvironmentTest, ReadsTheProcessEnvironmentIgnoringCase) {
  ::setenv("FB_OS_TEST_Variable", "value 1", 1);
  const ProcessEnvironment env;
  EXPECT_EQ(env.get("FB_OS_TEST_Variable"), "value 1");
  EXPECT_EQ(env.get("fb_os_test_variable"), "value 1");
  ::unsetenv("FB_OS_TEST_Variable");
  EXPECT_EQ(env.get("FB_OS_TEST_Variable"), std::nullopt);
}

TEST(AsciiCaseTest, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(equals_ignoring_ascii_case("Temp", "tEMP"));
  EXPECT_FALSE(equals_ignoring_ascii_case("Temp", "Temp2"));
  EXPECT_TRUE(equals_ignoring_ascii_case("程序.XML", "程序.xml"));
  EXPECT_EQ(ascii_upper("a主b"), "A主B");
}

}  // namespace
}  // namespace fb::os
