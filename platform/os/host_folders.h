#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/os/environment.h"

namespace fb::os {

// Where the component's "WinDir" and "userprofile" folders are on this machine.
//
// The component writes files with fixed names ("\Temp\程序正在运行中，请稍后。。。.xml") under
// WinDir. A fixed name in a shared, world-writable folder invites symlink and race attacks, so
// every folder chosen here must be private: a real folder (not a symbolic link) owned by the
// effective user and writable by nobody else. Folders this code creates get mode 0700.
//
// Order of choice, for each of the two folders:
//   1. the folder the host sets for this run (the command line gives every run its own folder);
//   2. the environment variable (WinDir, userprofile) when it is set and not empty;
//   3. a private per-user folder: <root>/fishbone/windows for WinDir and
//      <root>/fishbone/profile for userprofile, where <root> is private_state_root (made by
//      ensure_state_folder when missing).
// The chosen folder is created when missing (mode 0700) and then checked; an unsafe folder is
// refused with fb::HostError 70 whose description names the folder and the reason.
struct HostFolderOptions {
  std::optional<std::filesystem::path> win_dir;       // per-run WinDir folder set by the host
  std::optional<std::filesystem::path> user_profile;  // per-run userprofile folder
};

struct HostFolders {
  std::string win_dir;       // native absolute path, as the component's WinDir value
  std::string user_profile;  // native absolute path, as the component's userprofile value
};

HostFolders resolve_host_folders(const Environment& env, const HostFolderOptions& options = {});

// Sets WinDir and userprofile of `target` (usually laid over the process environment) to the
// folders, so the component's environment lookups return them.
void apply_host_folders(const HostFolders& folders, MapEnvironment& target);

// The root under which the private default folders are made; it need not exist yet (a new
// account has no ~/.local/state), ensure_state_folder makes it:
//   - $XDG_RUNTIME_DIR when it is an absolute path to a real folder (not a symbolic link) owned
//     by the effective user with mode 0700, as the session manager makes it; otherwise it is
//     passed over (a link to /etc, a relative path, a folder of another user);
//   - else $XDG_STATE_HOME when it is an absolute path (a relative one is ignored, as the
//     base-directory rules say);
//   - else <home>/.local/state, where <home> is $HOME when it is an absolute path to an existing
//     folder, else the password database's home folder when that exists.
// A home that does not exist is never created: without a usable one this throws fb::HostError
// 75 naming what was tried.
std::filesystem::path private_state_root(const Environment& env);

// The same choice without the runtime folder, for what must outlive the session (a recovery
// file): the session manager empties $XDG_RUNTIME_DIR at logout, and it is gone after a reboot.
std::filesystem::path persistent_state_root(const Environment& env);

// Throws fb::HostError 70 unless `folder` is a directory (not a symbolic link) owned by the
// effective user and without group or other write permission.
void check_private_folder(const std::filesystem::path& folder);

// Makes `base / relative` a private folder: `base` must exist (a link is followed) and be owned
// by the effective user without group or other write permission; each folder of `relative`
// below it is entered only when check_private_folder accepts it and is otherwise created with
// mode 0700. Throws fb::HostError 70 naming the first folder that fails. Returns the absolute
// path of `base / relative`.
std::filesystem::path ensure_private_folder(const std::filesystem::path& base,
                                            const std::filesystem::path& relative);

// The same for a folder given whole: its nearest existing ancestor is the base.
std::filesystem::path ensure_private_folder(const std::filesystem::path& folder);

// Makes `root / relative` private where `root` is one of the state roots above: a missing root
// is made first, with its missing parents, mode 0700 (its nearest existing ancestor is the base
// and must pass the base's check), as the base-directory rules ask of a program writing there;
// then the root is the base of ensure_private_folder(root, relative). An existing root is only
// checked, never changed.
std::filesystem::path ensure_state_folder(const std::filesystem::path& root,
                                          const std::filesystem::path& relative);

}  // namespace fb::os
