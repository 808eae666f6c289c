#include <cmath>

#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

Operand is_na(CallContext&, Args args) {
  const Value& v = args[0].value;
  return Operand::of(Value(is_error(v) && std::get<ErrorCode>(v) == ErrorCode::NA));
}

Operand is_error(CallContext&, Args args) {
  return Operand::of(Value(sheet::is_error(args[0].value)));
}

// Fractions are truncated first: ISEVEN(2.5) is TRUE.
Operand is_even(CallContext&, Args args) {
  return Operand::of(Value(std::fmod(std::trunc(num(args[0])), 2.0) == 0));
}

Operand is_odd(CallContext&, Args args) {
  return Operand::of(Value(std::fmod(std::trunc(num(args[0])), 2.0) != 0));
}

}  // namespace fb::sheet::formula::functions
