#pragma once

#include <string_view>

#include "platform/sheet/value.h"

namespace fb::sheet {

// What a text becomes when it is typed into a cell (or given as a range's value): a number
// ("1", "-2.5", "1E3", "50%"), TRUE or FALSE in any letter case, an error value ("#N/A"), or the
// text itself. The empty text clears the cell.
Value typed_value(std::string_view text);

// The value as the cell's formula reads back for a constant: numbers in General format,
// TRUE/FALSE, error texts, text as is.
std::string constant_text(const Value& value);

}  // namespace fb::sheet
