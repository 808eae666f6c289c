#pragma once

#include <cstdint>
#include <vector>

namespace fb::xlt {

// The "Workbook" stream of the blank report template: workbook globals (code page, window,
// fonts, number formats, cell formats, built-in styles, the one sheet, country) and one empty
// worksheet "Sheet1" with its calculation, print and window settings. Padded with zeros to 4096
// bytes, as the spreadsheet program keeps its workbook stream out of the mini stream.
std::vector<std::uint8_t> build_workbook_stream();

}  // namespace fb::xlt
