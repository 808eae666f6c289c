#include "platform/sheet/range.h"

#include <algorithm>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/cell_writes.h"
#include "platform/sheet/number_format.h"
#include "platform/sheet/typed_input.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw HostError(host_error::kApplicationDefined, what);
}

// Parses a formula text for `origin`; A1 first when `a1_first`, with R1C1 as the second try.
formula::FormulaPtr parse_or_throw(std::string_view text, CellAddress origin, bool a1_first,
                                   bool allow_other) {
  const auto first =
      formula::parse(text, a1_first ? formula::Notation::A1 : formula::Notation::R1C1, origin);
  if (first.formula) return first.formula;
  if (allow_other) {
    const auto second =
        formula::parse(text, a1_first ? formula::Notation::R1C1 : formula::Notation::A1, origin);
    if (second.formula) return second.formula;
  }
  fail("The formula contains an error: " + std::string(text) +
       (first.error ? " (" + first.error->message + ")" : std::string()));
}

bool has_content(const Worksheet& sheet, CellAddress a) {
  const Cell* c = sheet.store().find(a);
  return c != nullptr && c->has_content();
}

}  // namespace

Range::Range(Worksheet& sheet, std::vector<RangeAddress> areas)
    : sheet_(&sheet), areas_(std::move(areas)) {
  if (areas_.empty()) throw std::invalid_argument("a range needs at least one area");
}

long long Range::count() const {
  long long n = 0;
  for (const auto& a : areas_) n += static_cast<long long>(a.rows()) * a.columns();
  return n;
}

Range Range::cells(int row, int column) const {
  return sheet_->cells(area().first.row + row - 1, area().first.column + column - 1);
}

Range Range::offset(int rows, int columns) const {
  const GridSize g = sheet_->grid();
  RangeAddress a = area();
  a.first.row += rows;
  a.last.row += rows;
  a.first.column += columns;
  a.last.column += columns;
  if (a.first.row < 1 || a.first.column < 1 || a.last.row > g.rows || a.last.column > g.columns) {
    fail("Offset leaves the sheet");
  }
  return Range(*sheet_, {a});
}

Range Range::resize(int rows, int columns) const {
  const GridSize g = sheet_->grid();
  RangeAddress a = area();
  a.last.row = a.first.row + rows - 1;
  a.last.column = a.first.column + columns - 1;
  if (rows < 1 || columns < 1 || a.last.row > g.rows || a.last.column > g.columns) {
    fail("Resize leaves the sheet");
  }
  return Range(*sheet_, {a});
}

Range Range::entire_row() const {
  std::vector<RangeAddress> rows;
  for (const auto& a : areas_) {
    rows.push_back({{a.first.row, 1}, {a.last.row, sheet_->grid().columns}});
  }
  return Range(*sheet_, rows);
}

Range Range::entire_column() const {
  std::vector<RangeAddress> columns;
  for (const auto& a : areas_) {
    columns.push_back({{1, a.first.column}, {sheet_->grid().rows, a.last.column}});
  }
  return Range(*sheet_, columns);
}

Range Range::merge_area() const {
  if (auto m = sheet_->merge_area_of(area().first)) return Range(*sheet_, {*m});
  return Range(*sheet_, {RangeAddress{area().first, area().first}});
}

Range Range::end(Direction direction) const {
  const GridSize g = sheet_->grid();
  int dr = 0;
  int dc = 0;
  switch (direction) {
    case Direction::Up:
      dr = -1;
      break;
    case Direction::Down:
      dr = 1;
      break;
    case Direction::ToLeft:
      dc = -1;
      break;
    case Direction::ToRight:
      dc = 1;
      break;
  }
  const CellStore& store = sheet_->store();
  CellAddress cur = area().first;
  auto inside = [&](CellAddress a) {
    return a.row >= 1 && a.column >= 1 && a.row <= g.rows && a.column <= g.columns;
  };
  auto step = [&](CellAddress a) { return CellAddress{a.row + dr, a.column + dc}; };
  CellAddress next = step(cur);
  if (!inside(next)) return sheet_->cells(cur.row, cur.column);
  if (has_content(*sheet_, cur) && has_content(*sheet_, next)) {
    while (inside(step(next)) && has_content(*sheet_, step(next))) next = step(next);
    return sheet_->cells(next.row, next.column);
  }
  // Jump over the empty stretch; beyond the stored cells everything is empty.
  if (dr == -1) next.row = std::min(next.row, std::max(1, store.column_height(next.column)));
  if (dc == -1) next.column = std::min(next.column, std::max(1, store.column_count()));
  while (inside(next)) {
    if (has_content(*sheet_, next)) return sheet_->cells(next.row, next.column);
    if (dr == 1 && next.row > store.column_height(next.column)) break;
    if (dc == 1 && next.column > store.column_count()) break;
    next = step(next);
  }
  if (dr == -1) return sheet_->cells(1, cur.column);
  if (dr == 1) return sheet_->cells(g.rows, cur.column);
  if (dc == -1) return sheet_->cells(cur.row, 1);
  return sheet_->cells(cur.row, g.columns);
}

std::string Range::address(bool row_absolute, bool column_absolute, ReferenceStyle style) const {
  std::string text;
  for (const auto& a : areas_) {
    if (!text.empty()) text += ",";
    text += style == ReferenceStyle::A1
                ? format_a1(a, sheet_->grid(), row_absolute, column_absolute)
                : format_r1c1(a, sheet_->grid());
  }
  return text;
}

// --- content ---

Value Range::value() const {
  const Cell* c = sheet_->store().find(area().first);
  return c == nullptr ? Value(Empty{}) : c->value;
}

std::vector<std::vector<Value>> Range::values() const {
  std::vector<std::vector<Value>> rows;
  const RangeAddress a = area();
  const int last_row = std::min(a.last.row, std::max(a.first.row, sheet_->store().extent().row));
  for (int r = a.first.row; r <= last_row; ++r) {
    std::vector<Value> row;
    for (int c = a.first.column; c <= a.last.column; ++c) {
      const Cell* cell = sheet_->store().find({r, c});
      row.push_back(cell == nullptr ? Value(Empty{}) : cell->value);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void Range::set_value(const Value& value) {
  sheet_->application().faults().check(HostOperation::SetValue);
  formula::FormulaPtr formula;
  Value constant = value;
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (text->size() > 1 && text->front() == '=') {
      formula = parse_or_throw(*text, area().first, true, true);
    } else {
      constant = typed_value(*text);
    }
  }
  CellWrites writes(*sheet_);
  for (const auto& a : areas_) {
    const RangeAddress bounded = a;
    for (int r = bounded.first.row; r <= bounded.last.row; ++r) {
      for (int c = bounded.first.column; c <= bounded.last.column; ++c) {
        // Clearing a whole column must not create a million cells.
        if (!formula && is_empty(constant) && sheet_->store().find({r, c}) == nullptr) continue;
        if (formula) {
          writes.set_formula({r, c}, formula);
        } else {
          writes.set_constant({r, c}, constant);
        }
      }
      if (!formula && is_empty(constant) && r >= sheet_->store().extent().row) break;
    }
  }
  writes.finish();
}

void Range::set_text(std::string_view text) {
  sheet_->application().faults().check(HostOperation::SetValue);
  const Value constant = text.empty() ? Value(Empty{}) : Value(std::string(text));
  CellWrites writes(*sheet_);
  for (const auto& a : areas_) {
    for (int r = a.first.row; r <= a.last.row; ++r) {
      for (int c = a.first.column; c <= a.last.column; ++c) {
        if (is_empty(constant) && sheet_->store().find({r, c}) == nullptr) continue;
        writes.set_constant({r, c}, constant);
      }
      if (is_empty(constant) && r >= sheet_->store().extent().row) break;
    }
  }
  writes.finish();
}

std::string Range::formula() const {
  const Cell* c = sheet_->store().find(area().first);
  if (c == nullptr) return {};
  if (c->formula) return formula::to_a1(*c->formula, area().first);
  return constant_text(c->value);
}

std::string Range::formula_r1c1() const {
  const Cell* c = sheet_->store().find(area().first);
  if (c == nullptr) return {};
  if (c->formula) return formula::to_r1c1(*c->formula);
  return constant_text(c->value);
}

bool Range::has_formula() const {
  const Cell* c = sheet_->store().find(area().first);
  return c != nullptr && c->formula != nullptr;
}

namespace {

void write_formula_text(Range range, std::string_view text, bool a1) {
  Worksheet& sheet = range.worksheet();
  sheet.application().faults().check(HostOperation::SetFormula);
  if (text.empty() || text.front() != '=') {
    range.set_value(Value(std::string(text)));
    return;
  }
  const formula::FormulaPtr f = parse_or_throw(text, range.area().first, a1, false);
  CellWrites writes(sheet);
  for (const auto& a : range.areas()) {
    for (int r = a.first.row; r <= a.last.row; ++r) {
      for (int c = a.first.column; c <= a.last.column; ++c) writes.set_formula({r, c}, f);
    }
  }
  writes.finish();
}

}  // namespace

void Range::set_formula(std::string_view a1_text) {
  write_formula_text(*this, a1_text, true);
}

void Range::set_formula_r1c1(std::string_view r1c1_text) {
  write_formula_text(*this, r1c1_text, false);
}

std::string Range::text() const {
  return format_value(value(), sheet_->effective_format(area().first).number_format);
}

void Range::clear_contents() {
  set_value(Value(Empty{}));
}

void Range::clear() {
  clear_contents();
  modify_cell_formats([](CellFormat& f, CellAddress, const RangeAddress&) { f = CellFormat{}; });
}

void Range::select() const {
  Application& app = sheet_->application();
  if (&app.active_sheet() != sheet_) fail("Select method of Range class failed");
  sheet_->selection_ = areas_;
  sheet_->active_cell_ = area().first;
}

void Range::activate() const {
  sheet_->activate();
  select();
}

}  // namespace fb::sheet
