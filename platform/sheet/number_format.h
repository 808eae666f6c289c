#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/value.h"

namespace fb::sheet {

// A value as a cell with the given number format shows it (the object model's Text): "General",
// digit placeholders "0" and "#", decimals, thousands separators, "%", "_x" (room for x, shown as
// a blank), quoted and backslash literals, and up to three sections (positive;negative;zero).
// Text, booleans and errors show as themselves.
std::string format_value(const Value& value, std::string_view number_format);

}  // namespace fb::sheet
