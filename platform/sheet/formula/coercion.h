#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sheet/value.h"

namespace fb::sheet::formula {

// Text that the host reads as a number where arithmetic needs one: optional blanks around an
// optional sign, digits with an optional decimal point and exponent, an optional trailing '%'.
// "" is no number.
std::optional<double> parse_number_text(std::string_view text);

// A value as arithmetic takes it: empty is 0, TRUE is 1, text must read as a number (else
// #VALUE!), errors stay errors. Returns the error, or nullopt with `out` set.
std::optional<ErrorCode> coerce_number(const Value& v, double& out);

// A value as a logical test takes it: numbers are TRUE unless 0, text must be "TRUE" or "FALSE"
// (any case), empty is FALSE.
std::optional<ErrorCode> coerce_logical(const Value& v, bool& out);

// A value as a text context takes it; errors are the caller's to propagate first.
inline std::string coerce_text(const Value& v) {
  return value_text(v);
}

// Excel's ordering of two values for the comparison operators: numbers before text before
// booleans, text case-insensitively; an empty value takes the other side's type (0, "" or
// FALSE). Neither side may be an error. Returns <0, 0 or >0.
int compare_values(const Value& a, const Value& b);

// Ordering of two numbers as the host compares them: numbers that agree to about 15 significant
// digits are equal, so that 0.1+0.2=0.3 holds as it does on screen.
int compare_numbers(double a, double b);

// Case-insensitive ordering of two texts: ASCII letters fold; other characters compare by code
// point.
int compare_text_ci(std::string_view a, std::string_view b);
bool equal_text_ci(std::string_view a, std::string_view b);

// A finite result, or #NUM! for an overflow or an undefined result.
Value number_result(double d);

}  // namespace fb::sheet::formula
