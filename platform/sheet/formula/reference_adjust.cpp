#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/coercion.h"
#include "platform/sheet/formula/formula.h"

namespace fb::sheet::formula {

namespace {

struct Span {
  int first;
  int last;
};

// Moves the span [first, last] of one dimension for an insert or delete along it. Returns false
// when every cell of the span is deleted (the reference becomes #REF!).
bool shift_span(Span& s, const GridShift& shift, int limit) {
  const int at = shift.at;
  const int n = shift.count;
  if (shift.kind == GridShift::Kind::Insert) {
    // Inserting inside a span widens it; inserting at or before its start moves it.
    if (s.first >= at) s.first += n;
    if (s.last >= at) s.last += n;
    return s.last <= limit;
  }
  const int end = at + n - 1;
  if (s.first >= at && s.last <= end) return false;
  const int first = s.first < at ? s.first : (s.first > end ? s.first - n : at);
  const int last = s.last < at ? s.last : (s.last > end ? s.last - n : at - 1);
  s = {first, last};
  return true;
}

// Absolute coordinates of a reference, row and column spans, from the formula's old cell.
struct Box {
  Span rows;
  Span columns;
};

Box absolute_box(const Reference& r, CellAddress origin) {
  switch (r.kind) {
    case Reference::Kind::Columns:
      return {{1, kMaxRows}, {r.col1.resolve(origin.column), r.col2.resolve(origin.column)}};
    case Reference::Kind::Rows:
      return {{r.row1.resolve(origin.row), r.row2.resolve(origin.row)}, {1, kMaxColumns}};
    default:
      return {{r.row1.resolve(origin.row), r.row2.resolve(origin.row)},
              {r.col1.resolve(origin.column), r.col2.resolve(origin.column)}};
  }
}

RefPart rebase(const RefPart& old_part, int absolute_value, int new_origin) {
  return old_part.absolute ? RefPart{absolute_value, true}
                           : RefPart{absolute_value - new_origin, false};
}

}  // namespace

FormulaPtr adjust_for_shift(const Formula& f, CellAddress old_origin, CellAddress new_origin,
                            const GridShift& shift, bool shift_is_on_own_sheet,
                            std::string_view shifted_sheet_name) {
  auto adjusted = std::make_shared<Formula>(f);
  bool changed = false;
  const bool rows_axis = shift.axis == GridShift::Axis::Rows;
  for (Reference& ref : adjusted->references) {
    if (ref.kind == Reference::Kind::Invalid) continue;
    const bool on_shifted_sheet =
        ref.sheet.empty() ? shift_is_on_own_sheet : equal_text_ci(ref.sheet, shifted_sheet_name);
    Box box = absolute_box(ref, old_origin);
    bool valid = true;
    if (on_shifted_sheet) {
      Span& along = rows_axis ? box.rows : box.columns;
      const Span& across = rows_axis ? box.columns : box.rows;
      // Whole columns do not move when rows come and go, nor whole rows with columns.
      const bool spans_other_axis_only = (rows_axis && ref.kind == Reference::Kind::Columns) ||
                                         (!rows_axis && ref.kind == Reference::Kind::Rows);
      const bool inside = across.first >= shift.span_first && across.last <= shift.span_last;
      if (!spans_other_axis_only && inside)
        valid = shift_span(along, shift, rows_axis ? kMaxRows : kMaxColumns);
    }
    Reference next = ref;
    if (!valid) {
      next.kind = Reference::Kind::Invalid;
    } else {
      next.row1 = rebase(ref.row1, box.rows.first, new_origin.row);
      next.row2 = rebase(ref.row2, box.rows.last, new_origin.row);
      next.col1 = rebase(ref.col1, box.columns.first, new_origin.column);
      next.col2 = rebase(ref.col2, box.columns.last, new_origin.column);
      if (ref.kind == Reference::Kind::Columns) next.row1 = next.row2 = ref.row1;
      if (ref.kind == Reference::Kind::Rows) next.col1 = next.col2 = ref.col1;
    }
    if (!(next == ref)) {
      ref = std::move(next);
      changed = true;
    }
  }
  if (!changed) return nullptr;
  return adjusted;
}

}  // namespace fb::sheet::formula
