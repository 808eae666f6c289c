#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/os/win_path.h"
#include "platform/ui/headless_dialogs.h"
#include "src/addin/component_windows.h"
#include "src/addin/headless_host.h"
#include "src/component/exchange_paths.h"
#include "src/windows/help_topics.h"

namespace kivo2d::testing {

// "[title] text" of every message box, in order; help requests as "help topic".
inline std::vector<std::string> Transcript(const fb::ui::HeadlessDialogs& dialogs) {
  std::vector<std::string> out;
  for (const fb::ui::DialogRecord& r : dialogs.transcript()) {
    if (r.kind == fb::ui::DialogRecord::Kind::kHelp) {
      out.push_back("help " + r.topic);
    } else {
      out.push_back("[" + r.title + "] " + r.text);
    }
  }
  return out;
}

// A headless host in private WinDir, userprofile and component folders (the help file is there
// unless a test removes it), with a fake clock and strict message boxes: a question nobody
// queued an answer for fails the test.
class AddinFixture : public ::testing::Test {
 public:
  AddinFixture() { InstallHelpFile(); }
  void SetUp() override { MakeHost("12.0"); }
  void TearDown() override {
    host_.reset();
    std::filesystem::remove_all(root_);
  }

  // Builds the host afresh for another version profile.
  void MakeHost(const std::string& version) {
    host_.reset();
    host_ = std::make_unique<HeadlessHost>(environment_, file_system_, clock_, dialogs_, version);
    host_->component().component_folder = (root_ / "component").string();
  }

  HeadlessHost& host() { return *host_; }
  fb::sheet::Application& app() { return host_->app(); }
  fb::office::OfficeHost& office() { return host_->office(); }
  Component& component() { return host_->component(); }
  Work& editor() { return Windows(component()).work(); }
  Hello& hello() { return Windows(component()).hello(); }

  std::string win_dir() const { return (root_ / "windows").string(); }
  std::filesystem::path Native(const std::string& windows_path) const {
    return fb::os::native_path(windows_path);
  }
  std::filesystem::path ExchangeFile() const { return Native(ExchangeFilePath(win_dir())); }
  std::filesystem::path HelpFile() const {
    return Native(HelpFilePath((root_ / "component").string()));
  }
  // The three traces an earlier run may leave.
  std::vector<std::filesystem::path> Leftovers() const {
    return {ExchangeFile(), Native(LogoFilePath(win_dir())),
            Native(RecentShortcutPath((root_ / "profile").string()))};
  }
  // The product's help file, beside the component as the install puts it.
  void InstallHelpFile() const {
    std::filesystem::create_directories(HelpFile().parent_path());
    std::filesystem::copy_file(FB_HELP_FILE, HelpFile(),
                               std::filesystem::copy_options::overwrite_existing);
  }
  static void Touch(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
  }

  // Connects (mode 3 unless told) and opens the editor from the command bar.
  void ConnectAndOpenEditor(int mode = fb::office::connect_mode::kCommandLine) {
    host().Connect(mode);
    ASSERT_TRUE(host().ClickFishboneButton("Add Fishbone(&D)"));
    ASSERT_TRUE(editor().loaded());
  }

 protected:
  static std::filesystem::path MakeRoot() {
    static int counter = 0;
    const auto root =
        std::filesystem::temp_directory_path() /
        ("fishbone-addin-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(root);
    for (const char* folder : {"windows/Temp", "profile", "component"}) {
      std::filesystem::create_directories(root / folder);
    }
    return root;
  }

  std::filesystem::path root_ = MakeRoot();
  fb::os::MapEnvironment environment_ = [this] {
    fb::os::MapEnvironment env;
    env.set(fb::os::kWinDir, (root_ / "windows").string());
    env.set(fb::os::kUserProfile, (root_ / "profile").string());
    return env;
  }();
  fb::os::FileSystemObject file_system_;
  fb::os::FakeClock clock_;
  fb::ui::HeadlessDialogs dialogs_;
  std::unique_ptr<HeadlessHost> host_;
};

}  // namespace kivo2d::testing
