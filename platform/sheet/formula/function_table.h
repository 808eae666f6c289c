#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/sheet/formula/operand.h"

namespace fb::sheet::formula {

enum class FunctionId : std::uint16_t {
  If,
  And,
  Or,
  Not,
  IsNa,
  IsError,
  IsEven,
  IsOdd,
  Concatenate,
  Len,
  Mid,
  Left,
  Right,
  Value,
  Char,
  Abs,
  RoundUp,
  Round,
  Power,
  Sum,
  SumIf,
  Count,
  CountA,
  CountIf,
  Max,
  Min,
  Large,
  Lcm,
  Gcd,
  Index,
  Match,
  Offset,
  Indirect,
  Row,
  Column,
  Count_,  // number of functions; not a function
};

// How the evaluator prepares one argument before the function sees it. Every scalar kind takes
// a reference's value by implicit intersection and, given an array, makes the call element-wise.
enum class ArgKind : std::uint8_t {
  Number,        // a double; text that reads as a number is converted; errors propagate
  NumberNoBool,  // as Number, but a boolean is #VALUE!
  Text,          // a string; numbers in General format; errors propagate
  Logical,       // a bool; numbers are non-zero; errors propagate
  Scalar,        // any value, errors included, unchanged
  Reference,     // must be a reference; anything else is #VALUE!
  Any,           // reference, array or value, unchanged
};

class CallContext;
using FunctionImpl = Operand (*)(CallContext& call, std::span<Operand> args);

struct FunctionInfo {
  std::string_view name;
  std::uint8_t min_args;
  std::uint8_t max_args;  // kVariadic: up to 255
  // Kind of each argument; arguments beyond the list take the last entry's kind.
  std::span<const ArgKind> arg_kinds;
  bool is_volatile;
  FunctionImpl impl;  // nullptr for IF, which the evaluator handles (its branches are lazy)
};

inline constexpr std::uint8_t kVariadic = 255;

const FunctionInfo& function_info(FunctionId id);
// Case-insensitive lookup by name; nullopt for a name that is no built-in function.
std::optional<FunctionId> find_function(std::string_view name);

ArgKind arg_kind(const FunctionInfo& info, std::size_t index);

}  // namespace fb::sheet::formula
