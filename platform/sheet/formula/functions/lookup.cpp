#include <cmath>

#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/criteria.h"
#include "platform/sheet/formula/functions/functions.h"

namespace fb::sheet::formula::functions {

// INDEX of a reference is a reference (so OFFSET and ROW can take it); of an array, a value.
// Row or column 0 takes the whole column or row. A one-row source takes its single index as
// the column.
Operand index(CallContext&, Args args) {
  const Operand& source = args[0];
  double row = std::trunc(num(args[1]));
  const bool has_column = args.size() > 2 && !args[2].missing;
  double column = has_column ? std::trunc(num(args[2])) : 0;
  int rows = 1;
  int columns = 1;
  if (source.is_area()) {
    rows = source.area.range.rows();
    columns = source.area.range.columns();
  } else if (source.is_array()) {
    rows = source.array.rows;
    columns = source.array.columns;
  }
  if (!has_column) {
    if (rows == 1 && columns > 1) {
      column = row;
      row = 1;
    } else if (columns == 1) {
      column = 1;
    }
  }
  if (row < 0 || column < 0) return Operand::of(ErrorCode::Value);
  if (row > rows || column > columns) return Operand::of(ErrorCode::Ref);

  const int r0 = row == 0 ? 0 : static_cast<int>(row) - 1;
  const int r1 = row == 0 ? rows - 1 : r0;
  const int c0 = column == 0 ? 0 : static_cast<int>(column) - 1;
  const int c1 = column == 0 ? columns - 1 : c0;
  if (source.is_area()) {
    const CellAddress base = source.area.range.first;
    Area a{source.area.sheet,
           RangeAddress{{base.row + r0, base.column + c0}, {base.row + r1, base.column + c1}}};
    return Operand::of_area(a);
  }
  if (source.is_value()) {
    if (is_error(source.value)) return source;
    return Operand::of(source.value);
  }
  if (r0 == r1 && c0 == c1) return Operand::of(source.array.at(r0, c0));
  Array out;
  out.rows = r1 - r0 + 1;
  out.columns = c1 - c0 + 1;
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) out.values.push_back(source.array.at(r, c));
  }
  return Operand::of_array(std::move(out));
}

namespace {

// True when `cell` is of the lookup value's type and equal to it. Text compares without case;
// a lookup text with wildcards matches as a pattern.
bool exact_match(const Value& lookup, bool pattern, const Value& cell) {
  if (lookup.index() != cell.index()) return false;
  if (is_text(lookup)) {
    const auto& l = std::get<std::string>(lookup);
    const auto& c = std::get<std::string>(cell);
    return pattern ? wildcard_match(l, c) : equal_text_ci(l, c);
  }
  return compare_values(lookup, cell) == 0;
}

}  // namespace

// MATCH type 0 finds the first equal value; 1 the last value not above the lookup value in
// ascending data, -1 the last value not below it in descending data. Positions are 1-based;
// an empty lookup value and empty cells never match.
Operand match(CallContext& call, Args args) {
  const Value& lookup = args[0].value;
  if (is_error(lookup)) return Operand::of(lookup);
  if (is_empty(lookup)) return Operand::of(ErrorCode::NA);
  double type = args.size() > 2 && !args[2].missing ? num(args[2]) : 1;
  if (args.size() > 2 && args[2].missing) type = 0;
  const int mode = type > 0 ? 1 : (type < 0 ? -1 : 0);
  const bool pattern = mode == 0 && is_text(lookup) && has_wildcards(std::get<std::string>(lookup));

  int found = 0;
  auto consider = [&](int position, const Value& v) {
    if (mode == 0) {
      if (exact_match(lookup, pattern, v)) {
        found = position;
        return false;
      }
      return true;
    }
    if (is_empty(v) || v.index() != lookup.index()) return true;
    const int c = compare_values(v, lookup);
    if (mode == 1 ? c <= 0 : c >= 0) {
      found = position;
      return true;
    }
    return false;  // sorted data: nothing further can qualify
  };

  const Operand& source = args[1];
  if (source.is_area()) {
    const RangeAddress& r = source.area.range;
    if (r.rows() != 1 && r.columns() != 1) return Operand::of(ErrorCode::NA);
    const bool by_row = r.columns() == 1;
    call.for_each_used_cell(source.area, [&](int row, int column, const Value& v) {
      return consider((by_row ? row : column) + 1, v);
    });
  } else if (source.is_array()) {
    const Array& a = source.array;
    if (a.rows != 1 && a.columns != 1) return Operand::of(ErrorCode::NA);
    for (std::size_t i = 0; i < a.values.size(); ++i) {
      if (!consider(static_cast<int>(i) + 1, a.values[i])) break;
    }
  } else {
    if (is_error(source.value)) return source;
    consider(1, source.value);
  }
  if (found == 0) return Operand::of(ErrorCode::NA);
  return Operand::of(Value(static_cast<double>(found)));
}

}  // namespace fb::sheet::formula::functions
