#include <algorithm>
#include <cmath>

#include "platform/os/utf16.h"
#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

// Text positions and lengths count UTF-16 code units, as the host's strings do.

Operand concatenate(CallContext&, Args args) {
  std::string s;
  for (const Operand& a : args) s += text(a);
  return Operand::of(Value(std::move(s)));
}

Operand len(CallContext&, Args args) {
  return Operand::of(Value(static_cast<double>(os::utf16_length(text(args[0])))));
}

Operand mid(CallContext&, Args args) {
  const double start = std::trunc(num(args[1]));
  const double count = std::trunc(num(args[2]));
  if (start < 1 || count < 0) return Operand::of(ErrorCode::Value);
  const std::string& s = text(args[0]);
  const double length = static_cast<double>(os::utf16_length(s));
  if (start > length) return Operand::of(Value(std::string()));
  return Operand::of(Value(os::utf16_substr(s, static_cast<std::size_t>(start - 1),
                                            static_cast<std::size_t>(std::min(count, length)))));
}

namespace {

// LEFT and RIGHT take one character when the count is left out; an empty count is 0.
std::optional<std::size_t> side_count(Args args, std::size_t length) {
  if (args.size() < 2) return 1;
  const double n = std::trunc(num(args[1]));
  if (n < 0) return std::nullopt;
  return static_cast<std::size_t>(std::min(n, static_cast<double>(length)));
}

}  // namespace

Operand left(CallContext&, Args args) {
  const std::string& s = text(args[0]);
  auto n = side_count(args, os::utf16_length(s));
  if (!n) return Operand::of(ErrorCode::Value);
  return Operand::of(Value(os::utf16_substr(s, 0, *n)));
}

Operand right(CallContext&, Args args) {
  const std::string& s = text(args[0]);
  const std::size_t length = os::utf16_length(s);
  auto n = side_count(args, length);
  if (!n) return Operand::of(ErrorCode::Value);
  return Operand::of(Value(os::utf16_substr(s, length - *n, *n)));
}

// VALUE converts text; an empty cell is 0 and a boolean is no number.
Operand value(CallContext&, Args args) {
  const Value& v = args[0].value;
  if (sheet::is_error(v)) return Operand::of(v);
  if (is_empty(v)) return Operand::of(0.0);
  if (is_number(v)) return Operand::of(v);
  if (is_boolean(v)) return Operand::of(ErrorCode::Value);
  if (auto d = parse_number_text(std::get<std::string>(v))) return Operand::of(Value(*d));
  return Operand::of(ErrorCode::Value);
}

// Codes 1 to 127 are ASCII; 128 to 255 are taken as Latin-1, since the host's single-byte code
// page has no characters of its own there.
Operand char_(CallContext&, Args args) {
  const double code = std::trunc(num(args[0]));
  if (code < 1 || code > 255) return Operand::of(ErrorCode::Value);
  const auto c = static_cast<unsigned>(code);
  std::string s;
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else {
    s.push_back(static_cast<char>(0xC0 | (c >> 6)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return Operand::of(Value(std::move(s)));
}

}  // namespace fb::sheet::formula::functions
