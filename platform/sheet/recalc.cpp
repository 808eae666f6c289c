#include "platform/sheet/recalc.h"

#include <algorithm>

#include "platform/sheet/application.h"
#include "platform/sheet/cell_store.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {
namespace {

// A range that spans more columns than this is kept in one list instead of per column, so that
// whole-row references cost one entry.
constexpr int kWideColumns = 64;
constexpr int kBlockRows = 64;
constexpr int kTallBlocks = 16;

std::uint64_t block_key(int column, int block) {
  return (static_cast<std::uint64_t>(column) << 32) | static_cast<std::uint32_t>(block);
}

}  // namespace

Recalc::Recalc(Workbook& workbook) : workbook_(&workbook) {}

Cell* Recalc::find(const CellKey& key) const {
  Worksheet* sheet = workbook_->sheet_by_id(key.sheet);
  return sheet == nullptr ? nullptr : sheet->store().find({key.row, key.column});
}

Cell* Recalc::live_formula(const CellKey& key, std::uint32_t stamp) const {
  Cell* cell = find(key);
  if (cell == nullptr || !cell->formula || cell->formula_stamp != stamp) return nullptr;
  return cell;
}

void Recalc::register_formula(const CellKey& key, const Cell& cell) {
  ++registered_;
  formula::for_each_reference(
      *cell.formula, {key.row, key.column},
      [&](std::string_view sheet_name, const RangeAddress& range) {
        SheetId sheet = key.sheet;
        if (!sheet_name.empty()) {
          const auto found = sheet_by_name(sheet_name);
          if (!found) return;  // a sheet that does not exist has no cells to watch
          sheet = *found;
        }
        if (sheet >= static_cast<int>(index_.size())) {
          index_.resize(static_cast<std::size_t>(sheet) + 1);
        }
        SheetIndex& si = index_[static_cast<std::size_t>(sheet)];
        if (range.columns() > kWideColumns) {
          si.wide.push_back({range, key, cell.formula_stamp});
          return;
        }
        const Entry entry{range.first.row, range.last.row, key, cell.formula_stamp};
        const int first_block = (range.first.row - 1) / kBlockRows;
        const int last_block = (range.last.row - 1) / kBlockRows;
        if (last_block - first_block >= kTallBlocks) {
          if (range.last.column > static_cast<int>(si.tall_by_column.size())) {
            si.tall_by_column.resize(static_cast<std::size_t>(range.last.column));
          }
          for (int c = range.first.column; c <= range.last.column; ++c) {
            si.tall_by_column[static_cast<std::size_t>(c - 1)].push_back(entry);
          }
          return;
        }
        for (int c = range.first.column; c <= range.last.column; ++c) {
          for (int b = first_block; b <= last_block; ++b)
            si.blocks[block_key(c, b)].push_back(entry);
        }
      });
  if (formula::is_volatile(*cell.formula)) volatile_.push_back({key, cell.formula_stamp});
}

void Recalc::mark_dependents(const CellKey& start) {
  std::vector<CellKey> stack{start};
  auto visit = [&](const CellKey& dependent, std::uint32_t stamp) {
    Cell* cell = live_formula(dependent, stamp);
    if (cell == nullptr || cell->dirty) return;
    cell->dirty = true;
    dirty_.push_back(dependent);
    stack.push_back(dependent);
  };
  while (!stack.empty()) {
    const CellKey key = stack.back();
    stack.pop_back();
    if (key.sheet >= static_cast<int>(index_.size())) continue;
    SheetIndex& si = index_[static_cast<std::size_t>(key.sheet)];
    auto scan = [&](const std::vector<Entry>& bucket) {
      // By index: visiting never adds entries, but a reference would not survive if it did.
      for (std::size_t i = 0; i < bucket.size(); ++i) {
        const Entry e = bucket[i];
        if (key.row >= e.first_row && key.row <= e.last_row) visit(e.dependent, e.stamp);
      }
    };
    if (auto found = si.blocks.find(block_key(key.column, (key.row - 1) / kBlockRows));
        found != si.blocks.end()) {
      scan(found->second);
    }
    if (key.column <= static_cast<int>(si.tall_by_column.size())) {
      scan(si.tall_by_column[static_cast<std::size_t>(key.column - 1)]);
    }
    for (std::size_t i = 0; i < si.wide.size(); ++i) {
      const WideEntry& e = si.wide[i];
      if (e.range.contains({key.row, key.column})) visit(e.dependent, e.stamp);
    }
  }
}

void Recalc::formula_written(Worksheet& sheet, CellAddress at, bool evaluate_now) {
  refresh_after_structure_change();
  const CellKey key{sheet.id(), at.row, at.column};
  Cell* cell = find(key);
  if (cell == nullptr || !cell->formula) return;
  register_formula(key, *cell);
  if (!cell->dirty) {
    cell->dirty = true;
    dirty_.push_back(key);
  }
  if (evaluate_now) {
    chasing_ = false;
    cell->value = evaluate_cell(key, *cell);
  }
  mark_dependents(key);
}

void Recalc::content_changed(Worksheet& sheet, CellAddress at) {
  // Every formula is dirty already; nothing to mark.
  if (structure_stale_) return;
  ++dropped_;
  mark_dependents({sheet.id(), at.row, at.column});
  if (dropped_ > 4096 && dropped_ > registered_ / 2) rebuild();
}

void Recalc::rebuild() {
  index_.clear();
  volatile_.clear();
  registered_ = 0;
  dropped_ = 0;
  for (auto& sheet : workbook_->sheets()) {
    const SheetId id = sheet->id();
    sheet->store().for_each([&](CellAddress a, Cell& cell) {
      if (cell.formula) register_formula({id, a.row, a.column}, cell);
    });
  }
}

void Recalc::structure_changed() {
  structure_stale_ = true;
}

void Recalc::refresh_after_structure_change() {
  if (!structure_stale_) return;
  structure_stale_ = false;
  rebuild();
  dirty_.clear();
  for (auto& sheet : workbook_->sheets()) {
    const SheetId id = sheet->id();
    sheet->store().for_each([&](CellAddress a, Cell& cell) {
      cell.in_progress = false;
      cell.dirty = cell.formula != nullptr;
      if (cell.dirty) dirty_.push_back({id, a.row, a.column});
    });
  }
}

void Recalc::sheet_removed(SheetId sheet) {
  if (sheet < static_cast<int>(index_.size())) index_[static_cast<std::size_t>(sheet)] = {};
  std::erase_if(dirty_, [&](const CellKey& k) { return k.sheet == sheet; });
  std::erase_if(volatile_, [&](const Stamped& s) { return s.key.sheet == sheet; });
}

Value Recalc::evaluate_cell(const CellKey& key, Cell& cell) {
  ++evaluations_;
  cycle_ = false;
  pending_.clear();
  cell.in_progress = true;
  // Hold the formula: an add-in function could overwrite the cell while it runs.
  const formula::FormulaPtr held = cell.formula;
  Value result = formula::evaluate(*held, *this, key.sheet, {key.row, key.column});
  cell.in_progress = false;
  if (cycle_) return ErrorCode::Value;
  return result;
}

void Recalc::note_pending(SheetId sheet, CellAddress at, Cell& c) {
  if (c.in_progress) {
    cycle_ = true;
  } else if (chasing_ && c.dirty) {
    pending_.push_back({sheet, at.row, at.column});
  }
}

void Recalc::calculate() {
  refresh_after_structure_change();
  // Volatile formulas are evaluated on every calculation, and what reads them with them.
  std::erase_if(volatile_,
                [&](const Stamped& s) { return live_formula(s.key, s.stamp) == nullptr; });
  for (const Stamped& s : volatile_) {
    Cell* cell = live_formula(s.key, s.stamp);
    if (!cell->dirty) {
      cell->dirty = true;
      dirty_.push_back(s.key);
    }
    mark_dependents(s.key);
  }
  run_dirty();
}

void Recalc::run_dirty() {
  chasing_ = true;
  for (std::size_t i = 0; i < dirty_.size(); ++i) {
    stack_.clear();
    stack_.push_back(dirty_[i]);
    while (!stack_.empty()) {
      const CellKey key = stack_.back();
      Cell* cell = find(key);
      if (cell == nullptr || !cell->formula || !cell->dirty) {
        if (cell != nullptr) cell->in_progress = false;
        stack_.pop_back();
        continue;
      }
      cell->in_progress = true;
      ++evaluations_;
      cycle_ = false;
      pending_.clear();
      const formula::FormulaPtr held = cell->formula;
      Value result = formula::evaluate(*held, *this, key.sheet, {key.row, key.column});
      cell = find(key);  // an add-in may have changed the sheet's storage
      if (cell == nullptr) {
        stack_.pop_back();
        continue;
      }
      if (cycle_) {
        cell->value = ErrorCode::Value;
      } else if (!pending_.empty()) {
        // Stays in progress: it waits for what it read, which is evaluated first.
        for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) stack_.push_back(*it);
        continue;
      } else {
        cell->value = std::move(result);
      }
      cell->dirty = false;
      cell->in_progress = false;
      stack_.pop_back();
    }
  }
  dirty_.clear();
  chasing_ = false;
}

Value Recalc::cell_value(SheetId sheet, CellAddress at) {
  Worksheet* ws = workbook_->sheet_by_id(sheet);
  if (ws == nullptr) return ErrorCode::Ref;
  Cell* c = ws->store().find(at);
  if (c == nullptr) return Empty{};
  if (c->formula) {
    note_pending(sheet, at, *c);
    if (c->in_progress) return ErrorCode::Value;
  }
  return c->value;
}

std::optional<SheetId> Recalc::sheet_by_name(std::string_view name) const {
  if (Worksheet* sheet = workbook_->worksheets().find(name)) return sheet->id();
  return std::nullopt;
}

CellAddress Recalc::used_extent(SheetId sheet) const {
  Worksheet* ws = workbook_->sheet_by_id(sheet);
  if (ws == nullptr) return {0, 0};
  return {std::max(0,
                   [&] {
                     int rows = 0;
                     for (int c = 1; c <= ws->store().column_count(); ++c) {
                       rows = std::max(rows, ws->store().column_height(c));
                     }
                     return rows;
                   }()),
          ws->store().column_count()};
}

std::optional<Value> Recalc::call_user_function(std::string_view name,
                                                std::span<const UserFunctionArgument> args) {
  std::vector<AddinArgument> converted;
  converted.reserve(args.size());
  for (const auto& arg : args) {
    if (const Value* v = std::get_if<Value>(&arg)) {
      converted.emplace_back(*v);
      continue;
    }
    const Area& area = std::get<Area>(arg);
    Worksheet* ws = workbook_->sheet_by_id(area.sheet);
    if (ws == nullptr) return Value(ErrorCode::Ref);
    // The function reads these cells through the object model: they must be up to date first.
    ws->store().for_each_in(area.range, [&](CellAddress a, Cell& c) {
      if (c.formula) note_pending(area.sheet, a, c);
    });
    converted.emplace_back(Range(*ws, {area.range}));
  }
  if (cycle_ || !pending_.empty()) return Value(ErrorCode::Value);  // retried once they are done
  return workbook_->application().addins().call(name, converted);
}

}  // namespace fb::sheet
