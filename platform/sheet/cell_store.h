#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/formula/formula.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

// One cell. A formula cell keeps its parsed formula (shared by every cell that received the same
// R1C1 text), its last result in `value` and whether that result is out of date.
struct Cell {
  Value value;
  formula::FormulaPtr formula;
  FormatId format = kNoFormat;
  // Distinguishes this formula from earlier ones in the same cell, so the dependency index can
  // drop entries of overwritten formulas lazily.
  std::uint32_t formula_stamp = 0;
  bool dirty = false;
  bool in_progress = false;

  bool has_content() const { return formula != nullptr || !is_empty(value); }
  bool is_blank() const { return !has_content() && format == kNoFormat; }
  void clear_content() {
    value = Empty{};
    formula.reset();
    dirty = false;
    in_progress = false;
  }
};

// The cells of one sheet, column by column, each column a dense vector of cell pointers down to
// its lowest touched row. Reading a cell is two index operations; whole-column work stops at the
// column's end instead of the grid's. The cells themselves live in a pool and never move while
// they exist, so inserting or deleting rows shifts pointers instead of whole cells with their
// values and formulas, and a cell reference stays valid while other cells are created.
class CellStore {
 public:
  CellStore() = default;
  CellStore(const CellStore&) = delete;
  CellStore& operator=(const CellStore&) = delete;

  const Cell* find(CellAddress a) const {
    if (a.column < 1 || a.column > static_cast<int>(columns_.size())) return nullptr;
    const auto& column = columns_[static_cast<std::size_t>(a.column - 1)];
    if (a.row < 1 || a.row > static_cast<int>(column.size())) return nullptr;
    return column[static_cast<std::size_t>(a.row - 1)];
  }
  Cell* find(CellAddress a) {
    return const_cast<Cell*>(static_cast<const CellStore*>(this)->find(a));
  }
  // The cell, created blank when it does not exist yet.
  Cell& at(CellAddress a);

  int column_count() const { return static_cast<int>(columns_.size()); }
  // The number of stored rows of a column (1-based column); 0 beyond the stored columns.
  int column_height(int column) const {
    if (column < 1 || column > column_count()) return 0;
    return static_cast<int>(columns_[static_cast<std::size_t>(column - 1)].size());
  }
  // The height of the tallest column: a bound on the rows in use, kept between changes since
  // every whole-column reference of every formula asks for it.
  int tallest_column() const;
  // A bound on the used part: no cell with content lies below or right of it. {0,0} when empty.
  CellAddress extent() const;

  // Shifts the cells of rows at..at+count-1 (within columns [first, last]) down by count.
  void insert_rows(int at, int count, int first_column, int last_column);
  void delete_rows(int at, int count, int first_column, int last_column);
  // Shifts the cells of columns at.. right by count, within rows [first, last].
  void insert_columns(int first, int count, int first_row, int last_row);
  void delete_columns(int first, int count, int first_row, int last_row);

  // Calls fn(CellAddress, Cell&) for every stored cell inside the rectangle.
  template <typename Fn>
  void for_each_in(const RangeAddress& r, Fn&& fn) {
    const int last_column = std::min(r.last.column, column_count());
    for (int c = r.first.column; c <= last_column; ++c) {
      auto& column = columns_[static_cast<std::size_t>(c - 1)];
      const int last_row = std::min(r.last.row, static_cast<int>(column.size()));
      for (int row = r.first.row; row <= last_row; ++row) {
        fn(CellAddress{row, c}, *column[static_cast<std::size_t>(row - 1)]);
      }
    }
  }
  template <typename Fn>
  void for_each(Fn&& fn) {
    for_each_in(RangeAddress{{1, 1}, {kMaxRows, kMaxColumns}}, fn);
  }

 private:
  using Column = std::vector<Cell*>;
  Cell* make_blank();
  void release(Cell* cell);
  // Releases the cells of [first, last) of a column.
  void release(Column::iterator first, Column::iterator last);

  std::vector<Column> columns_;
  std::deque<Cell> pool_;     // owns every cell; a deque never moves its elements
  std::vector<Cell*> free_;   // released cells of the pool, blank, for reuse
  mutable int tallest_ = -1;  // tallest_column(), or -1 when it must be found afresh
};

}  // namespace fb::sheet
