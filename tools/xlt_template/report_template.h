#pragma once

#include <cstdint>
#include <vector>

namespace fb::xlt {

// The bytes of the blank report template: a one-sheet workbook in the 97-2003 template format.
// Deterministic: the same program always gives the same bytes.
std::vector<std::uint8_t> build_report_template();

}  // namespace fb::xlt
