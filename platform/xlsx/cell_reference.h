#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/cell_address.h"

namespace fb::xlsx {

// "B2": the relative reference the package uses for one cell.
std::string cell_reference(sheet::CellAddress cell);
// "B2:AA2", or "B2" for a single cell.
std::string range_reference(const sheet::RangeAddress& range);
// "Sheet1!$B$2:$AA$32"; the sheet name quoted ('Data 1'!...) when a formula needs it.
std::string absolute_sheet_reference(std::string_view sheet_name, const sheet::RangeAddress& range);

}  // namespace fb::xlsx
