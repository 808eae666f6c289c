#pragma once

#include <filesystem>
#include <string>

#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/sheet/application.h"
#include "platform/ui/headless_dialogs.h"
#include "src/addin/component.h"

namespace fishbone {

// A headless spreadsheet host with the component connected, as one command-line run needs it.
// The run gets folders of its own for WinDir and userprofile (mode 0700, under the user's private
// state folder), so parallel runs never share the exchange file, and the folders go when the
// host does. Throws fb::HostError 70 (naming the folder) when no private folder can be made.
class GenerationHost {
 public:
  GenerationHost(const fb::os::Environment& process_environment, std::string host_version);
  ~GenerationHost();
  GenerationHost(const GenerationHost&) = delete;
  GenerationHost& operator=(const GenerationHost&) = delete;

  fb::sheet::Application& app() { return app_; }
  kivo2d::Component& component() { return component_; }
  fb::ui::HeadlessDialogs& dialogs() { return dialogs_; }
  const std::filesystem::path& run_folder() const { return run_folder_; }
  std::string win_dir() const { return (run_folder_ / "windows").string(); }

 private:
  std::filesystem::path run_folder_;
  fb::os::MapEnvironment environment_;
  fb::os::FileSystemObject file_system_;
  fb::os::SystemClock clock_;
  fb::ui::HeadlessDialogs dialogs_{fb::ui::HeadlessDialogs::Policy::kDefaultButton};
  fb::sheet::Application app_;
  kivo2d::Component component_;
};

}  // namespace fishbone
