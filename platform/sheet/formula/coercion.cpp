#include "platform/sheet/formula/coercion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fb::sheet::formula {

namespace {

bool is_blank(char c) {
  return c == ' ';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<double> parse_number_text(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && is_blank(text[b])) ++b;
  while (e > b && is_blank(text[e - 1])) --e;
  std::string_view t = text.substr(b, e - b);
  bool percent = false;
  if (!t.empty() && t.back() == '%') {
    percent = true;
    t.remove_suffix(1);
    while (!t.empty() && is_blank(t.back())) t.remove_suffix(1);
  }
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t mantissa_digits = 0;
  while (i < t.size() && is_digit(t[i])) ++i, ++mantissa_digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && is_digit(t[i])) ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t exp_digits = 0;
    while (i < t.size() && is_digit(t[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  std::string copy(t);
  double d = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(d)) return std::nullopt;
  return percent ? d / 100 : d;
}

std::optional<ErrorCode> coerce_number(const Value& v, double& out) {
  switch (v.index()) {
    case 0:
      out = 0;
      return std::nullopt;
    case 1:
      out = std::get<double>(v);
      return std::nullopt;
    case 2:
      if (auto d = parse_number_text(std::get<std::string>(v))) {
        out = *d;
        return std::nullopt;
      }
      return ErrorCode::Value;
    case 3:
      out = std::get<bool>(v) ? 1 : 0;
      return std::nullopt;
    default:
      return std::get<ErrorCode>(v);
  }
}

std::optional<ErrorCode> coerce_logical(const Value& v, bool& out) {
  switch (v.index()) {
    case 0:
      out = false;
      return std::nullopt;
    case 1:
      out = std::get<double>(v) != 0;
      return std::nullopt;
    case 2: {
      const auto& s = std::get<std::string>(v);
      if (equal_text_ci(s, "TRUE")) {
        out = true;
        return std::nullopt;
      }
      if (equal_text_ci(s, "FALSE")) {
        out = false;
        return std::nullopt;
      }
      return ErrorCode::Value;
    }
    case 3:
      out = std::get<bool>(v);
      return std::nullopt;
    default:
      return std::get<ErrorCode>(v);
  }
}

int compare_numbers(double a, double b) {
  if (a == b) return 0;
  // 2^-48 of the larger magnitude: the last two of the 17 digits a double carries.
  const double tolerance = std::max(std::fabs(a), std::fabs(b)) * 3.5527136788005009e-15;
  if (std::fabs(a - b) < tolerance) return 0;
  return a < b ? -1 : 1;
}

int compare_text_ci(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(fold(a[i]));
    const auto y = static_cast<unsigned char>(fold(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool equal_text_ci(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compare_text_ci(a, b) == 0;
}

namespace {

// Rank of a value's type in the comparison order; empty is ranked by the other side.
int type_rank(const Value& v) {
  if (is_number(v)) return 0;
  if (is_text(v)) return 1;
  return 2;  // boolean
}

}  // namespace

int compare_values(const Value& a, const Value& b) {
  // Numbers against numbers are nearly every comparison a sheet makes.
  if (const double* x = std::get_if<double>(&a)) {
    if (const double* y = std::get_if<double>(&b)) return compare_numbers(*x, *y);
  }
  if (is_empty(a) && is_empty(b)) return 0;
  if (is_empty(a)) return -compare_values(b, a);
  if (is_empty(b)) {
    if (is_number(a)) return compare_values(a, Value(0.0));
    if (is_text(a)) return std::get<std::string>(a).empty() ? 0 : 1;
    return compare_values(a, Value(false));
  }
  const int ra = type_rank(a);
  const int rb = type_rank(b);
  if (ra != rb) return ra < rb ? -1 : 1;
  if (ra == 0) {
    return compare_numbers(std::get<double>(a), std::get<double>(b));
  }
  if (ra == 1) return compare_text_ci(std::get<std::string>(a), std::get<std::string>(b));
  const bool x = std::get<bool>(a);
  const bool y = std::get<bool>(b);
  return x == y ? 0 : (x ? 1 : -1);
}

Value number_result(double d) {
  if (!std::isfinite(d)) return ErrorCode::Num;
  return d == 0 ? 0.0 : d;  // no negative zero in cells
}

}  // namespace fb::sheet::formula
