#include "apps/fishbone/generation_host.h"

#include <stdlib.h>  // mkdtemp

#include <cerrno>
#include <cstring>
#include <ostream>
#include <system_error>

#include "platform/office/com_addins.h"
#include "platform/os/host_error.h"
#include "platform/os/host_folders.h"
#include "platform/os/process_tag.h"
#include "platform/os/stop_cleanup.h"
#include "src/addin/component_windows.h"
#include "src/addin/connect.h"
#include "src/addin/generation_messages.h"

namespace fishbone {
namespace {

// A new folder of this run's own under <private root>/fishbone/runs, with windows/Temp and
// profile below it. mkdtemp makes it with mode 0700 and a name nobody could have prepared; it is
// on the stop-cleanup list from the moment it exists.
std::filesystem::path MakeRunFolder(const fb::os::Environment& environment) {
  const std::filesystem::path runs =
      fb::os::ensure_state_folder(fb::os::private_state_root(environment), "fishbone/runs");
  // Those of killed processes go first, so they do not pile up.
  fb::os::remove_stale_tagged_folders(runs, "run-");
  std::string pattern = (runs / ("run-" + fb::os::process_tag() + "-XXXXXX")).string();
  {
    auto held = fb::os::StopCleanup::instance().hold();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw fb::HostError(70, "cannot make a folder for this run in \"" + runs.string() +
                                  "\": " + std::strerror(errno));
    }
    fb::os::StopCleanup::instance().add(pattern, held);
  }
  const std::filesystem::path folder(pattern);
  try {
    fb::os::ensure_private_folder(folder, "windows/Temp");
    fb::os::ensure_private_folder(folder, "profile");
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    fb::os::StopCleanup::instance().forget(folder);
    throw;
  }
  return folder;
}

// The process environment with the run's own WinDir and userprofile laid over it.
fb::os::MapEnvironment RunEnvironment(const fb::os::Environment& process_environment,
                                      const std::filesystem::path& run_folder) {
  fb::os::MapEnvironment environment(&process_environment);
  environment.set(fb::os::kWinDir, (run_folder / "windows").string());
  environment.set(fb::os::kUserProfile, (run_folder / "profile").string());
  return environment;
}

std::string WithLineFeeds(std::string text) {
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  return text;
}

}  // namespace

GenerationHost::GenerationHost(const fb::os::Environment& process_environment,
                               const GenerationHostSettings& options)
    : run_folder_(MakeRunFolder(process_environment)),
      environment_(RunEnvironment(process_environment, run_folder_)),
      choices_(options.choices),
      host_(environment_, file_system_, clock_, dialogs_, options.host_version) {
  host_.office().set_trust_vba_project_access(options.trust_vba);
  host_.component().component_folder = options.component_folder;
}

GenerationHost::~GenerationHost() {
  std::error_code ignored;
  std::filesystem::remove_all(run_folder_, ignored);
  fb::os::StopCleanup::instance().forget(run_folder_);
}

int GenerationHost::Generate(const kivo2d::TreeDocument& tree, Io& io) {
  bool succeeded = false;
  run_failed_ = false;
  dialogs_.set_on_dialog([&](const fb::ui::DialogRecord& record) {
    if (record.kind != fb::ui::DialogRecord::Kind::kMessageBox) return;
    io.err << "[" << record.title << "] " << WithLineFeeds(record.text) << '\n';
    if (record.title == kivo2d::kSuccessTitle && record.text == kivo2d::kSuccessMessage) {
      succeeded = true;
    }
    if (record.title == kivo2d::kFailureTitle && record.text == kivo2d::kFailureMessage) {
      run_failed_ = true;
    }
  });
  if (!host_.component().connected()) host_.Connect(fb::office::connect_mode::kCommandLine);
  if (!host_.ClickFishboneButton(kivo2d::kAddFishboneCaption)) return kExitFailure;
  kivo2d::Work& editor = kivo2d::Windows(host_.component()).work();
  if (!editor.loaded()) return kExitFailure;  // the editor refused to open; it said why
  editor.ImportTree(tree);
  editor.Settings.Select(choices_);
  editor.AddFishbone.click();
  dialogs_.set_on_dialog({});
  return succeeded ? kExitOk : kExitFailure;
}

bool IsLeftForTheComponent(const kivo2d::TreeProblem& problem) {
  return problem.message.find(kivo2d::kMainCauseWithoutChildText) != std::string::npos;
}

}  // namespace fishbone
