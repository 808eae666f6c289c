#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fb::os {

// The two environment variables the component reads (Windows spells them this way; names are
// compared without regard to ASCII letter case, as Windows does).
inline constexpr std::string_view kWinDir = "WinDir";
inline constexpr std::string_view kUserProfile = "userprofile";

// Read access to environment variables. The component never calls getenv itself: every host
// passes one of these, so tests give their own values.
class Environment {
 public:
  virtual ~Environment() = default;

  // The variable's value, or nothing when it is not set. Names match case-insensitively.
  virtual std::optional<std::string> get(std::string_view name) const = 0;

  // As VB's Environ(name): the value, or "" when the variable is not set.
  std::string value(std::string_view name) const { return get(name).value_or(std::string()); }
};

// The real process environment. An exact match wins; otherwise the first variable whose name
// equals `name` ignoring ASCII case.
class ProcessEnvironment final : public Environment {
 public:
  std::optional<std::string> get(std::string_view name) const override;
};

// An environment of explicit values, optionally laid over another one (the base is consulted
// for names this map neither sets nor unsets). Tests use it alone; hosts lay the folders they
// decided (WinDir, userprofile) over the process environment.
class MapEnvironment final : public Environment {
 public:
  explicit MapEnvironment(const Environment* base = nullptr) : base_(base) {}

  MapEnvironment& set(std::string_view name, std::string_view value);
  // Hides the variable, also when the base has it.
  MapEnvironment& unset(std::string_view name);

  std::optional<std::string> get(std::string_view name) const override;

 private:
  const Environment* base_;
  // Keyed by the upper-cased name; nullopt marks an explicit unset.
  std::map<std::string, std::optional<std::string>> values_;
};

// ASCII case-insensitive equality, as Windows compares variable names and path components.
bool equals_ignoring_ascii_case(std::string_view a, std::string_view b);
std::string ascii_upper(std::string_view text);

}  // namespace fb::os
