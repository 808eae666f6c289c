#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "apps/fishbone/cli.h"
#include "platform/os/clock.h"
#include "platform/os/environment.h"
#include "platform/os/file_system.h"
#include "platform/sheet/host_profile.h"
#include "platform/ui/headless_dialogs.h"
#include "src/addin/headless_host.h"
#include "src/component/generation_options.h"
#include "src/editor/tree_file.h"

namespace fishbone {

// How one command-line run sets up its host, and the panel choices it hands the component.
struct GenerationHostSettings {
  std::string host_version = std::string(fb::sheet::kV12VersionText);
  // Off: the host refuses access to its VBA project, so the command takes its trust path.
  bool trust_vba = true;
  // The folder the component lies in (its help file is there).
  std::string component_folder;
  // What the user picks in the editor's settings panel before pressing "生成报表".
  kivo2d::GenerationOptions choices;
};

// One command-line run's headless host with the add-in registered, the way the desktop has it.
// The run gets folders of its own for WinDir and userprofile (mode 0700, under the user's private
// state folder), so parallel runs never share the exchange file; they go when the host does.
// Throws fb::HostError 70 (naming the folder) when no private folder can be made.
class GenerationHost {
 public:
  GenerationHost(const fb::os::Environment& process_environment,
                 const GenerationHostSettings& options = {});
  ~GenerationHost();
  GenerationHost(const GenerationHost&) = delete;
  GenerationHost& operator=(const GenerationHost&) = delete;

  kivo2d::HeadlessHost& host() { return host_; }
  fb::sheet::Application& app() { return host_.app(); }
  kivo2d::Component& component() { return host_.component(); }
  const std::filesystem::path& run_folder() const { return run_folder_; }
  std::string win_dir() const { return (run_folder_ / "windows").string(); }

  // As the user does it: the add-in connects (connect mode 3, no welcome window), "Add
  // Fishbone(&D)" opens the editor, the tree lands in its tree, the settings panel takes the
  // options' choices and "生成报表" runs the generation
  // command. Every message box is answered with its default button and printed to io.err as
  // "[title] text" (the box's line breaks as line feeds). Returns kExitOk when the component
  // reported success, kExitFailure for its warnings and failures.
  int Generate(const kivo2d::TreeDocument& tree, Io& io);
  // Whether the last generation ended with the component's failure message.
  bool run_failed() const { return run_failed_; }

 private:
  std::filesystem::path run_folder_;
  fb::os::MapEnvironment environment_;
  fb::os::FileSystemObject file_system_;
  fb::os::SystemClock clock_;
  kivo2d::GenerationOptions choices_;
  fb::ui::HeadlessDialogs dialogs_{fb::ui::HeadlessDialogs::Policy::kDefaultButton};
  kivo2d::HeadlessHost host_;
  bool run_failed_ = false;
};

// Whether a tree file's problem is only the childless main cause, which the generation command
// reports itself.
bool IsLeftForTheComponent(const kivo2d::TreeProblem& problem);

}  // namespace fishbone
