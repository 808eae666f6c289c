#pragma once

#include <span>

#include "platform/sheet/formula/call_context.h"
#include "platform/sheet/formula/operand.h"

// Implementations of the built-in functions. Each receives its arguments already brought to the
// kinds the function table declares (see ArgKind), so a scalar argument is a Value of the
// declared type and errors of scalar arguments have already been returned.
namespace fb::sheet::formula::functions {

using Args = std::span<Operand>;

// logical.cpp
Operand and_(CallContext&, Args);
Operand or_(CallContext&, Args);
Operand not_(CallContext&, Args);
// information.cpp
Operand is_na(CallContext&, Args);
Operand is_error(CallContext&, Args);
Operand is_even(CallContext&, Args);
Operand is_odd(CallContext&, Args);
// text.cpp
Operand concatenate(CallContext&, Args);
Operand len(CallContext&, Args);
Operand mid(CallContext&, Args);
Operand left(CallContext&, Args);
Operand right(CallContext&, Args);
Operand value(CallContext&, Args);
Operand char_(CallContext&, Args);
// math.cpp
Operand abs(CallContext&, Args);
Operand round_up(CallContext&, Args);
Operand round(CallContext&, Args);
Operand power(CallContext&, Args);
Operand sum(CallContext&, Args);
Operand sum_if(CallContext&, Args);
Operand lcm(CallContext&, Args);
Operand gcd(CallContext&, Args);
// statistical.cpp
Operand count(CallContext&, Args);
Operand count_a(CallContext&, Args);
Operand count_if(CallContext&, Args);
Operand max(CallContext&, Args);
Operand min(CallContext&, Args);
Operand large(CallContext&, Args);
// lookup.cpp
Operand index(CallContext&, Args);
Operand match(CallContext&, Args);
// reference.cpp
Operand offset(CallContext&, Args);
Operand indirect(CallContext&, Args);
Operand row(CallContext&, Args);
Operand column(CallContext&, Args);

// Shared by the groups.
inline double num(const Operand& o) {
  return std::get<double>(o.value);
}
inline const std::string& text(const Operand& o) {
  return std::get<std::string>(o.value);
}
inline bool logical(const Operand& o) {
  return std::get<bool>(o.value);
}

}  // namespace fb::sheet::formula::functions
