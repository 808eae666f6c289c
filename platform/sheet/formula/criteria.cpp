#include "platform/sheet/formula/criteria.h"

#include <array>

#include "platform/sheet/formula/coercion.h"

namespace fb::sheet::formula {

namespace {

char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 character starting at s[i], so that '?' takes a whole character.
std::size_t char_length(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = b < 0x80           ? 1
                  : (b >> 5) == 0x6  ? 2
                  : (b >> 4) == 0xE  ? 3
                  : (b >> 3) == 0x1E ? 4
                                     : 1;
  return i + n <= s.size() ? n : 1;
}

bool match_from(std::string_view p, std::size_t pi, std::string_view t, std::size_t ti) {
  // Iterative matcher with single backtrack point for the last '*'.
  std::size_t star_p = std::string_view::npos;
  std::size_t star_t = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi] == '*') {
      star_p = ++pi;
      star_t = ti;
      continue;
    }
    if (pi < p.size()) {
      if (p[pi] == '?') {
        ++pi;
        ti += char_length(t, ti);
        continue;
      }
      std::size_t lit = pi;
      if (p[pi] == '~' && pi + 1 < p.size()) lit = pi + 1;
      const std::size_t n = char_length(p, lit);
      bool same = ti + n <= t.size();
      for (std::size_t k = 0; same && k < n; ++k) same = fold(p[lit + k]) == fold(t[ti + k]);
      if (same) {
        pi = lit + n;
        ti += n;
        continue;
      }
    }
    if (star_p == std::string_view::npos) return false;
    pi = star_p;
    star_t += char_length(t, star_t);
    ti = star_t;
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

struct ErrorName {
  std::string_view text;
  ErrorCode code;
};
constexpr std::array<ErrorName, 7> kErrors{{{"#NULL!", ErrorCode::Null},
                                            {"#DIV/0!", ErrorCode::Div0},
                                            {"#VALUE!", ErrorCode::Value},
                                            {"#REF!", ErrorCode::Ref},
                                            {"#NAME?", ErrorCode::Name},
                                            {"#NUM!", ErrorCode::Num},
                                            {"#N/A", ErrorCode::NA}}};

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view text) {
  return match_from(pattern, 0, text, 0);
}

bool has_wildcards(std::string_view pattern) {
  return pattern.find_first_of("*?~") != std::string_view::npos;
}

Criterion::Criterion(const Value& criterion) {
  switch (criterion.index()) {
    case 0:
      // A criterion cell that is empty asks for the number 0.
      kind_ = Kind::Number;
      number_ = 0;
      return;
    case 1:
      kind_ = Kind::Number;
      number_ = std::get<double>(criterion);
      return;
    case 3:
      kind_ = Kind::Boolean;
      boolean_ = std::get<bool>(criterion);
      return;
    case 4:
      kind_ = Kind::Error;
      error_ = std::get<ErrorCode>(criterion);
      return;
    default:
      break;
  }
  std::string_view t = std::get<std::string>(criterion);
  if (t.starts_with("<>")) {
    op_ = Op::NotEqual;
    t.remove_prefix(2);
  } else if (t.starts_with("<=")) {
    op_ = Op::LessEqual;
    t.remove_prefix(2);
  } else if (t.starts_with(">=")) {
    op_ = Op::GreaterEqual;
    t.remove_prefix(2);
  } else if (t.starts_with("=")) {
    explicit_equal_ = true;
    t.remove_prefix(1);
  } else if (t.starts_with("<")) {
    op_ = Op::Less;
    t.remove_prefix(1);
  } else if (t.starts_with(">")) {
    op_ = Op::Greater;
    t.remove_prefix(1);
  }
  if (t.empty()) {
    kind_ = Kind::Blank;
    return;
  }
  if (auto d = parse_number_text(t)) {
    kind_ = Kind::Number;
    number_ = *d;
    return;
  }
  if (equal_text_ci(t, "TRUE") || equal_text_ci(t, "FALSE")) {
    kind_ = Kind::Boolean;
    boolean_ = equal_text_ci(t, "TRUE");
    return;
  }
  for (const auto& e : kErrors) {
    if (equal_text_ci(t, e.text)) {
      kind_ = Kind::Error;
      error_ = e.code;
      return;
    }
  }
  kind_ = Kind::Text;
  text_ = t;
}

bool Criterion::compare(int c) const {
  switch (op_) {
    case Op::Equal:
      return c == 0;
    case Op::NotEqual:
      return c != 0;
    case Op::Less:
      return c < 0;
    case Op::LessEqual:
      return c <= 0;
    case Op::Greater:
      return c > 0;
    case Op::GreaterEqual:
      return c >= 0;
  }
  return false;
}

bool Criterion::matches(const Value& cell) const {
  // A cell of another type than the criterion matches only "<>", which asks for inequality.
  const bool unlike = op_ == Op::NotEqual;
  switch (kind_) {
    case Kind::Blank:
      if (op_ == Op::Equal) {
        return is_empty(cell) ||
               (!explicit_equal_ && is_text(cell) && std::get<std::string>(cell).empty());
      }
      if (op_ == Op::NotEqual) return !is_empty(cell);
      return false;
    case Kind::Number: {
      double d = 0;
      if (is_number(cell)) {
        d = std::get<double>(cell);
      } else if (is_text(cell) && (op_ == Op::Equal || op_ == Op::NotEqual)) {
        // Numbers stored as text count as the number where equality is asked.
        auto parsed = parse_number_text(std::get<std::string>(cell));
        if (!parsed) return unlike;
        d = *parsed;
      } else {
        return unlike;
      }
      return compare(compare_numbers(d, number_));
    }
    case Kind::Boolean:
      if (!is_boolean(cell)) return unlike;
      return compare(std::get<bool>(cell) == boolean_ ? 0 : (std::get<bool>(cell) ? 1 : -1));
    case Kind::Error:
      if (!is_error(cell)) return unlike;
      if (op_ == Op::Equal) return std::get<ErrorCode>(cell) == error_;
      if (op_ == Op::NotEqual) return std::get<ErrorCode>(cell) != error_;
      return false;
    case Kind::Text: {
      if (!is_text(cell)) return unlike;
      const std::string& s = std::get<std::string>(cell);
      if (op_ == Op::Equal) return wildcard_match(text_, s);
      if (op_ == Op::NotEqual) return !wildcard_match(text_, s);
      return compare(compare_text_ci(s, text_));
    }
  }
  return false;
}

}  // namespace fb::sheet::formula
