#include "apps/fishbone/generation_host.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include <stdlib.h>  // mkdtemp

#include "platform/os/host_error.h"
#include "platform/os/host_folders.h"
#include "src/datasheet/functions.h"

namespace fishbone {
namespace {

// A new folder of this run's own under <private root>/fishbone/runs. mkdtemp makes it with mode
// 0700 and a name nobody could have prepared.
std::filesystem::path MakeRunFolder(const fb::os::Environment& environment) {
  const std::filesystem::path runs =
      fb::os::ensure_private_folder(fb::os::private_state_root(environment) / "fishbone" / "runs");
  std::string pattern = (runs / "run-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw fb::HostError(70, "cannot make a folder for this run in \"" + runs.string() +
                                "\": " + std::strerror(errno));
  }
  const std::filesystem::path folder(pattern);
  const fb::os::HostFolders folders = fb::os::resolve_host_folders(
      environment, {.win_dir = folder / "windows", .user_profile = folder / "profile"});
  fb::os::ensure_private_folder(std::filesystem::path(folders.win_dir) / "Temp");
  return folder;
}

}  // namespace

GenerationHost::GenerationHost(const fb::os::Environment& process_environment,
                               std::string host_version)
    : run_folder_(MakeRunFolder(process_environment)),
      environment_(&process_environment),
      app_(environment_, std::move(host_version)),
      component_(environment_, file_system_, clock_, dialogs_) {
  fb::os::apply_host_folders({.win_dir = win_dir(), .user_profile = (run_folder_ / "profile").string()},
                             environment_);
  kivo2d::RegisterFunctionsClass(app_.addins());
  component_.set_app(&app_);
}

GenerationHost::~GenerationHost() {
  std::error_code ignored;
  std::filesystem::remove_all(run_folder_, ignored);
}

}  // namespace fishbone
