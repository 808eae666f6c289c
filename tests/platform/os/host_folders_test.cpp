#include "platform/os/host_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/host_error.h"
#include "temp_folder.h"

namespace fb::os {
namespace {

namespace fs = std::filesystem;
using testing::mode_of;
using testing::TempFolder;

int RefusalNumber(const fs::path& folder) {
  try {
    check_private_folder(folder);
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find(folder.string()), std::string::npos) << error.what();
    return error.number();
  }
  return 0;
}

TEST(HostFoldersTest, DefaultFoldersArePrivateFoldersUnderTheRuntimeFolder) {
  TempFolder root;
  MapEnvironment env;
  env.set("XDG_RUNTIME_DIR", root.str()).set("XDG_STATE_HOME", "/nonexistent").set("HOME", "/x");
  const HostFolders folders = resolve_host_folders(env);
  EXPECT_EQ(folders.win_dir, (root.path() / "fishbone" / "windows").string());
  EXPECT_EQ(folders.user_profile, (root.path() / "fishbone" / "profile").string());
  for (const char* folder : {"fishbone", "fishbone/windows", "fishbone/profile"}) {
    EXPECT_EQ(mode_of(root.path() / folder), 0700u) << folder;
  }
}

TEST(HostFoldersTest, RootFolderChoiceTakesOnlyUsableFolders) {
  TempFolder root;
  const fs::path runtime = root.path() / "runtime";  // as a session manager makes it
  const fs::path state = root.path() / "state";
  const fs::path home = root.path() / "home";
  for (const auto& folder : {runtime, state, home}) {
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0700);
  }
  const fs::path open_runtime = root.path() / "open";  // mode 0755
  fs::create_directory(open_runtime);
  ::chmod(open_runtime.c_str(), 0755);
  const fs::path runtime_link = root.path() / "runtime-link";
  fs::create_directory_symlink(runtime, runtime_link);
  const std::string absent = (root.path() / "absent").string();
  struct Case {
    std::string runtime;
    std::string state;
    std::string expected;
    std::string persistent;  // never the runtime folder
  };
  const std::string local_state = (home / ".local" / "state").string();
  const Case cases[] = {
      {runtime.string(), state.string(), runtime.string(), state.string()},
      {runtime.string(), "", runtime.string(), local_state},
      {"", state.string(), state.string(), state.string()},
      {"relative/runtime", state.string(), state.string(), state.string()},
      {runtime_link.string(), state.string(), state.string(), state.string()},
      {open_runtime.string(), state.string(), state.string(), state.string()},
      {absent, state.string(), state.string(), state.string()},
      {"", "relative/state", local_state, local_state},
      {"", absent, absent, absent},  // made when first written to
  };
  for (const Case& c : cases) {
    MapEnvironment env;
    env.set("XDG_RUNTIME_DIR", c.runtime).set("XDG_STATE_HOME", c.state).set("HOME", home.string());
    EXPECT_EQ(private_state_root(env), fs::path(c.expected)) << c.runtime << " " << c.state;
    EXPECT_EQ(persistent_state_root(env), fs::path(c.persistent)) << c.runtime << " " << c.state;
  }
}

TEST(HostFoldersTest, AMissingHomeIsNeverCreated) {
  TempFolder root;
  const fs::path home = root.path() / "nonexistent" / "x";
  MapEnvironment env;
  env.set("HOME", home.string());
  try {
    const fs::path chosen = private_state_root(env);
    // The password database's home, which exists, is the only other answer.
    EXPECT_NE(chosen, home / ".local" / "state");
  } catch (const HostError& error) {
    EXPECT_NE(std::string(error.what()).find(home.string()), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(root.path() / "nonexistent"));
}

TEST(HostFoldersTest, FoldersOnTheWayMustBePrivateToo) {
  TempFolder root;
  const fs::path open = root.path() / "fishbone";  // an intermediate folder anyone may write
  fs::create_directories(open / "runs");
  ::chmod(open.c_str(), 0777);
  ::chmod((open / "runs").c_str(), 0700);
  try {
    ensure_private_folder(root.path(), "fishbone/runs");
    ADD_FAILURE() << "an open folder on the way was accepted";
  } catch (const HostError& error) {
    EXPECT_EQ(error.number(), host_error::kPermissionDenied);
    EXPECT_NE(std::string(error.what()).find(open.string() + ":"), std::string::npos)
        << error.what();
  }
  // The base itself, e.g. a state root anyone may write.
  ::chmod(open.c_str(), 0777);
  EXPECT_THROW(ensure_private_folder(open, "runs"), HostError);
  ::chmod(open.c_str(), 0700);
  EXPECT_EQ(ensure_private_folder(open, "runs"), open / "runs");
}

// A new account has a home and nothing in it: the state root and what lies between it and the
// home are made, private; a root that exists keeps its mode and is still checked as a base.
TEST(HostFoldersTest, AMissingStateRootIsMadeAndAnExistingOneOnlyChecked) {
  TempFolder root;
  const fs::path home = root.path() / "home";
  fs::create_directory(home);
  ::chmod(home.c_str(), 0755);
  MapEnvironment env;
  env.set("HOME", home.string());
  const fs::path runs = ensure_state_folder(private_state_root(env), "fishbone/runs");
  EXPECT_EQ(runs, home / ".local" / "state" / "fishbone" / "runs");
  for (const char* folder :
       {".local", ".local/state", ".local/state/fishbone", ".local/state/fishbone/runs"}) {
    EXPECT_EQ(mode_of(home / folder), 0700u) << folder;
  }
  EXPECT_EQ(mode_of(home), 0755u);

  const fs::path shared = root.path() / "shared";  // an existing root: used, not changed
  fs::create_directory(shared);
  ::chmod(shared.c_str(), 0755);
  EXPECT_EQ(ensure_state_folder(shared, "fishbone"), shared / "fishbone");
  EXPECT_EQ(mode_of(shared), 0755u);
  ::chmod(shared.c_str(), 0777);
  EXPECT_THROW(ensure_state_folder(shared, "fishbone"), HostError);

  // A missing root below a folder anyone may write is not made there.
  const fs::path open = root.path() / "open";
  fs::create_directory(open);
  ::chmod(open.c_str(), 0777);
  EXPECT_THROW(ensure_state_folder(open / "state", "fishbone"), HostError);
  EXPECT_FALSE(fs::exists(open / "state"));
}

TEST(HostFoldersTest, FoldersCreatedAreExactly0700WhateverTheUmask) {
  TempFolder root;
  const mode_t old = ::umask(0);
  const fs::path made = ensure_private_folder(root.path() / "a" / "b");
  ::umask(old);
  EXPECT_EQ(made, root.path() / "a" / "b");
  EXPECT_EQ(mode_of(root.path() / "a"), 0700u);
  EXPECT_EQ(mode_of(root.path() / "a" / "b"), 0700u);
}

TEST(HostFoldersTest, PerRunFolderWinsOverTheEnvironment) {
  TempFolder root;
  MapEnvironment env;
  env.set("WinDir", (root.path() / "env_windows").string())
      .set("userprofile", (root.path() / "env_profile").string());
  HostFolderOptions options;
  options.win_dir = root.path() / "run1" / "windows";
  const HostFolders folders = resolve_host_folders(env, options);
  EXPECT_EQ(folders.win_dir, (root.path() / "run1" / "windows").string());
  EXPECT_EQ(folders.user_profile, (root.path() / "env_profile").string());
  EXPECT_EQ(mode_of(root.path() / "run1" / "windows"), 0700u);
  EXPECT_TRUE(fs::is_directory(root.path() / "env_profile"));
}

TEST(HostFoldersTest, AppliedFoldersAreWhatTheComponentReads) {
  MapEnvironment base;
  base.set("WinDir", "/old");
  MapEnvironment env(&base);
  apply_host_folders(HostFolders{"/w", "/p"}, env);
  EXPECT_EQ(env.value("windir"), "/w");
  EXPECT_EQ(env.value("USERPROFILE"), "/p");
}

TEST(HostFoldersTest, RefusesGroupOrWorldWritableFolders) {
  TempFolder root;
  for (const unsigned mode : {0770u, 0707u, 0777u, 01777u}) {
    const fs::path folder = root.path() / ("m" + std::to_string(mode));
    fs::create_directory(folder);
    ::chmod(folder.c_str(), mode);
    EXPECT_EQ(RefusalNumber(folder), host_error::kPermissionDenied) << std::oct << mode;
    MapEnvironment env;
    env.set("WinDir", folder.string()).set("userprofile", root.str() + "/p");
    EXPECT_THROW(resolve_host_folders(env), HostError) << std::oct << mode;
  }
  const fs::path fine = root.path() / "fine";
  fs::create_directory(fine);
  ::chmod(fine.c_str(), 0755);
  EXPECT_EQ(RefusalNumber(fine), 0);
}

TEST(HostFoldersTest, RefusesAFolderOfAnotherUser) {
  TempFolder root;
  fs::path foreign = "/";  // owned by root
  if (::geteuid() == 0) {
    foreign = root.path() / "foreign";
    fs::create_directory(foreign);
    ::chmod(foreign.c_str(), 0700);
    ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
  }
  EXPECT_EQ(RefusalNumber(foreign), host_error::kPermissionDenied);
  HostFolderOptions options;
  options.win_dir = foreign;
  options.user_profile = root.path() / "p";
  EXPECT_THROW(resolve_host_folders(MapEnvironment(), options), HostError);
}

TEST(HostFoldersTest, RefusesSymbolicLinksAndFiles) {
  TempFolder root;
  fs::create_directory(root.path() / "real");
  ::chmod((root.path() / "real").c_str(), 0700);
  fs::create_directory_symlink(root.path() / "real", root.path() / "link");
  root.write("file");
  EXPECT_EQ(RefusalNumber(root.path() / "real"), 0);
  EXPECT_EQ(RefusalNumber(root.path() / "link"), host_error::kPermissionDenied);
  EXPECT_EQ(RefusalNumber(root.path() / "file"), host_error::kPermissionDenied);
  EXPECT_EQ(RefusalNumber(root.path() / "absent"), host_error::kPermissionDenied);
}

}  // namespace
}  // namespace fb::os
