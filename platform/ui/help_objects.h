#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fb::ui {

// The stored files of a compiled help file, as the help reader process hands them to the program
// that shows the help (see read_help_objects): the compiled-help library never runs in the
// program itself.
struct HelpObject {
  enum class State { kRead, kTooLarge, kUnreadable };
  std::string name;  // as the file stores it, with its leading "/"
  State state = State::kRead;
  std::string bytes;  // when read
  friend bool operator==(const HelpObject&, const HelpObject&) = default;
};

// What one help file may hand over: far above the product's own (a few dozen files, 20 KB).
inline constexpr std::size_t kMaxHelpObjects = 10000;
inline constexpr std::size_t kMaxHelpFileBytes = std::size_t{64} * 1024 * 1024;

// The objects as bytes to pass between the processes, and back; nothing when the bytes are not
// such a list (cut short, lengths that do not add up, more than the limits allow).
std::string encode_help_objects(const std::vector<HelpObject>& objects);
std::optional<std::vector<HelpObject>> decode_help_objects(std::string_view bytes);

}  // namespace fb::ui
