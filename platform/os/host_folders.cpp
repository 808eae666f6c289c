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

fs::path home_folder(const Environment& env) {
  if (auto home = non_empty(env, "HOME")) return *home;
  if (const passwd* pw = ::getpwuid(::geteuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  throw HostError(host_error::kPathFileAccess,
                  "Path/File access error: no home folder for the private host folders");
}

fs::path choose(const std::optional<fs::path>& per_run, const Environment& env,
                std::string_view variable, const char* leaf) {
  if (per_run && !per_run->empty()) return *per_run;
  if (auto value = non_empty(env, variable)) return fs::path(*value);
  return private_state_root(env) / "fishbone" / leaf;
}

}  // namespace

fs::path private_state_root(const Environment& env) {
  if (auto runtime = non_empty(env, "XDG_RUNTIME_DIR")) return *runtime;
  if (auto state = non_empty(env, "XDG_STATE_HOME")) return *state;
  return home_folder(env) / ".local" / "state";
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

fs::path ensure_private_folder(const fs::path& folder) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(folder, ec);
  const fs::path& target = ec ? folder : absolute;
  fs::path built;
  for (const fs::path& part : target) {
    built /= part;
    if (part == "/" || part == "." || part == "..") continue;
    struct stat info {};
    if (::lstat(built.c_str(), &info) == 0) continue;
    if (::mkdir(built.c_str(), 0700) == 0) {
      ::chmod(built.c_str(), 0700);  // exactly 0700, whatever the umask
    } else if (errno != EEXIST) {
      refuse(built, std::string("cannot create it (") + std::strerror(errno) + ")");
    }
  }
  check_private_folder(target);
  return target;
}

HostFolders resolve_host_folders(const Environment& env, const HostFolderOptions& options) {
  HostFolders folders;
  folders.win_dir =
      ensure_private_folder(choose(options.win_dir, env, kWinDir, "windows")).string();
  folders.user_profile =
      ensure_private_folder(choose(options.user_profile, env, kUserProfile, "profile")).string();
  return folders;
}

void apply_host_folders(const HostFolders& folders, MapEnvironment& target) {
  target.set(kWinDir, folders.win_dir);
  target.set(kUserProfile, folders.user_profile);
}

}  // namespace fb::os
