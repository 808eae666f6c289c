#pragma once

#include <string_view>

#include "platform/sheet/cell_address.h"

namespace fb::sheet {

class Worksheet;

// Where a cell's top-left corner lies on its sheet, in points.
struct SheetPoint {
  double left = 0;
  double top = 0;
};
SheetPoint cell_top_left(const Worksheet& sheet, CellAddress cell);

// Worksheet.Paste of shapes: copies of the clipboard's shapes, with their names, placed so that
// their common top-left corner is at the active cell.
void paste_shapes(Worksheet& sheet);

// Worksheet.PasteSpecial as an enhanced metafile: one picture holding the drawing of the
// clipboard's shapes (a chart at the chart's size), at the active cell, with a default name.
void paste_as_picture(Worksheet& sheet, std::string_view format, bool link, bool display_as_icon);

}  // namespace fb::sheet
