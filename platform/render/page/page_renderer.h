#pragma once

#include <functional>
#include <vector>

#include "platform/render/display_list.h"
#include "platform/sheet/cell_address.h"

namespace fb::sheet {
class Worksheet;
}

namespace fb::render {

// A4 landscape, in points.
inline constexpr Size kA4Landscape{841.89, 595.28};

// How a sheet goes onto paper; all lengths in points.
struct PageSettings {
  Size paper = kA4Landscape;
  double left_margin = 54;
  double right_margin = 54;
  double top_margin = 72;
  double bottom_margin = 72;
  bool centre_horizontally = false;
  bool centre_vertically = false;
  // Shrink (never enlarge) the print area to one page; otherwise `zoom` applies and what does
  // not fit is cut at the margins.
  bool fit_to_one_page = true;
  double zoom = 1;
  sheet::RangeAddress print_area{{1, 1}, {1, 1}};
};

// Pictures and shapes that sit on the sheet: the callback draws them in sheet coordinates
// (points from the top-left corner of cell A1), after the cells.
using SheetDrawing = std::function<void(DisplayList& sheet_space)>;

// Positions of cell edges in sheet coordinates; column widths in characters of the workbook's
// standard font become points through the host's one conversion.
class SheetGeometry {
 public:
  explicit SheetGeometry(const sheet::Worksheet& sheet);
  double column_width(int column) const;  // points
  double column_left(int column) const;   // left edge of the column
  double row_top(int row) const;          // top edge of the row
  Rect cell_rect(const sheet::RangeAddress& area) const;

 private:
  const sheet::Worksheet& sheet_;
};

// One page: the print area's cells (fills, borders per edge, texts with their fonts, alignment
// and wrapping, merged areas as one cell), then the drawings, scaled and placed on the paper.
// Throws std::invalid_argument when the margins leave no room.
DisplayList render_page(const sheet::Worksheet& sheet, const PageSettings& settings,
                        const std::vector<SheetDrawing>& drawings = {});

}  // namespace fb::render
