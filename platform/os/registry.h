#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/os/environment.h"

namespace fb::os {

// A per-user registry kept in a text file: what self-registration writes (the component's classes,
// its add-in key) and what the hosts read at start-up. Key paths are backslash-separated
// ("HKEY_CURRENT_USER\Software\..."), value names too are compared without regard to ASCII letter
// case, as Windows does; the empty value name is the key's default value.
//
// The file is text in the style of a registry export:
//   [HKEY_CURRENT_USER\Software\Microsoft\Office\Excel\Addins\KIVO2D.Connect]
//   "FriendlyName"="Kivo Workbench 2"
//   "LoadBehavior"=dword:00000003
//   @="default value"
// with backslash, double quote, line feed and carriage return escaped in strings (\\ \" \n \r).
// Lines starting with ";" are comments: they are kept and written back before the key that
// follows them (those after the last key at the end; those of a deleted key at the end too, so
// no comment of the user's is lost). A UTF-8 byte-order mark, as editors on Windows add, is
// accepted and not written back.
class Registry {
 public:
  using Value = std::variant<std::string, std::uint32_t>;

  // Creates the key and its missing ancestors; a key of backslashes only is std::invalid_argument.
  void create_key(std::string_view key);
  bool key_exists(std::string_view key) const;
  // Deletes the key with all its subkeys and values; an absent key is no error.
  void delete_key(std::string_view key);
  // The names of the key's immediate subkeys, as first spelled, in case-insensitive order.
  std::vector<std::string> subkeys(std::string_view key) const;

  // Sets a value, creating the key when needed.
  void set_value(std::string_view key, std::string_view name, Value value);
  std::optional<Value> value(std::string_view key, std::string_view name) const;
  std::optional<std::string> string_value(std::string_view key, std::string_view name) const;
  std::optional<std::uint32_t> dword_value(std::string_view key, std::string_view name) const;

  std::string to_text() const;
  // Throws fb::HostError 1004 naming the line for text that is not a registry file.
  static Registry parse(std::string_view text);

  // An absent file is an empty registry; an unreadable or malformed one throws fb::HostError.
  static Registry load(const std::filesystem::path& file);
  // Writes through a temporary file in the same folder renamed into place (see
  // write_file_atomically: a link is written through, never replaced); the folder is created
  // (mode 0700) when missing. Throws fb::HostError naming the file on failure.
  void save(const std::filesystem::path& file) const;

 private:
  struct Key {
    std::string name;  // the full path as first spelled
    std::map<std::string, std::pair<std::string, Value>>
        values;  // upper-cased name -> (name, value)
  };
  std::map<std::string, Key> keys_;  // upper-cased path -> key
  // Comment lines, by the upper-cased path of the key they stand before.
  std::map<std::string, std::vector<std::string>> comments_before_;
  std::vector<std::string> comments_at_end_;
};

// The registry file of the current user: $XDG_CONFIG_HOME/fishbone/registry.reg, else
// $HOME/.config/fishbone/registry.reg (HOME from the environment, else the password database).
// Registration outlives a session, so it lives with the user's settings, not with run-time state.
std::filesystem::path default_registry_file(const Environment& env);

}  // namespace fb::os
