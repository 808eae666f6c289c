#include "platform/xlsx/sheet_geometry.h"

#include <algorithm>
#include <cmath>

#include "platform/sheet/cell_address.h"
#include "platform/sheet/column_width.h"

namespace fb::xlsx {

double stored_column_width(double characters, const sheet::Font& standard_font) {
  if (sheet::column_width_pixels(characters, standard_font) <= 0) return 0;
  // The file format's formula with the host's digit and padding: readers working back to pixels
  // land on the host's column, and the characters the user set stay readable in the file.
  const int digit = sheet::max_digit_width_pixels(standard_font);
  const int padding = sheet::column_padding_pixels(standard_font);
  const double with_padding = (characters * digit + padding) / digit;
  return std::trunc(with_padding * 256) / 256;
}

SheetGeometry::SheetGeometry(const Sheet& sheet, const sheet::Font& standard_font)
    : sheet_(&sheet), standard_font_(standard_font) {}

double SheetGeometry::column_width(int column) const {
  double characters = sheet_->default_column_width;
  for (const auto& span : sheet_->columns) {
    if (column >= span.first && column <= span.last) {
      characters = span.width;
      break;
    }
  }
  return sheet::column_width_points(characters, standard_font_);
}

double SheetGeometry::row_height(int row) const {
  if (const auto found = sheet_->rows.find(row); found != sheet_->rows.end()) {
    if (found->second.height) return *found->second.height;
  }
  return sheet_->default_row_height;
}

CellOffset SheetGeometry::locate(double left, double top) const {
  CellOffset at;
  double x = std::max(0.0, left);
  int column = 1;
  while (column < sheet::kMaxColumns && x >= column_width(column)) {
    x -= column_width(column);
    ++column;
  }
  double y = std::max(0.0, top);
  int row = 1;
  while (row < sheet::kMaxRows && y >= row_height(row)) {
    y -= row_height(row);
    ++row;
  }
  at.column = column - 1;
  at.column_offset = points_to_emu(x);
  at.row = row - 1;
  at.row_offset = points_to_emu(y);
  return at;
}

}  // namespace fb::xlsx
