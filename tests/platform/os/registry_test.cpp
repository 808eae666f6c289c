#include "platform/os/registry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/os/host_error.h"
#include "temp_folder.h"

namespace fb::os {
namespace {

using testing::TempFolder;

constexpr const char* kAddins = "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\Excel\\Addins";

TEST(RegistryTest, KeysAndValuesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  Registry registry;
  registry.set_value(std::string(kAddins) + "\\KIVO2D.Connect", "LoadBehavior", 3u);
  registry.set_value(std::string(kAddins) + "\\kivo2d.connect\\", "FriendlyName", std::string("K"));
  registry.set_value(std::string(kAddins) + "\\Other.Addin", "", std::string("default"));

  EXPECT_EQ(registry.subkeys("hkey_current_user\\software\\microsoft\\office\\excel\\addins"),
            (std::vector<std::string>{"KIVO2D.Connect", "Other.Addin"}));
  EXPECT_EQ(registry.dword_value(std::string(kAddins) + "\\KIVO2D.CONNECT", "loadbehavior"), 3u);
  EXPECT_EQ(registry.string_value(std::string(kAddins) + "\\KIVO2D.Connect", "FriendlyName"), "K");
  // A value of the other type is not there for the typed readers.
  EXPECT_EQ(registry.string_value(std::string(kAddins) + "\\KIVO2D.Connect", "LoadBehavior"),
            std::nullopt);
  EXPECT_TRUE(registry.key_exists("HKEY_CURRENT_USER\\Software"));

  registry.delete_key(std::string(kAddins) + "\\kivo2d.connect");
  EXPECT_FALSE(registry.key_exists(std::string(kAddins) + "\\KIVO2D.Connect"));
  EXPECT_TRUE(registry.key_exists(std::string(kAddins) + "\\Other.Addin"));
  registry.delete_key("HKEY_CURRENT_USER\\No\\Such\\Key");  // absent: no error
  // Deleting a key takes its subkeys, but not a sibling whose name merely starts the same way.
  registry.set_value("HKEY_CURRENT_USER\\A\\B", "x", 1u);
  registry.set_value("HKEY_CURRENT_USER\\AB", "x", 1u);
  registry.delete_key("HKEY_CURRENT_USER\\A");
  EXPECT_FALSE(registry.key_exists("HKEY_CURRENT_USER\\A\\B"));
  EXPECT_TRUE(registry.key_exists("HKEY_CURRENT_USER\\AB"));
}

TEST(RegistryTest, SavedFileReadsBackWithEscapesAndDwords) {
  TempFolder folder;
  const auto file = folder.path() / "config" / "fishbone" / "registry.reg";  // neither exists
  Registry registry;
  const std::string tricky = "a \"quoted\" C:\\path\r\nnext line 鱼骨图";
  registry.set_value("HKEY_CURRENT_USER\\Software\\Classes\\KIVO2D.Connect", "", tricky);
  registry.set_value(std::string(kAddins) + "\\KIVO2D.Connect", "LoadBehavior", 0xDEADBEEFu);
  registry.save(file);
  EXPECT_EQ(testing::mode_of(file.parent_path()), 0700u);
  EXPECT_EQ(testing::mode_of(folder.path() / "config"), 0700u);

  const Registry back = Registry::load(file);
  EXPECT_EQ(back.string_value("HKEY_CURRENT_USER\\Software\\Classes\\KIVO2D.Connect", ""), tricky);
  EXPECT_EQ(back.dword_value(std::string(kAddins) + "\\KIVO2D.Connect", "LoadBehavior"),
            0xDEADBEEFu);
  EXPECT_EQ(back.to_text(), registry.to_text());
  // The temporary file of the atomic save is gone.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
  // An absent file is an empty registry.
  EXPECT_TRUE(Registry::load(folder.path() / "absent.reg").subkeys("HKEY_CURRENT_USER").empty());
}

TEST(RegistryTest, MalformedFilesAreRefusedNamingFileAndLine) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"REGEDIT4\n", "not a registry file"},
      {"Fishbone Registry 1\n\"x\"=\"y\"\n", "line 2: a value before any key"},
      {"Fishbone Registry 1\n[K]\n\"x\"=dword:123\n", "line 3: a dword has eight hex digits"},
      {"Fishbone Registry 1\n[K]\n\"x\"=\"unterminated\n", "line 3: unterminated quoted text"},
      {"Fishbone Registry 1\n[K]\n\"x\"=\"a\\q\"\n", "line 3: unknown escape"},
      {"Fishbone Registry 1\n[K]\n\"x\"=\"a\" tail\n", "line 3: text after the value"},
      // Found by fuzzing: backslashes only named an empty key and the reader threw out_of_range.
      {"Fishbone Registry 1\n[\\]\n@=\"x\"\n", "line 2: a key line without a key name"},
      {"Fishbone Registry 1\n[\\\\\\]\n", "line 2: a key line without a key name"},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto file = folder.write("bad.reg", c.text);
    try {
      Registry::load(file);
      ADD_FAILURE() << "accepted";
    } catch (const HostError& error) {
      EXPECT_NE(error.description().find(file.string()), std::string::npos) << error.description();
      EXPECT_NE(error.description().find(c.why), std::string::npos) << error.description();
    }
  }
}

TEST(RegistryTest, WhatItWritesReadsBackToTheSameText) {
  // Found by fuzzing: a comment ending in several carriage returns lost one at every save.
  for (const std::string& text :
       {std::string(";\r\r\r\n;\n"), std::string("Fishbone Registry 1\r\r\n[K]\r\r\n; c\r\r\n")}) {
    SCOPED_TRACE(text);
    const std::string written = Registry::parse(text).to_text();
    EXPECT_EQ(Registry::parse(written).to_text(), written);
    EXPECT_EQ(written.find('\r'), std::string::npos);
  }
}

TEST(RegistryTest, CommentsAndAByteOrderMarkSurviveALoadAndSave) {
  TempFolder folder;
  const auto file = folder.path() / "registry.reg";
  const std::string kivo = std::string(kAddins) + "\\KIVO2D.Connect";
  const std::string other = std::string(kAddins) + "\\Other.Addin";
  std::ofstream(file, std::ios::binary)
      << "\xEF\xBB\xBF; my registry, edited by hand\r\nFishbone Registry 1\r\n\r\n"
      << "; the add-in that comes and goes\n[" << kivo << "]\n\"LoadBehavior\"=dword:00000003\n\n"
      << "; keep this one\n[" << other << "]\n@=\"x\"\n; the end\n";
  Registry registry = Registry::load(file);
  EXPECT_EQ(registry.dword_value(kivo, "LoadBehavior"), 3u);
  registry.delete_key(kivo);  // what unregister does
  registry.save(file);

  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  for (const char* comment : {"; my registry, edited by hand", "; the add-in that comes and goes",
                              "; keep this one", "; the end"}) {
    EXPECT_NE(text.find(comment), std::string::npos) << comment << " lost:\n" << text;
  }
  EXPECT_LT(text.find("; keep this one"), text.find("[" + other + "]"));
  EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF"));
  const Registry again = Registry::load(file);
  EXPECT_FALSE(again.key_exists(kivo));
  EXPECT_EQ(again.string_value(other, ""), "x");
  EXPECT_EQ(again.to_text(), text);  // a second round trip changes nothing
}

TEST(RegistryTest, DefaultFileFollowsTheUsersConfigFolder) {
  MapEnvironment env;
  env.set("XDG_CONFIG_HOME", "/cfg").set("HOME", "/home/u");
  EXPECT_EQ(default_registry_file(env), std::filesystem::path("/cfg/fishbone/registry.reg"));
  for (const char* ignored : {"relative/cfg", ""}) {
    env.set("XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(default_registry_file(env),
              std::filesystem::path("/home/u/.config/fishbone/registry.reg"))
        << ignored;
  }
}

}  // namespace
}  // namespace fb::os
