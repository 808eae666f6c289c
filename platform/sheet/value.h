#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace fb::sheet {

// Excel's error values. They are ordinary values of the formula engine: they flow through
// arithmetic and functions, are stored in cells and compare equal to themselves.
enum class ErrorCode : std::uint8_t { Null, Div0, Value, Ref, Name, Num, NA };

// The text Excel shows for an error ("#N/A", "#DIV/0!", ...).
std::string_view error_text(ErrorCode code) noexcept;

struct Empty {
  friend bool operator==(Empty, Empty) noexcept { return true; }
};

// A cell's content or a formula's scalar result. Text is UTF-8.
using Value = std::variant<Empty, double, std::string, bool, ErrorCode>;

inline bool is_empty(const Value& v) noexcept {
  return std::holds_alternative<Empty>(v);
}
inline bool is_number(const Value& v) noexcept {
  return std::holds_alternative<double>(v);
}
inline bool is_text(const Value& v) noexcept {
  return std::holds_alternative<std::string>(v);
}
inline bool is_boolean(const Value& v) noexcept {
  return std::holds_alternative<bool>(v);
}
inline bool is_error(const Value& v) noexcept {
  return std::holds_alternative<ErrorCode>(v);
}

// A number as the General format shows it: up to 15 significant digits, no trailing zeros,
// scientific notation where General switches to it ("0.333333333333333", "1E+20").
std::string general_number_text(double number);

// A value as a text context sees it: numbers in General format, TRUE/FALSE, errors as their
// text, empty as "".
std::string value_text(const Value& v);

}  // namespace fb::sheet
