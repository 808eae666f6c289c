#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/value.h"
#include "platform/sheet/worksheet.h"

namespace kivo2d {

// The row of the last non-empty cell of a column, found as every step finds it: from row 65536
// upward (End(xlUp)).
int LastRow(fb::sheet::Worksheet& sheet, std::string_view column);

// A cell value as the component's arithmetic takes it (`Range(...).Value + 1`): empty is 0, a
// number is itself, a numeric text is converted; anything else raises the runtime's error 13,
// "Type mismatch", as fb::HostError.
double NumericValue(const fb::sheet::Value& value);

// "A1:C" + row, the shape in which the steps build their addresses.
std::string RowsAddress(std::string_view first_cell, std::string_view last_column, int last_row);

}  // namespace kivo2d
