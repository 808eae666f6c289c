#pragma once

#include <compare>

namespace fb::sheet {

// Grid limits of the "12.0" profile; the "11.0" profile's grid (65536 rows, 256 columns) is
// smaller and the host enforces it where the profile matters.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// A cell position, 1-based as the object model counts: row 1, column 1 is A1.
struct CellAddress {
  int row = 1;
  int column = 1;
  friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

// A rectangle of cells, inclusive, with first <= last in both directions.
struct RangeAddress {
  CellAddress first;
  CellAddress last;
  friend bool operator==(const RangeAddress&, const RangeAddress&) = default;

  int rows() const noexcept { return last.row - first.row + 1; }
  int columns() const noexcept { return last.column - first.column + 1; }
  bool contains(CellAddress a) const noexcept {
    return a.row >= first.row && a.row <= last.row && a.column >= first.column &&
           a.column <= last.column;
  }
};

}  // namespace fb::sheet
