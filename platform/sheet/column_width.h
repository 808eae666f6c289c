#pragma once

#include "platform/sheet/cell_format.h"

namespace fb::sheet {

// Column widths are kept as the object model gives them: in characters of the widest digit of
// the workbook's standard font (the Normal style's). Drawing a sheet needs them in points; the
// conversion below is the one the spreadsheet program uses on a 96-dpi screen, where a column
// is a whole number of pixels: the digit widths plus a small padding on both sides.

// Pixels of the widest digit of a font at 96 dpi (宋体 12: 8, Arial 10: 7, Calibri 11: 7).
int max_digit_width_pixels(const Font& font);

// Pixels a column adds around its digits (5 for the usual 7- and 8-pixel digits).
int column_padding_pixels(const Font& standard_font);

// Pixels of a column `characters` wide (0 for a hidden column).
int column_width_pixels(double characters, const Font& standard_font);

// The same width in points (0.75 points per pixel): 4.75 characters of 宋体 12 are 32.25 points.
double column_width_points(double characters, const Font& standard_font);

// The standard width in characters that a default width of whole characters (the template's
// default column width) gives: its pixels are rounded up to a multiple of 8 (宋体 12: 8 -> 8.38).
double standard_column_width(int default_characters, const Font& standard_font);

}  // namespace fb::sheet
