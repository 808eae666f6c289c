#pragma once

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apps/fishbone-gui/desktop_app.h"
#include "apps/fishbone/sample_analysis.h"
#include "platform/os/atomic_file.h"
#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/ui/headless_dialogs.h"

namespace gui_test {

namespace fs = std::filesystem;
using fishbone_gui::DesktopApp;

// One user's machine: private configuration and state folders, answers for the message boxes,
// a clock that does not make the welcome window wait, and file choices answered by the test.
struct Desk {
  Desk() : environment(&process) {
    const std::string root = home.path().toStdString();
    environment.set("XDG_CONFIG_HOME", root + "/config");
    environment.set("XDG_RUNTIME_DIR", root + "/runtime");
    environment.set("XDG_STATE_HOME", root + "/state");
    environment.set("HOME", root);
    environment.unset("WinDir");
    environment.unset("userprofile");
    // As a session manager leaves them: the runtime folder is emptied at logout, the state
    // folder stays.
    for (const char* folder : {"runtime", "state"}) {
      fs::create_directory(fs::path(root) / folder);
      fs::permissions(fs::path(root) / folder, fs::perms::owner_all);
    }
    sample = fs::path(root) / "sample.txt";
    fb::os::write_file_atomically(sample, fishbone::SampleAnalysisText());
  }
  std::unique_ptr<DesktopApp> Make() {
    fishbone_gui::DesktopOptions options;
    options.dialogs = qt_dialogs ? nullptr : &dialogs;
    options.clock = &clock;
    options.component_folder = component_folder;
    options.choose_file = [this](const std::string&, const std::string&, const std::string&,
                                 const std::string& proposed) {
      proposed_names.push_back(proposed);
      return next_file;
    };
    return std::make_unique<DesktopApp>(environment, options);
  }

  QTemporaryDir home;
  fb::os::ProcessEnvironment process;
  fb::os::MapEnvironment environment;
  fb::ui::HeadlessDialogs dialogs;
  fb::os::FakeClock clock;
  fs::path sample;
  std::string next_file;
  // The file names the program proposed, in order.
  std::vector<std::string> proposed_names;
  // Where the component lies (its help file); empty: where the build put it.
  std::string component_folder;
  // Real Qt message boxes (and the help window) instead of the recorded answers.
  bool qt_dialogs = false;
};

// A file's bytes, empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace gui_test
