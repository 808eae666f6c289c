#include "platform/sheet/value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fb::sheet {

std::string_view error_text(ErrorCode code) noexcept {
  switch (code) {
    case ErrorCode::Null:
      return "#NULL!";
    case ErrorCode::Div0:
      return "#DIV/0!";
    case ErrorCode::Value:
      return "#VALUE!";
    case ErrorCode::Ref:
      return "#REF!";
    case ErrorCode::Name:
      return "#NAME?";
    case ErrorCode::Num:
      return "#NUM!";
    case ErrorCode::NA:
      return "#N/A";
  }
  return "#VALUE!";
}

namespace {

// Largest and smallest decimal exponents that General still writes without scientific notation.
// Fifteen significant digits cannot show 1E+15 exactly, so it switches there; small numbers keep
// positional form down to nine leading zeros after the point.
constexpr int kMaxPositionalExponent = 14;
constexpr int kMinPositionalExponent = -9;

}  // namespace

std::string general_number_text(double number) {
  if (std::isnan(number)) return "#NUM!";
  if (std::isinf(number)) return "#NUM!";
  if (number == 0) return "0";

  // Round to 15 significant digits first; the rounding may carry into a new leading digit, which
  // the exponent printf reports already accounts for.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(number));
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = number < 0 ? "-" : "";
  if (exponent > kMaxPositionalExponent || exponent < kMinPositionalExponent) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    char exp_text[16];
    std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    out += exp_text;
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const auto int_digits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= int_digits) {
    out += digits;
    out.append(int_digits - digits.size(), '0');
  } else {
    out.append(digits, 0, int_digits);
    out += '.';
    out.append(digits, int_digits, std::string::npos);
  }
  return out;
}

std::string value_text(const Value& v) {
  struct Visitor {
    std::string operator()(Empty) const { return {}; }
    std::string operator()(double d) const { return general_number_text(d); }
    std::string operator()(const std::string& s) const { return s; }
    std::string operator()(bool b) const { return b ? "TRUE" : "FALSE"; }
    std::string operator()(ErrorCode e) const { return std::string(error_text(e)); }
  };
  return std::visit(Visitor{}, v);
}

}  // namespace fb::sheet
