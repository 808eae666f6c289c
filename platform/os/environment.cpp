#include "platform/os/environment.h"

#include <cstdlib>
#include <cstring>

extern char** environ;  // NOLINT(readability-identifier-naming): POSIX name

namespace fb::os {

namespace {
char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool equals_ignoring_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

std::string ascii_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upper(c);
  return out;
}

std::optional<std::string> ProcessEnvironment::get(std::string_view name) const {
  const std::string wanted(name);
  if (const char* exact = std::getenv(wanted.c_str())) return std::string(exact);
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* eq = std::strchr(*entry, '=');
    if (eq == nullptr) continue;
    if (equals_ignoring_ascii_case(std::string_view(*entry, static_cast<std::size_t>(eq - *entry)),
                                   name)) {
      return std::string(eq + 1);
    }
  }
  return std::nullopt;
}

MapEnvironment& MapEnvironment::set(std::string_view name, std::string_view value) {
  values_[ascii_upper(name)] = std::string(value);
  return *this;
}

MapEnvironment& MapEnvironment::unset(std::string_view name) {
  values_[ascii_upper(name)] = std::nullopt;
  return *this;
}

std::optional<std::string> MapEnvironment::get(std::string_view name) const {
  const auto it = values_.find(ascii_upper(name));
  if (it != values_.end()) return it->second;
  if (base_ != nullptr) return base_->get(name);
  return std::nullopt;
}

}  // namespace fb::os
