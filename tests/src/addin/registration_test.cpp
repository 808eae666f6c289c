#include "src/addin/registration.h"

#include <gtest/gtest.h>

#include "platform/office/com_addins.h"

namespace kivo2d {
namespace {

TEST(RegistrationTest, RegisterWritesClassesAndAddinKeyAndUnregisterRemovesThem) {
  fb::os::Registry registry;
  registry.set_value(fb::office::ComAddIns::addins_key() + "\\Other.Addin", "LoadBehavior", 3u);
  RegisterComponent(registry, "/opt/kivo2d/libkivo2d.so");

  const std::string addin =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\Excel\\Addins\\KIVO2D.Connect";
  EXPECT_EQ(registry.string_value(addin, "FriendlyName"), "Kivo Workbench 2");
  EXPECT_EQ(registry.string_value(addin, "Description"),
            "基于 Microsoft Office Excel 2003 和 Excel 2007 的鱼骨图生成工具");
  EXPECT_EQ(registry.dword_value(addin, "LoadBehavior"), 3u);
  for (const char* prog_id : {"KIVO2D.Connect", "KIVO2D.Functions"}) {
    SCOPED_TRACE(prog_id);
    const std::string key = std::string("HKEY_CURRENT_USER\\Software\\Classes\\") + prog_id;
    EXPECT_EQ(registry.string_value(key + "\\InprocServer32", ""), "/opt/kivo2d/libkivo2d.so");
  }

  UnregisterComponent(registry);
  EXPECT_FALSE(registry.key_exists(addin));
  EXPECT_FALSE(registry.key_exists("HKEY_CURRENT_USER\\Software\\Classes\\KIVO2D.Connect"));
  EXPECT_FALSE(registry.key_exists("HKEY_CURRENT_USER\\Software\\Classes\\KIVO2D.Functions"));
  // Someone else's add-in stays; unregistering twice is no error.
  EXPECT_TRUE(registry.key_exists(fb::office::ComAddIns::addins_key() + "\\Other.Addin"));
  UnregisterComponent(registry);
}

}  // namespace
}  // namespace kivo2d
