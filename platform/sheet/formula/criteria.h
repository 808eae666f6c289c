#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/value.h"

namespace fb::sheet::formula {

// Matches text against a pattern where '*' stands for any run of characters, '?' for one
// character and '~' makes the next character literal; letters compare case-insensitively.
bool wildcard_match(std::string_view pattern, std::string_view text);

// True when a text uses a wildcard character (so that plain equality would differ).
bool has_wildcards(std::string_view pattern);

// A COUNTIF/SUMIF condition: a value to equal, or a text such as ">0", "<>0", "=abc*", "#N/A".
class Criterion {
 public:
  explicit Criterion(const Value& criterion);
  bool matches(const Value& cell) const;

 private:
  enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
  enum class Kind { Number, Text, Boolean, Error, Blank };

  bool compare(int c) const;

  Op op_ = Op::Equal;
  Kind kind_ = Kind::Number;
  double number_ = 0;
  std::string text_;
  bool boolean_ = false;
  bool explicit_equal_ = false;  // "=" alone asks for empty cells only, "" for empty text too
  ErrorCode error_ = ErrorCode::NA;
};

}  // namespace fb::sheet::formula
