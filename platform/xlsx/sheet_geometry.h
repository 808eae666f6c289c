#pragma once

#include <cstdint>

#include "platform/sheet/cell_format.h"
#include "platform/xlsx/document.h"

namespace fb::xlsx {

// The width the package stores for a column `characters` wide in the standard font: digits plus
// the host's padding, counted in digits and truncated to 1/256ths.
double stored_column_width(double characters, const sheet::Font& standard_font);

// Where a point of a sheet lies: the cell (0-based, as drawings count) and the offset into it,
// in English Metric Units (12700 to the point).
struct CellOffset {
  int column = 0;
  std::int64_t column_offset = 0;
  int row = 0;
  std::int64_t row_offset = 0;
};

inline constexpr std::int64_t kEmuPerPoint = 12700;
inline std::int64_t points_to_emu(double points) {
  return static_cast<std::int64_t>(points * kEmuPerPoint + (points < 0 ? -0.5 : 0.5));
}

// Column and row positions of one sheet in points, for anchoring shapes to cells.
class SheetGeometry {
 public:
  SheetGeometry(const Sheet& sheet, const sheet::Font& standard_font);

  double column_width(int column) const;  // points, 1-based column
  double row_height(int row) const;       // points, 1-based row
  // The cell under the point (left, top), measured from the sheet's top-left corner.
  CellOffset locate(double left, double top) const;

 private:
  const Sheet* sheet_;
  sheet::Font standard_font_;
};

}  // namespace fb::xlsx
