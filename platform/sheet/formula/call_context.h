#pragma once

#include <algorithm>

#include "platform/sheet/eval_context.h"
#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/operand.h"

namespace fb::sheet::formula {

// What a function sees of the evaluation under way: the workbook, and the cell and sheet the
// formula is in. Helpers here are the one way functions read cells, so that every function
// treats references, arrays and the used extent of a sheet alike.
class CallContext {
 public:
  CallContext(EvalContext& context, SheetId sheet, CellAddress origin)
      : context_(context), sheet_(sheet), origin_(origin) {}

  EvalContext& context() const { return context_; }
  SheetId sheet() const { return sheet_; }
  CellAddress origin() const { return origin_; }

  Value cell(SheetId sheet, int row, int column) const {
    return context_.cell_value(sheet, CellAddress{row, column});
  }

  // The part of an area that can hold values; cells outside it are empty. May be empty itself
  // (rows() or columns() <= 0).
  RangeAddress used_part(const Area& a) const {
    const CellAddress extent = context_.used_extent(a.sheet);
    RangeAddress r = a.range;
    r.last.row = std::min(r.last.row, extent.row);
    r.last.column = std::min(r.last.column, extent.column);
    return r;
  }

  // The single value a reference stands for where one value is wanted: the cell itself, or the
  // cell of a one-column (one-row) area on the formula's own row (column). #VALUE! otherwise.
  Value intersect(const Area& a) const {
    const RangeAddress& r = a.range;
    if (r.rows() == 1 && r.columns() == 1) return cell(a.sheet, r.first.row, r.first.column);
    if (r.columns() == 1 && origin_.row >= r.first.row && origin_.row <= r.last.row)
      return cell(a.sheet, origin_.row, r.first.column);
    if (r.rows() == 1 && origin_.column >= r.first.column && origin_.column <= r.last.column)
      return cell(a.sheet, r.first.row, origin_.column);
    return ErrorCode::Value;
  }

  // The single value an operand stands for: see intersect(); an array gives its top-left
  // element.
  Value scalar(const Operand& o) const {
    switch (o.kind) {
      case Operand::Kind::Value:
        return o.value;
      case Operand::Kind::Area:
        return intersect(o.area);
      case Operand::Kind::Array:
        return o.array.values.empty() ? Value(ErrorCode::Value) : o.array.values.front();
    }
    return ErrorCode::Value;
  }

  // Visits the cells of an area that hold something, row by row: f(row_index, column_index,
  // value) with 0-based indices into the area; f returns false to stop. Returns false when
  // stopped.
  template <class F>
  bool for_each_used_cell(const Area& a, F&& f) const {
    const RangeAddress used = used_part(a);
    for (int r = used.first.row; r <= used.last.row; ++r) {
      for (int c = used.first.column; c <= used.last.column; ++c) {
        if (!f(r - a.range.first.row, c - a.range.first.column, cell(a.sheet, r, c))) return false;
      }
    }
    return true;
  }

  // Visits every value an aggregate (SUM, COUNT, MAX...) takes from one argument:
  // f(value, typed) where `typed` is true for a value given directly rather than through a
  // reference or an array, since aggregates coerce typed values but skip text in cells. Empty
  // cells are not visited. f returns false to stop.
  template <class F>
  bool for_each_aggregate_value(const Operand& o, F&& f) const {
    switch (o.kind) {
      case Operand::Kind::Value:
        if (o.missing) return true;
        return f(o.value, true);
      case Operand::Kind::Area:
        return for_each_used_cell(
            o.area, [&](int, int, const Value& v) { return is_empty(v) ? true : f(v, false); });
      case Operand::Kind::Array:
        for (const Value& v : o.array.values) {
          if (!f(v, false)) return false;
        }
        return true;
    }
    return true;
  }

  // An area for a reference as written in the formula, or the error it gives (#REF! for an
  // unknown sheet or a reference off the grid).
  Operand resolve(const Reference& ref) const;

 private:
  EvalContext& context_;
  SheetId sheet_;
  CellAddress origin_;
};

}  // namespace fb::sheet::formula
