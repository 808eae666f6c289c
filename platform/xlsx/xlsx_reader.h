#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sheet/cell_address.h"
#include "platform/xlsx/document.h"
#include "platform/xlsx/zip_archive.h"

namespace fb::xlsx {

// One sheet of a package as a reader finds it: its name, whether it shows, and the text of every
// cell that holds a value. A text cell gives its text (shared, inline or a formula's), with the
// "_xHHHH_" escapes of the format decoded; a number, a boolean or an error gives the value as
// the package writes it ("8", "1", "#N/A").
struct SheetTexts {
  std::string name;
  SheetState state = SheetState::Visible;
  std::map<sheet::CellAddress, std::string> cells;
};

// Reads the sheet of this name (letter case ignored) from the bytes of an .xlsx package, as this
// writer or another spreadsheet program saved it; nothing when the workbook has no such sheet.
// Only the parts that lead to the sheet are inflated (the package's relationships, the workbook,
// its relationships, the shared strings and the sheet), each at most kMaxPartBytes. Throws
// PackageError naming the problem when the package is damaged or no workbook.
std::optional<SheetTexts> read_sheet_texts(std::string_view package, std::string_view name);

}  // namespace fb::xlsx
