#include "platform/sheet/cell_store.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace fb::sheet {

Cell* CellStore::make_blank() {
  if (!free_.empty()) {
    Cell* cell = free_.back();
    free_.pop_back();
    return cell;
  }
  return &pool_.emplace_back();
}

void CellStore::release(Cell* cell) {
  *cell = Cell{};
  free_.push_back(cell);
}

void CellStore::release(Column::iterator first, Column::iterator last) {
  for (auto it = first; it != last; ++it) release(*it);
}

Cell& CellStore::at(CellAddress a) {
  if (a.column > column_count()) columns_.resize(static_cast<std::size_t>(a.column));
  auto& column = columns_[static_cast<std::size_t>(a.column - 1)];
  if (a.row > static_cast<int>(column.size())) {
    while (static_cast<int>(column.size()) < a.row) column.push_back(make_blank());
    if (tallest_ >= 0) tallest_ = std::max(tallest_, a.row);
  }
  return *column[static_cast<std::size_t>(a.row - 1)];
}

int CellStore::tallest_column() const {
  if (tallest_ < 0) {
    tallest_ = 0;
    for (const Column& column : columns_) {
      tallest_ = std::max(tallest_, static_cast<int>(column.size()));
    }
  }
  return tallest_;
}

CellAddress CellStore::extent() const {
  CellAddress e{0, 0};
  for (int c = 1; c <= column_count(); ++c) {
    const auto& column = columns_[static_cast<std::size_t>(c - 1)];
    int height = static_cast<int>(column.size());
    while (height > 0 && column[static_cast<std::size_t>(height - 1)]->is_blank()) --height;
    if (height > 0) {
      e.column = c;
      e.row = std::max(e.row, height);
    }
  }
  return e;
}

void CellStore::insert_rows(int at, int count, int first_column, int last_column) {
  tallest_ = -1;
  const int last = std::min(last_column, column_count());
  for (int c = first_column; c <= last; ++c) {
    auto& column = columns_[static_cast<std::size_t>(c - 1)];
    if (at > static_cast<int>(column.size())) continue;
    const auto inserted =
        column.insert(column.begin() + (at - 1), static_cast<std::size_t>(count), nullptr);
    std::generate_n(inserted, count, [&] { return make_blank(); });
    // Cells pushed past the grid fall off, as they do in the host.
    if (static_cast<int>(column.size()) > kMaxRows) {
      release(column.begin() + kMaxRows, column.end());
      column.resize(kMaxRows);
    }
  }
}

void CellStore::delete_rows(int at, int count, int first_column, int last_column) {
  tallest_ = -1;
  const int last = std::min(last_column, column_count());
  for (int c = first_column; c <= last; ++c) {
    auto& column = columns_[static_cast<std::size_t>(c - 1)];
    const int size = static_cast<int>(column.size());
    if (at > size) continue;
    const int end = std::min(size, at - 1 + count);
    release(column.begin() + (at - 1), column.begin() + end);
    column.erase(column.begin() + (at - 1), column.begin() + end);
  }
}

void CellStore::insert_columns(int first, int count, int first_row, int last_row) {
  tallest_ = -1;
  if (first > column_count()) return;
  const bool whole = first_row == 1 && last_row >= kMaxRows;
  if (whole) {
    columns_.insert(columns_.begin() + (first - 1), static_cast<std::size_t>(count), {});
    if (column_count() > kMaxColumns) {
      for (auto it = columns_.begin() + kMaxColumns; it != columns_.end(); ++it) {
        release(it->begin(), it->end());
      }
      columns_.resize(kMaxColumns);
    }
    return;
  }
  const int old_count = column_count();
  for (int c = old_count; c >= first; --c) {
    for (int r = first_row; r <= std::min(last_row, column_height(c)); ++r) {
      if (c + count <= kMaxColumns) at({r, c + count});  // the destination exists first
      Cell*& source = columns_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)];
      if (c + count <= kMaxColumns) {
        std::swap(
            source,
            columns_[static_cast<std::size_t>(c + count - 1)][static_cast<std::size_t>(r - 1)]);
      }
      *source = Cell{};
    }
  }
}

void CellStore::delete_columns(int first, int count, int first_row, int last_row) {
  tallest_ = -1;
  if (first > column_count()) return;
  const bool whole = first_row == 1 && last_row >= kMaxRows;
  if (whole) {
    const int end = std::min(column_count(), first - 1 + count);
    for (auto it = columns_.begin() + (first - 1); it != columns_.begin() + end; ++it) {
      release(it->begin(), it->end());
    }
    columns_.erase(columns_.begin() + (first - 1), columns_.begin() + end);
    return;
  }
  const int old_count = column_count();
  for (int c = first; c <= old_count; ++c) {
    for (int r = first_row; r <= std::min(last_row, column_height(c)); ++r) {
      if (c >= first + count) {
        at({r, c - count});
        std::swap(
            columns_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)],
            columns_[static_cast<std::size_t>(c - count - 1)][static_cast<std::size_t>(r - 1)]);
      }
      *columns_[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(r - 1)] = Cell{};
    }
  }
}

}  // namespace fb::sheet
