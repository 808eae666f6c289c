#pragma once

#include <stdexcept>
#include <string>

namespace fb {

// A failing host operation, as the spreadsheet program's runtime reported it: an error number
// (1004 application-defined, 9 subscript out of range, 53 file not found, 70 permission denied,
// ...) and a description. Component code that "ignores a failure and goes on" catches this type
// and nothing else, so genuine programming errors still surface.
class HostError : public std::runtime_error {
 public:
  HostError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  int number() const noexcept { return number_; }
  std::string description() const { return what(); }

 private:
  int number_;
};

namespace host_error {
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kFileNotFound = 53;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kApplicationDefined = 1004;
}  // namespace host_error

}  // namespace fb
