#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sheet/address.h"

namespace fb::sheet {

// A block of cells on a named sheet, as chart series refer to their data.
struct SheetReference {
  std::string sheet;
  RangeAddress area;
  friend bool operator==(const SheetReference&, const SheetReference&) = default;
};

// Reads a reference text as a series property takes it, with or without the leading "=":
// "=Sheet2!R11C9:R14C9" (R1C1), "='Sheet2'!$T$11:$V$37" or "Sheet2!D4:E8" (A1). The sheet name
// is required. nullopt when the text is no such reference.
std::optional<SheetReference> parse_sheet_reference(std::string_view text, GridSize grid);

// "Sheet2!$T$11:$V$37" and "Sheet2!R11C20:R37C22"; a sheet name that is not a plain word is
// quoted.
std::string format_sheet_reference_a1(const SheetReference& reference, GridSize grid);
std::string format_sheet_reference_r1c1(const SheetReference& reference, GridSize grid);

// The parts of a series formula "=SERIES(name,x values,values,plot order)".
struct SeriesFormulaParts {
  std::string name;  // the text of the name argument as written (often empty)
  std::optional<SheetReference> x_values;
  std::optional<SheetReference> values;
  int plot_order = 1;
};

// nullopt when the text is not a series formula of four arguments whose references are
// references (an empty x-values argument is allowed).
std::optional<SeriesFormulaParts> parse_series_formula(std::string_view text, GridSize grid);

}  // namespace fb::sheet
