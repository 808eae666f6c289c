#include "platform/os/host_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/os/host_error.h"

namespace fb::os {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void refuse(const fs::path& folder, const std::string& reason) {
  throw HostError(host_error::kPermissionDenied,
                  "Permission denied: unsafe folder " + folder.string() + ": " + reason);
}

std::optional<std::string> non_empty(const Environment& env, std::string_view name) {
  auto value = env.get(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

bool IsExistingFolder(const fs::path& path) {
  struct stat info {};
  return path.is_absolute() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// What a session manager makes: a real folder of the user's, mode 0700.
bool IsRuntimeFolder(const fs::path& path) {
  struct stat info {};
  return path.is_absolute() && ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

fs::path home_folder(const Environment& env) {
  std::string tried;
  if (auto home = non_empty(env, "HOME")) {
    if (IsExistingFolder(*home)) return *home;
    tried = " ($HOME is \"" + *home + "\", which is not an existing folder)";
  }
  if (const passwd* pw = ::getpwuid(::geteuid()); pw != nullptr && pw->pw_dir != nullptr) {
    if (IsExistingFolder(pw->pw_dir)) return pw->pw_dir;
  }
  throw HostError(host_error::kPathFileAccess,
                  "Path/File access error: no home folder for the private host folders" + tried);
}

fs::path ensure_chosen(const std::optional<fs::path>& per_run, const Environment& env,
                       std::string_view variable, const char* leaf) {
  if (per_run && !per_run->empty()) return ensure_private_folder(*per_run);
  if (auto value = non_empty(env, variable)) return ensure_private_folder(fs::path(*value));
  return ensure_state_folder(private_state_root(env), fs::path("fishbone") / leaf);
}

}  // namespace

fs::path persistent_state_root(const Environment& env) {
  if (auto state = non_empty(env, "XDG_STATE_HOME"); state && fs::path(*state).is_absolute()) {
    return *state;
  }
  return home_folder(env) / ".local" / "state";
}

fs::path private_state_root(const Environment& env) {
  if (auto runtime = non_empty(env, "XDG_RUNTIME_DIR"); runtime && IsRuntimeFolder(*runtime)) {
    return *runtime;
  }
  return persistent_state_root(env);
}

void check_private_folder(const fs::path& folder) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    refuse(folder, std::string("cannot inspect it (") + std::strerror(errno) + ")");
  }
  if (S_ISLNK(info.st_mode)) refuse(folder, "it is a symbolic link");
  if (!S_ISDIR(info.st_mode)) refuse(folder, "it is not a folder");
  if (info.st_uid != ::geteuid()) {
    refuse(folder, "it is owned by user id " + std::to_string(info.st_uid) + ", not by " +
                       std::to_string(::geteuid()));
  }
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    refuse(folder, "it is writable by its group or by others");
  }
}

fs::path ensure_private_folder(const fs::path& base, const fs::path& relative) {
  std::error_code ec;
  const fs::path absolute_base = fs::absolute(base, ec);
  const fs::path& root = ec ? base : absolute_base;
  struct stat info {};
  if (::stat(root.c_str(), &info) != 0) {
    refuse(root, std::string("cannot inspect it (") + std::strerror(errno) + ")");
  }
  if (!S_ISDIR(info.st_mode)) refuse(root, "it is not a folder");
  if (info.st_uid != ::geteuid()) {
    refuse(root, "it is owned by user id " + std::to_string(info.st_uid) + ", not by " +
                     std::to_string(::geteuid()));
  }
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    refuse(root, "it is writable by its group or by others");
  }
  fs::path built = root;
  for (const fs::path& part : relative) {
    if (part.empty() || part == "." || part == "/") continue;
    if (part == "..") refuse(base / relative, "it climbs out of " + root.string());
    built /= part;
    if (::mkdir(built.c_str(), 0700) == 0) {
      ::chmod(built.c_str(), 0700);  // exactly 0700, whatever the umask
    } else if (errno != EEXIST) {
      refuse(built, std::string("cannot create it (") + std::strerror(errno) + ")");
    }
    check_private_folder(built);  // made now, or entered: either way it must be ours alone
  }
  return built;
}

fs::path ensure_private_folder(const fs::path& folder) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(folder, ec);
  const fs::path target = (ec ? folder : absolute).lexically_normal();
  fs::path base = target;
  while (base.has_relative_path()) {
    struct stat info {};
    if (::lstat(base.c_str(), &info) == 0) break;
    base = base.parent_path();
  }
  if (base == target) {
    check_private_folder(target);
    return target;
  }
  return ensure_private_folder(base, target.lexically_relative(base));
}

fs::path ensure_state_folder(const fs::path& root, const fs::path& relative) {
  struct stat info {};
  if (::lstat(root.c_str(), &info) != 0 && errno == ENOENT) ensure_private_folder(root);
  return ensure_private_folder(root, relative);
}

HostFolders resolve_host_folders(const Environment& env, const HostFolderOptions& options) {
  HostFolders folders;
  folders.win_dir = ensure_chosen(options.win_dir, env, kWinDir, "windows").string();
  folders.user_profile = ensure_chosen(options.user_profile, env, kUserProfile, "profile").string();
  return folders;
}

void apply_host_folders(const HostFolders& folders, MapEnvironment& target) {
  target.set(kWinDir, folders.win_dir);
  target.set(kUserProfile, folders.user_profile);
}

}  // namespace fb::os
