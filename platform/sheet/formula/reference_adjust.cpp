#include <optional>
#include <unordered_map>
#include <vector>

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

// The formula's references after the shift, or nullopt when none changes.
std::optional<std::vector<Reference>> adjusted_references(const Formula& f, CellAddress old_origin,
                                                          CellAddress new_origin,
                                                          const GridShift& shift,
                                                          bool shift_is_on_own_sheet,
                                                          std::string_view shifted_sheet_name) {
  std::optional<std::vector<Reference>> adjusted;
  const bool rows_axis = shift.axis == GridShift::Axis::Rows;
  for (std::size_t i = 0; i < f.references.size(); ++i) {
    const Reference& ref = f.references[i];
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
    Reference next_parts;  // coordinates only; the sheet name is copied when the reference changes
    next_parts.kind = ref.kind;
    if (!valid) {
      next_parts.kind = Reference::Kind::Invalid;
      next_parts.row1 = ref.row1;
      next_parts.row2 = ref.row2;
      next_parts.col1 = ref.col1;
      next_parts.col2 = ref.col2;
    } else {
      next_parts.row1 = rebase(ref.row1, box.rows.first, new_origin.row);
      next_parts.row2 = rebase(ref.row2, box.rows.last, new_origin.row);
      next_parts.col1 = rebase(ref.col1, box.columns.first, new_origin.column);
      next_parts.col2 = rebase(ref.col2, box.columns.last, new_origin.column);
      if (ref.kind == Reference::Kind::Columns) next_parts.row1 = next_parts.row2 = ref.row1;
      if (ref.kind == Reference::Kind::Rows) next_parts.col1 = next_parts.col2 = ref.col1;
    }
    const bool same = next_parts.kind == ref.kind && next_parts.row1 == ref.row1 &&
                      next_parts.row2 == ref.row2 && next_parts.col1 == ref.col1 &&
                      next_parts.col2 == ref.col2;
    if (same) continue;
    if (!adjusted) adjusted = f.references;
    next_parts.sheet = ref.sheet;
    (*adjusted)[i] = std::move(next_parts);
  }
  return adjusted;
}

}  // namespace

std::optional<CellAddress> shifted_position(CellAddress cell, const GridShift& shift) {
  const bool rows = shift.axis == GridShift::Axis::Rows;
  const int other = rows ? cell.column : cell.row;
  if (other < shift.span_first || other > shift.span_last) return cell;
  int& line = rows ? cell.row : cell.column;
  if (shift.kind == GridShift::Kind::Insert) {
    if (line >= shift.at) line += shift.count;
  } else if (line >= shift.at + shift.count) {
    line -= shift.count;
  } else if (line >= shift.at) {
    return std::nullopt;
  }
  return cell;
}

FormulaPtr adjust_for_shift(const Formula& f, CellAddress old_origin, CellAddress new_origin,
                            const GridShift& shift, bool shift_is_on_own_sheet,
                            std::string_view shifted_sheet_name) {
  auto references = adjusted_references(f, old_origin, new_origin, shift, shift_is_on_own_sheet,
                                        shifted_sheet_name);
  if (!references) return nullptr;
  auto adjusted = std::make_shared<Formula>(f);
  adjusted->references = std::move(*references);
  return adjusted;
}

struct ShiftAdjuster::Results {
  struct Result {
    std::vector<Reference> references;
    FormulaPtr formula;
  };
  // By the formula before the shift; the formula pointers are held by the cells being adjusted.
  std::unordered_map<const Formula*, std::vector<Result>> by_source;
};

ShiftAdjuster::ShiftAdjuster(const GridShift& shift, std::string_view shifted_sheet_name)
    : shift_(shift),
      shifted_sheet_name_(shifted_sheet_name),
      results_(std::make_unique<Results>()) {}

ShiftAdjuster::~ShiftAdjuster() = default;

FormulaPtr ShiftAdjuster::adjust(const FormulaPtr& f, CellAddress old_origin,
                                 CellAddress new_origin, bool shift_is_on_own_sheet) {
  auto references = adjusted_references(*f, old_origin, new_origin, shift_, shift_is_on_own_sheet,
                                        shifted_sheet_name_);
  if (!references) return nullptr;
  std::vector<Results::Result>& known = results_->by_source[f.get()];
  for (const Results::Result& r : known) {
    if (r.references == *references) return r.formula;
  }
  auto adjusted = std::make_shared<Formula>(*f);
  adjusted->references = *references;
  known.push_back({std::move(*references), adjusted});
  return adjusted;
}

}  // namespace fb::sheet::formula
