#include "platform/xlsx/sheet_geometry.h"

#include <algorithm>
#include <cmath>

#include "platform/sheet/cell_address.h"

namespace fb::xlsx {
namespace {

// Advance of a digit as a share of the font's em: proportional Latin faces are near 0.55, the
// half-width digits of Chinese faces exactly 0.5.
double digit_share(const std::string& name) {
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii) return 0.5;
  if (name == "Calibri") return 0.507;
  return 0.556;  // Arial and the faces that share its metrics
}

constexpr int kCellPadding = 5;

}  // namespace

int max_digit_width(const sheet::Font& default_font) {
  const double em_pixels = default_font.size * 96.0 / 72.0;
  return std::max(1, static_cast<int>(std::lround(em_pixels * digit_share(default_font.name))));
}

double stored_column_width(double characters, int digit_width) {
  if (characters <= 0) return 0;
  const double with_padding = (characters * digit_width + kCellPadding) / digit_width;
  return std::trunc(with_padding * 256) / 256;
}

int column_pixels(double characters, int digit_width) {
  const double stored = stored_column_width(characters, digit_width);
  if (stored <= 0) return 0;
  return static_cast<int>(
      std::trunc((256 * stored + std::trunc(128.0 / digit_width)) / 256 * digit_width));
}

SheetGeometry::SheetGeometry(const Sheet& sheet, const sheet::Font& default_font)
    : sheet_(&sheet), digit_width_(max_digit_width(default_font)) {}

double SheetGeometry::column_width(int column) const {
  double characters = sheet_->default_column_width;
  for (const auto& span : sheet_->columns) {
    if (column >= span.first && column <= span.last) {
      characters = span.width;
      break;
    }
  }
  return column_pixels(characters, digit_width_) * 0.75;
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
