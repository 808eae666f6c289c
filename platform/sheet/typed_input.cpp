#include "platform/sheet/typed_input.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>

#include "platform/os/environment.h"

namespace fb::sheet {
namespace {

bool looks_numeric(std::string_view t) {
  // from_chars accepts "inf" and "nan"; typed input does not.
  bool digit = false;
  for (char c : t) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digit = true;
    } else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
      return false;
    }
  }
  return digit;
}

std::optional<double> parse_number(std::string_view t) {
  if (t.empty() || !looks_numeric(t)) return std::nullopt;
  std::string_view body = t;
  if (body.front() == '+') body.remove_prefix(1);
  double number = 0;
  const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), number);
  if (ec != std::errc() || ptr != body.data() + body.size()) return std::nullopt;
  return number;
}

}  // namespace

Value typed_value(std::string_view text) {
  if (text.empty()) return Empty{};
  if (auto number = parse_number(text)) return *number;
  if (text.size() > 1 && text.back() == '%') {
    if (auto number = parse_number(text.substr(0, text.size() - 1))) return *number / 100.0;
  }
  if (os::equals_ignoring_ascii_case(text, "TRUE")) return true;
  if (os::equals_ignoring_ascii_case(text, "FALSE")) return false;
  static constexpr std::array kErrors = {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value,
                                         ErrorCode::Ref,  ErrorCode::Name, ErrorCode::Num,
                                         ErrorCode::NA};
  for (ErrorCode code : kErrors) {
    if (os::equals_ignoring_ascii_case(text, error_text(code))) return code;
  }
  return std::string(text);
}

std::string constant_text(const Value& value) {
  return value_text(value);
}

}  // namespace fb::sheet
