#include "platform/sheet/formula/formula.h"

#include <algorithm>

#include "platform/sheet/formula/ast.h"
#include "platform/sheet/formula/evaluator.h"
#include "platform/sheet/formula/parser.h"
#include "platform/sheet/formula/printer.h"

namespace fb::sheet::formula {

ParseResult parse(std::string_view text, Notation notation, CellAddress origin) {
  return parse_formula(text, notation, origin);
}

std::string to_r1c1(const Formula& f) {
  return print_formula(f, Notation::R1C1, CellAddress{});
}

std::string to_a1(const Formula& f, CellAddress origin) {
  return print_formula(f, Notation::A1, origin);
}

Value evaluate(const Formula& f, EvalContext& context, SheetId sheet, CellAddress origin) {
  Evaluator evaluator(f, context, sheet, origin);
  return evaluator.result();
}

bool is_volatile(const Formula& f) {
  return f.is_volatile;
}

std::optional<RangeAddress> resolve_range(const Reference& ref, CellAddress origin) {
  RangeAddress r;
  switch (ref.kind) {
    case Reference::Kind::Cell:
    case Reference::Kind::Area:
      r.first = {ref.row1.resolve(origin.row), ref.col1.resolve(origin.column)};
      r.last = {ref.row2.resolve(origin.row), ref.col2.resolve(origin.column)};
      break;
    case Reference::Kind::Columns:
      r.first = {1, ref.col1.resolve(origin.column)};
      r.last = {kMaxRows, ref.col2.resolve(origin.column)};
      break;
    case Reference::Kind::Rows:
      r.first = {ref.row1.resolve(origin.row), 1};
      r.last = {ref.row2.resolve(origin.row), kMaxColumns};
      break;
    case Reference::Kind::Invalid:
      return std::nullopt;
  }
  if (r.first.row > r.last.row) std::swap(r.first.row, r.last.row);
  if (r.first.column > r.last.column) std::swap(r.first.column, r.last.column);
  if (r.first.row < 1 || r.first.column < 1 || r.last.row > kMaxRows || r.last.column > kMaxColumns)
    return std::nullopt;
  return r;
}

void for_each_reference(
    const Formula& f, CellAddress origin,
    const std::function<void(std::string_view sheet_name, const RangeAddress&)>& visit) {
  for (const Reference& ref : f.references) {
    if (auto r = resolve_range(ref, origin)) visit(ref.sheet, *r);
  }
}

void resolve_references(const Formula& f, CellAddress origin, std::vector<ResolvedReference>& out) {
  out.clear();
  for (const Reference& ref : f.references) {
    auto r = resolve_range(ref, origin);
    if (!r) continue;
    // Formulas repeat the same cell many times (RC[-1] six times in one IF chain); each
    // repetition would be one more index entry to store and to scan on every change.
    const bool seen = std::any_of(out.begin(), out.end(), [&](const ResolvedReference& o) {
      return o.range == *r && o.sheet_name == ref.sheet;
    });
    if (!seen) out.push_back({ref.sheet, *r});
  }
}

}  // namespace fb::sheet::formula
