#include <cmath>

#include "platform/sheet/formula/functions/functions.h"
#include "platform/sheet/formula/lexer.h"

namespace fb::sheet::formula::functions {

// OFFSET moves a reference by rows and columns and gives it a new size; a negative height or
// width extends up or left from the moved corner. A size of 0 or a result off the grid is #REF!.
Operand offset(CallContext&, Args args) {
  const Area& base = args[0].area;
  const double rows = std::trunc(num(args[1]));
  const double columns = std::trunc(num(args[2]));
  const double height =
      args.size() > 3 && !args[3].missing ? std::trunc(num(args[3])) : base.range.rows();
  const double width =
      args.size() > 4 && !args[4].missing ? std::trunc(num(args[4])) : base.range.columns();
  if (height == 0 || width == 0) return Operand::of(ErrorCode::Ref);
  const double top = base.range.first.row + rows;
  const double left = base.range.first.column + columns;
  double r0 = top, r1 = top + height - 1;
  double c0 = left, c1 = left + width - 1;
  if (height < 0) r0 = top + height + 1, r1 = top;
  if (width < 0) c0 = left + width + 1, c1 = left;
  if (r0 < 1 || c0 < 1 || r1 > kMaxRows || c1 > kMaxColumns) return Operand::of(ErrorCode::Ref);
  return Operand::of_area(
      Area{base.sheet, RangeAddress{{static_cast<int>(r0), static_cast<int>(c0)},
                                    {static_cast<int>(r1), static_cast<int>(c1)}}});
}

// INDIRECT reads its text as a reference, A1 unless the second argument is FALSE; a text that
// is no reference, or names an unknown sheet, is #REF!.
Operand indirect(CallContext& call, Args args) {
  const bool a1 = args.size() < 2 || args[1].missing || logical(args[1]);
  Reference ref;
  if (!read_reference_text(text(args[0]), a1 ? Notation::A1 : Notation::R1C1, call.origin(), ref))
    return Operand::of(ErrorCode::Ref);
  return call.resolve(ref);
}

namespace {

// ROW and COLUMN of a reference several rows (columns) long give one number per row (column).
// A whole column or row gives just its first number, rather than an array of a million.
constexpr int kMaxPositions = 65536;

Operand positions(int first, int count, bool as_column) {
  if (count == 1 || count > kMaxPositions) return Operand::of(Value(static_cast<double>(first)));
  Array out;
  out.rows = as_column ? count : 1;
  out.columns = as_column ? 1 : count;
  for (int i = 0; i < count; ++i) out.values.emplace_back(static_cast<double>(first + i));
  return Operand::of_array(std::move(out));
}

}  // namespace

Operand row(CallContext& call, Args args) {
  if (args.empty() || args[0].missing)
    return Operand::of(Value(static_cast<double>(call.origin().row)));
  const RangeAddress& r = args[0].area.range;
  return positions(r.first.row, r.rows(), true);
}

Operand column(CallContext& call, Args args) {
  if (args.empty() || args[0].missing)
    return Operand::of(Value(static_cast<double>(call.origin().column)));
  const RangeAddress& r = args[0].area.range;
  return positions(r.first.column, r.columns(), false);
}

}  // namespace fb::sheet::formula::functions
