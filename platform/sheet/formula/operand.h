#pragma once

#include <cstdint>
#include <vector>

#include "platform/sheet/eval_context.h"
#include "platform/sheet/value.h"

namespace fb::sheet::formula {

// A matrix of values: an array constant or a function's array result.
struct Array {
  int rows = 0;
  int columns = 0;
  std::vector<Value> values;  // row-major

  const Value& at(int row, int column) const { return values[row * columns + column]; }
};

// What a sub-expression evaluates to before its consumer decides how to take it: a single value,
// a reference to cells (functions such as OFFSET and COUNTIF need the cells, not their values)
// or an array.
struct Operand {
  enum class Kind : std::uint8_t { Value, Area, Array };
  Kind kind = Kind::Value;
  bool missing = false;  // an omitted argument; kind is Value and value Empty
  Value value;
  Area area;
  Array array;

  Operand() = default;
  // Built in place: evaluation makes one of these per node, and assigning the value into a
  // default-built operand costs a variant visit each time.
  explicit Operand(Value v) : value(std::move(v)) {}

  static Operand of(Value v) { return Operand(std::move(v)); }
  static Operand of(ErrorCode e) { return Operand(Value(e)); }
  static Operand of_area(const Area& a) {
    Operand o;
    o.kind = Kind::Area;
    o.area = a;
    return o;
  }
  static Operand of_array(Array a) {
    Operand o;
    o.kind = Kind::Array;
    o.array = std::move(a);
    return o;
  }

  bool is_value() const noexcept { return kind == Kind::Value; }
  bool is_area() const noexcept { return kind == Kind::Area; }
  bool is_array() const noexcept { return kind == Kind::Array; }
};

}  // namespace fb::sheet::formula
