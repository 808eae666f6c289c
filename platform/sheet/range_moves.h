#pragma once

#include "platform/sheet/clipboard.h"

namespace fb::sheet {

class Range;
class Worksheet;

// Shared by the clipboard and the insertion of cut cells.
CopiedCells snapshot_cells(const Range& range, bool cut);
// Writes copied cells with their formats and merges at a top-left cell. Moved formulas keep
// naming the cells they named (cut), copied ones keep their relative offsets.
void place_cells(Worksheet& sheet, const CopiedCells& cells, CellAddress top_left, bool moved);
// Blanks the source of a cut: content, formats and merges.
void clear_cut_source(const CopiedCells& cells);

}  // namespace fb::sheet
