#include "platform/os/win_path.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"

namespace fb::os {

namespace fs = std::filesystem;

namespace {

constexpr int kPathNotFound = 76;

std::vector<std::string> split_components(std::string_view text, bool& absolute) {
  std::vector<std::string> parts;
  absolute = !text.empty() && (text.front() == '\\' || text.front() == '/');
  std::string current;
  for (const char c : text) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// The name under which `component` exists in `folder`, or nothing.
std::optional<std::string> existing_spelling(const fs::path& folder, const std::string& component) {
  std::error_code ec;
  const fs::path exact = folder.empty() ? fs::path(component) : folder / component;
  if (fs::exists(fs::symlink_status(exact, ec))) return component;
  if (component == "." || component == "..") return std::nullopt;
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  std::optional<std::string> best;
  fs::directory_iterator it(where, ec);
  if (ec) return std::nullopt;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (equals_ignoring_ascii_case(name, component) && (!best || name < *best)) {
      best = std::move(name);
    }
  }
  return best;
}

void make_private_folder(const fs::path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0) {
    if (errno == EEXIST) {
      std::error_code ec;
      if (fs::is_directory(folder, ec)) return;
    }
    throw HostError(kPathNotFound, "Path not found: cannot create folder " + folder.string() +
                                       " (" + std::strerror(errno) + ")");
  }
  ::chmod(folder.c_str(), 0700);
}

}  // namespace

fs::path native_path(std::string_view windows_path) {
  bool absolute = false;
  const std::vector<std::string> parts = split_components(windows_path, absolute);
  fs::path result = absolute ? fs::path("/") : fs::path();
  bool matching = true;
  for (const std::string& part : parts) {
    if (matching) {
      if (auto spelled = existing_spelling(result, part)) {
        result /= *spelled;
        continue;
      }
      matching = false;
    }
    result /= part;
  }
  return result;
}

fs::path ensure_folder(std::string_view windows_folder_path) {
  fs::path folder = native_path(windows_folder_path);
  fs::path built;
  for (const fs::path& part : folder) {
    built /= part;
    if (part == "/" || part == "." || part == "..") continue;
    std::error_code ec;
    const fs::file_status status = fs::status(built, ec);
    if (!fs::exists(status)) {
      make_private_folder(built);
    } else if (!fs::is_directory(status)) {
      throw HostError(kPathNotFound, "Path not found: " + built.string() + " is not a folder");
    }
  }
  return folder;
}

fs::path ensure_parent_folders(std::string_view windows_path) {
  fs::path file = native_path(windows_path);
  if (file.has_parent_path()) {
    // The parent is already mapped; ensure_folder maps it again to the same spelling.
    ensure_folder(file.parent_path().string());
  }
  return file;
}

}  // namespace fb::os
