#include "platform/os/process_tag.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace fb::os {
namespace {

std::string HostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
  std::string host(name);
  // Only what is safe in a file name, and short enough to leave room for the file's own name.
  for (char& c : host) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.';
    if (!plain) c = '_';
  }
  if (host.size() > 32) host.resize(32);
  return host;
}

}  // namespace

std::string process_tag() {
  return HostName() + "-" + std::to_string(::getpid());
}

bool is_stale_process_tag(std::string_view tag) {
  const auto dash = tag.rfind('-');
  if (dash == std::string_view::npos || tag.substr(0, dash) != HostName()) return false;
  const std::string_view digits = tag.substr(dash + 1);
  long pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) return false;
  if (pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void remove_stale_tagged_folders(const std::filesystem::path& parent, std::string_view prefix) {
  std::error_code failed;
  for (const auto& entry : std::filesystem::directory_iterator(parent, failed)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const auto last_dash = name.rfind('-');  // <prefix><host>-<pid>-XXXXXX
    if (last_dash == std::string::npos || last_dash <= prefix.size()) continue;
    const std::string_view tag =
        std::string_view(name).substr(prefix.size(), last_dash - prefix.size());
    if (!is_stale_process_tag(tag)) continue;
    std::error_code ignored;
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      std::filesystem::remove_all(entry.path(), ignored);
    }
  }
}

}  // namespace fb::os
