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
  formula::resolve_references(*cell.formula, {key.row, key.column}, references_);
  for (const formula::ResolvedReference& reference : references_) {
    const RangeAddress& range = reference.range;
    SheetId sheet = key.sheet;
    if (!reference.sheet_name.empty()) {
      const auto found = sheet_by_name(reference.sheet_name);
      if (!found) continue;  // a sheet that does not exist has no cells to watch
      sheet = *found;
    }
    if (sheet >= static_cast<int>(index_.size())) {
      index_.resize(static_cast<std::size_t>(sheet) + 1);
    }
    SheetIndex& si = index_[static_cast<std::size_t>(sheet)];
    if (range.columns() > kWideColumns) {
      si.wide.push_back({range, key, cell.formula_stamp});
      continue;
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
      continue;
    }
    for (int c = range.first.column; c <= range.last.column; ++c) {
      for (int b = first_block; b <= last_block; ++b) si.blocks[block_key(c, b)].push_back(entry);
    }
  }
  if (formula::is_volatile(*cell.formula)) volatile_.push_back({key, cell.formula_stamp});
}

void Recalc::mark_dependents(std::vector<CellKey> cells) {
  std::vector<CellKey> next;
  auto visit = [&](const CellKey& dependent, std::uint32_t stamp) {
    Cell* cell = live_formula(dependent, stamp);
    if (cell == nullptr || cell->dirty) return;
    cell->dirty = true;
    dirty_.push_back(dependent);
    next.push_back(dependent);
  };
  auto by_position = [](const CellKey& a, const CellKey& b) {
    if (a.sheet != b.sheet) return a.sheet < b.sheet;
    if (a.column != b.column) return a.column < b.column;
    return a.row < b.row;
  };
  // Visiting never adds entries to the index, so the buckets stay put while they are scanned.
  while (!cells.empty()) {
    std::sort(cells.begin(), cells.end(), by_position);
    const auto end = cells.end();
    for (auto sheet_begin = cells.begin(); sheet_begin != end;) {
      const SheetId sheet = sheet_begin->sheet;
      const auto sheet_end =
          std::find_if(sheet_begin, end, [&](const CellKey& k) { return k.sheet != sheet; });
      if (sheet < static_cast<int>(index_.size())) {
        const SheetIndex& si = index_[static_cast<std::size_t>(sheet)];
        for (auto column_begin = sheet_begin; column_begin != sheet_end;) {
          const int column = column_begin->column;
          const auto column_end = std::find_if(
              column_begin, sheet_end, [&](const CellKey& k) { return k.column != column; });
          // Short ranges: one scan of a block's bucket against every changed row of the block.
          for (auto block_begin = column_begin; block_begin != column_end;) {
            const int block = (block_begin->row - 1) / kBlockRows;
            const int block_first_row = block * kBlockRows + 1;
            std::uint64_t changed = 0;
            auto block_end = block_begin;
            for (; block_end != column_end && (block_end->row - 1) / kBlockRows == block;
                 ++block_end) {
              changed |= std::uint64_t{1} << (block_end->row - block_first_row);
            }
            if (auto found = si.blocks.find(block_key(column, block)); found != si.blocks.end()) {
              const std::vector<Entry>& bucket = found->second;
              for (std::size_t i = 0; i < bucket.size(); ++i) {
                const Entry& e = bucket[i];
                const int first = std::max(e.first_row, block_first_row) - block_first_row;
                const int last =
                    std::min(e.last_row, block_first_row + kBlockRows - 1) - block_first_row;
                if (first > last) continue;
                const std::uint64_t upto_last = last == kBlockRows - 1
                                                    ? ~std::uint64_t{0}
                                                    : (std::uint64_t{1} << (last + 1)) - 1;
                const std::uint64_t covered = upto_last & ~((std::uint64_t{1} << first) - 1);
                if ((covered & changed) != 0) visit(e.dependent, e.stamp);
              }
            }
            block_begin = block_end;
          }
          // Tall ranges of the column: is any changed row inside? The rows are sorted.
          if (column <= static_cast<int>(si.tall_by_column.size())) {
            for (const Entry& e : si.tall_by_column[static_cast<std::size_t>(column - 1)]) {
              const auto first_inside =
                  std::lower_bound(column_begin, column_end, e.first_row,
                                   [](const CellKey& k, int row) { return k.row < row; });
              if (first_inside != column_end && first_inside->row <= e.last_row) {
                visit(e.dependent, e.stamp);
              }
            }
          }
          column_begin = column_end;
        }
        for (const WideEntry& e : si.wide) {
          const bool reads = std::any_of(sheet_begin, sheet_end, [&](const CellKey& k) {
            return e.range.contains({k.row, k.column});
          });
          if (reads) visit(e.dependent, e.stamp);
        }
      }
      sheet_begin = sheet_end;
    }
    cells.swap(next);
    next.clear();
  }
}

void Recalc::cells_written(Worksheet& sheet, std::span<const CellAddress> formulas,
                           std::span<const CellAddress> constants, bool evaluate_now) {
  if (!formulas.empty()) refresh_after_structure_change();
  std::vector<CellKey> written;
  written.reserve(formulas.size() + constants.size());
  for (const CellAddress at : formulas) {
    const CellKey key{sheet.id(), at.row, at.column};
    Cell* cell = find(key);
    if (cell == nullptr || !cell->formula) continue;
    register_formula(key, *cell);
    formulas_.push_back({key, cell->formula_stamp});
    if (!cell->dirty) {
      cell->dirty = true;
      dirty_.push_back(key);
    }
    if (evaluate_now) {
      chasing_ = false;
      cell->value = evaluate_cell(key, *cell);
    }
    written.push_back(key);
  }
  // While a structure change is pending every formula is dirty already; constants mark nothing.
  if (!structure_stale_) {
    dropped_ += constants.size();
    for (const CellAddress at : constants) written.push_back({sheet.id(), at.row, at.column});
  }
  mark_dependents(std::move(written));
  if (dropped_ > 4096 && dropped_ > registered_ / 2) rebuild();
  if (formulas_.size() > 2 * compacted_formulas_ + 4096) compact_formulas();
}

void Recalc::compact_formulas() {
  if (formulas_lost_) {
    formulas_lost_ = false;
    formulas_.clear();
    for (auto& sheet : workbook_->sheets()) {
      const SheetId id = sheet->id();
      sheet->store().for_each([&](CellAddress a, Cell& cell) {
        if (cell.formula) formulas_.push_back({{id, a.row, a.column}, cell.formula_stamp});
      });
    }
    compacted_formulas_ = formulas_.size();
    return;
  }
  std::erase_if(formulas_,
                [&](const Stamped& f) { return live_formula(f.key, f.stamp) == nullptr; });
  // Tab order, then column by column, as a walk over the cells meets them.
  std::vector<int> tab_position(workbook_->sheets().size(), 0);
  for (std::size_t i = 0; i < workbook_->sheets().size(); ++i) {
    const SheetId id = workbook_->sheets()[i]->id();
    if (id >= static_cast<int>(tab_position.size())) {
      tab_position.resize(static_cast<std::size_t>(id) + 1, 0);
    }
    tab_position[static_cast<std::size_t>(id)] = static_cast<int>(i);
  }
  auto tab = [&](SheetId id) {
    return id < static_cast<int>(tab_position.size()) ? tab_position[static_cast<std::size_t>(id)]
                                                      : static_cast<int>(tab_position.size());
  };
  std::sort(formulas_.begin(), formulas_.end(), [&](const Stamped& a, const Stamped& b) {
    const int ta = tab(a.key.sheet);
    const int tb = tab(b.key.sheet);
    if (ta != tb) return ta < tb;
    if (a.key.column != b.key.column) return a.key.column < b.key.column;
    return a.key.row < b.key.row;
  });
  // A cell noted twice (written twice in one batch) holds one formula.
  formulas_.erase(std::unique(formulas_.begin(), formulas_.end(),
                              [](const Stamped& a, const Stamped& b) {
                                return a.key.sheet == b.key.sheet && a.key.row == b.key.row &&
                                       a.key.column == b.key.column;
                              }),
                  formulas_.end());
  compacted_formulas_ = formulas_.size();
}

std::vector<CellKey> Recalc::formula_cells() {
  compact_formulas();
  std::vector<CellKey> keys;
  keys.reserve(formulas_.size());
  for (const Stamped& f : formulas_) keys.push_back(f.key);
  return keys;
}

void Recalc::rebuild() {
  compact_formulas();
  index_.clear();
  volatile_.clear();
  registered_ = 0;
  dropped_ = 0;
  for (const Stamped& f : formulas_) register_formula(f.key, *find(f.key));
}

void Recalc::structure_changed() {
  structure_stale_ = true;
  formulas_lost_ = true;
}

void Recalc::cells_shifted(SheetId sheet, const formula::GridShift& shift) {
  structure_stale_ = true;
  if (formulas_lost_) return;
  std::erase_if(formulas_, [&](Stamped& f) {
    if (f.key.sheet != sheet) return false;
    const auto landed = formula::shifted_position({f.key.row, f.key.column}, shift);
    if (!landed) return true;
    f.key.row = landed->row;
    f.key.column = landed->column;
    return false;
  });
}

void Recalc::refresh_after_structure_change() {
  if (!structure_stale_) return;
  structure_stale_ = false;
  rebuild();
  dirty_.clear();
  for (const Stamped& f : formulas_) {
    Cell* cell = find(f.key);
    cell->in_progress = false;
    cell->dirty = true;
    dirty_.push_back(f.key);
  }
}

void Recalc::sheet_removed(SheetId sheet) {
  if (sheet < static_cast<int>(index_.size())) index_[static_cast<std::size_t>(sheet)] = {};
  std::erase_if(formulas_, [&](const Stamped& f) { return f.key.sheet == sheet; });
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
  std::vector<CellKey> volatile_cells;
  volatile_cells.reserve(volatile_.size());
  for (const Stamped& s : volatile_) {
    Cell* cell = live_formula(s.key, s.stamp);
    if (!cell->dirty) {
      cell->dirty = true;
      dirty_.push_back(s.key);
    }
    volatile_cells.push_back(s.key);
  }
  mark_dependents(std::move(volatile_cells));
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
  return {ws->store().tallest_column(), ws->store().column_count()};
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
