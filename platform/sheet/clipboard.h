#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/formula/formula.h"
#include "platform/sheet/value.h"

namespace fb::sheet {

class Worksheet;
struct CopiedShapes;

// One copied cell: its content and its format as the cell showed them at copy time.
struct CopiedCell {
  Value value;
  formula::FormulaPtr formula;
  CellFormat format;
};

// Cells on the host-wide clipboard. The host takes a snapshot at copy time; a cut remembers
// where the cells came from so that pasting can move them.
struct CopiedCells {
  Worksheet* source_sheet = nullptr;
  RangeAddress source;
  bool cut = false;
  int rows = 0;
  int columns = 0;
  // Only the stored part of the source is kept cell by cell (a whole column holds a million
  // cells); below it every cell is blank with its column's format.
  int stored_rows = 0;
  std::vector<CopiedCell> cells;                     // stored_rows x columns, row by row
  std::vector<CopiedCell> column_blank;              // per column: the cell below the stored part
  std::vector<RangeAddress> merges;                  // relative to the source's top-left, 1-based
  const CopiedCell& at(int row, int column) const {  // 0-based
    if (row >= stored_rows) return column_blank[static_cast<std::size_t>(column)];
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                 static_cast<std::size_t>(column)];
  }
};

// The host-wide clipboard: cells, or shapes (see shape/shape_clipboard.h). Putting one there
// drops the other.
class Clipboard {
 public:
  bool has_cells() const { return cells_.has_value(); }
  const CopiedCells& cells() const { return *cells_; }
  void set_cells(CopiedCells cells) {
    shapes_.reset();
    cells_ = std::move(cells);
  }
  bool has_shapes() const { return shapes_ != nullptr; }
  const CopiedShapes& shapes() const { return *shapes_; }
  void set_shapes(std::shared_ptr<const CopiedShapes> shapes) {
    cells_.reset();
    shapes_ = std::move(shapes);
  }
  void clear() {
    cells_.reset();
    shapes_.reset();
  }
  // Drops a cut whose cells live in the sheet, which is going away.
  void forget_sheet(const Worksheet* sheet) {
    if (cells_ && cells_->source_sheet == sheet) {
      if (cells_->cut) {
        cells_.reset();
      } else {
        cells_->source_sheet = nullptr;
      }
    }
  }

 private:
  std::optional<CopiedCells> cells_;
  std::shared_ptr<const CopiedShapes> shapes_;
};

}  // namespace fb::sheet
