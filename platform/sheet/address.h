#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell_address.h"

namespace fb::sheet {

// The size of the grid of one version profile.
struct GridSize {
  int rows = kMaxRows;
  int columns = kMaxColumns;
};

// "A" for column 1, "BN" for 66. Throws std::out_of_range for a column below 1.
std::string column_letters(int column);

// 1 for "A" (either letter case), 0 when the text is not a column name.
int column_number(std::string_view letters);

// Parses a reference text as the object model's Range() takes it: "B2:J244", "$K$9", "A:A",
// "AN:BN", "5:6", and comma-separated lists of those ("A:A,K:K,P:P"). Whole columns and whole
// rows span the grid. nullopt when the text is not a valid reference inside `grid`.
std::optional<std::vector<RangeAddress>> parse_a1_reference(std::string_view text, GridSize grid);

// The address as the object model's Address gives it: "$K$9", "$B$2:$J$244", whole columns as
// "$A:$A", whole rows as "$5:$6". The flags drop the dollar signs.
std::string format_a1(const RangeAddress& range, GridSize grid, bool row_absolute = true,
                      bool column_absolute = true);

// The absolute R1C1 form: "R9C11", "R2C2:R244C10", whole columns "C1", whole rows "R5:R6".
std::string format_r1c1(const RangeAddress& range, GridSize grid);

inline bool is_whole_columns(const RangeAddress& r, GridSize grid) {
  return r.first.row == 1 && r.last.row == grid.rows;
}
inline bool is_whole_rows(const RangeAddress& r, GridSize grid) {
  return r.first.column == 1 && r.last.column == grid.columns;
}

}  // namespace fb::sheet
