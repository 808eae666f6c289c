#include "platform/os/registry.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/os/atomic_file.h"
#include "platform/os/host_error.h"

namespace fb::os {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "Fishbone Registry 1";

// Trims separators so "A\\B\\" and "A\\B" name the same key.
std::string normalise(std::string_view key) {
  std::string out;
  for (char c : key) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::string escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

[[noreturn]] void malformed(int line, const std::string& why) {
  throw HostError(host_error::kApplicationDefined,
                  "registry file line " + std::to_string(line) + ": " + why);
}

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the closing quote.
std::string read_quoted(std::string_view text, std::size_t& pos, int line) {
  if (pos >= text.size() || text[pos] != '"') malformed(line, "a quoted text was expected");
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\') {
      if (++pos >= text.size()) break;
      switch (text[pos]) {
        case '\\':
          out.push_back('\\');
          break;
        case '"':
          out.push_back('"');
          break;
        case 'n':
          out.push_back('\n');
          break;
        case 'r':
          out.push_back('\r');
          break;
        default:
          malformed(line, "unknown escape");
      }
      continue;
    }
    out.push_back(c);
  }
  malformed(line, "unterminated quoted text");
}

fs::path config_root(const Environment& env) {
  // A relative path is not a configuration folder (it would follow the current folder).
  if (auto config = env.get("XDG_CONFIG_HOME"); config && fs::path(*config).is_absolute()) {
    return *config;
  }
  if (auto home = env.get("HOME"); home && !home->empty()) return fs::path(*home) / ".config";
  if (const passwd* pw = ::getpwuid(::geteuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return fs::path(pw->pw_dir) / ".config";
  }
  throw HostError(host_error::kPathFileAccess,
                  "Path/File access error: no home folder for the registry file");
}

}  // namespace

void Registry::create_key(std::string_view key) {
  const std::string path = normalise(key);
  // Backslashes alone name no key; a value stored there could never be found or written back.
  if (path.empty()) throw std::invalid_argument("a registry key needs a name");
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('\\', pos + 1);
    const std::string prefix = path.substr(0, pos);
    if (prefix.empty()) continue;
    keys_.try_emplace(ascii_upper(prefix), Key{prefix, {}});
  }
}

bool Registry::key_exists(std::string_view key) const {
  return keys_.contains(ascii_upper(normalise(key)));
}

void Registry::delete_key(std::string_view key) {
  const std::string upper = ascii_upper(normalise(key));
  const auto doomed = [&](const std::string& path) {
    return path == upper ||
           (path.size() > upper.size() && path.starts_with(upper) && path[upper.size()] == '\\');
  };
  std::erase_if(keys_, [&](const auto& entry) { return doomed(entry.first); });
  std::erase_if(comments_before_, [&](auto& entry) {
    if (!doomed(entry.first)) return false;
    comments_at_end_.insert(comments_at_end_.end(), entry.second.begin(), entry.second.end());
    return true;
  });
}

std::vector<std::string> Registry::subkeys(std::string_view key) const {
  const std::string upper = ascii_upper(normalise(key)) + "\\";
  std::vector<std::string> out;
  for (const auto& [path, entry] : keys_) {
    if (!path.starts_with(upper)) continue;
    const std::string_view rest = std::string_view(path).substr(upper.size());
    if (rest.empty() || rest.find('\\') != std::string_view::npos) continue;
    out.push_back(entry.name.substr(upper.size()));
  }
  return out;
}

void Registry::set_value(std::string_view key, std::string_view name, Value value) {
  create_key(key);
  Key& entry = keys_.at(ascii_upper(normalise(key)));
  entry.values[ascii_upper(name)] = {std::string(name), std::move(value)};
}

std::optional<Registry::Value> Registry::value(std::string_view key, std::string_view name) const {
  auto it = keys_.find(ascii_upper(normalise(key)));
  if (it == keys_.end()) return std::nullopt;
  auto v = it->second.values.find(ascii_upper(name));
  if (v == it->second.values.end()) return std::nullopt;
  return v->second.second;
}

std::optional<std::string> Registry::string_value(std::string_view key,
                                                  std::string_view name) const {
  auto v = value(key, name);
  if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
  return std::get<std::string>(*v);
}

std::optional<std::uint32_t> Registry::dword_value(std::string_view key,
                                                   std::string_view name) const {
  auto v = value(key, name);
  if (!v || !std::holds_alternative<std::uint32_t>(*v)) return std::nullopt;
  return std::get<std::uint32_t>(*v);
}

std::string Registry::to_text() const {
  std::string out(kHeader);
  out += "\n";
  for (const auto& [upper, key] : keys_) {
    out += "\n";
    if (const auto comments = comments_before_.find(upper); comments != comments_before_.end()) {
      for (const std::string& comment : comments->second) out += comment + "\n";
    }
    out += "[" + key.name + "]\n";
    for (const auto& [upper_name, named] : key.values) {
      const auto& [name, value] = named;
      out += name.empty() ? std::string("@") : "\"" + escape(name) + "\"";
      out += "=";
      if (const auto* text = std::get_if<std::string>(&value)) {
        out += "\"" + escape(*text) + "\"";
      } else {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08x",
                      static_cast<unsigned>(std::get<std::uint32_t>(value)));
        out += std::string("dword:") + hex;
      }
      out += "\n";
    }
  }
  if (!comments_at_end_.empty()) out += "\n";
  for (const std::string& comment : comments_at_end_) out += comment + "\n";
  return out;
}

Registry Registry::parse(std::string_view text) {
  Registry registry;
  std::string current;
  int line_number = 0;
  bool header_seen = false;
  std::vector<std::string> comments;  // waiting for the key they stand before
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    // Every carriage return before the line feed is line-end noise (editors that wrote "\r\r\n"),
    // or a comment would lose one of them at each save.
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line.front() == ';') {
      comments.emplace_back(line);
      continue;
    }
    if (!header_seen) {
      if (line != kHeader) malformed(line_number, "not a registry file");
      header_seen = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) malformed(line_number, "bad key line");
      current = std::string(line.substr(1, line.size() - 2));
      if (normalise(current).empty()) malformed(line_number, "a key line without a key name");
      registry.create_key(current);
      if (!comments.empty()) {
        auto& before = registry.comments_before_[ascii_upper(normalise(current))];
        before.insert(before.end(), comments.begin(), comments.end());
        comments.clear();
      }
      continue;
    }
    if (current.empty()) malformed(line_number, "a value before any key");
    std::size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = read_quoted(line, pos, line_number);
    }
    if (pos >= line.size() || line[pos] != '=') malformed(line_number, "'=' expected");
    ++pos;
    const std::string_view rest = line.substr(pos);
    if (rest.starts_with("dword:")) {
      const std::string_view digits = rest.substr(6);
      if (digits.size() != 8) malformed(line_number, "a dword has eight hex digits");
      std::uint32_t number = 0;
      for (char c : digits) {
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (d < 0) malformed(line_number, "bad hex digit");
        number = number * 16 + static_cast<std::uint32_t>(d);
      }
      registry.set_value(current, name, number);
    } else {
      std::string value = read_quoted(line, pos, line_number);
      if (pos != line.size()) malformed(line_number, "text after the value");
      registry.set_value(current, name, std::move(value));
    }
  }
  registry.comments_at_end_ = std::move(comments);
  return registry;
}

Registry Registry::load(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return Registry{};
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw HostError(host_error::kPathFileAccess,
                    "Path/File access error: cannot read " + file.string());
  }
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return parse(text.str());
  } catch (const HostError& e) {
    throw HostError(e.number(), file.string() + ": " + e.description());
  }
}

void Registry::save(const fs::path& file) const {
  // Folders made here are the user's alone, as the base-directory rules ask (a new account has
  // no ~/.config); folders that exist are left as they are.
  std::vector<fs::path> missing;
  for (fs::path folder = file.parent_path(); !folder.empty() && folder != folder.root_path();
       folder = folder.parent_path()) {
    std::error_code ec;
    if (fs::exists(folder, ec) || ec) break;
    missing.push_back(folder);
  }
  for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
    if (::mkdir(folder->c_str(), 0700) != 0 && errno != EEXIST) {
      throw HostError(host_error::kPathFileAccess,
                      "Path/File access error: cannot write " + file.string() + ": cannot make " +
                          folder->string() + " (" + std::strerror(errno) + ")");
    }
    ::chmod(folder->c_str(), 0700);  // exactly 0700, whatever the umask
  }
  write_file_atomically(file, to_text());
}

fs::path default_registry_file(const Environment& env) {
  return config_root(env) / "fishbone" / "registry.reg";
}

}  // namespace fb::os
