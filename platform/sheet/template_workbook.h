#pragma once

#include <filesystem>
#include <string>

namespace fb::sheet {

class Workbook;

// Gives a new, empty workbook what a 97-2003 template holds: its worksheets in order with their
// standard column width and default row height, the Normal style's font as the workbook's
// standard font, and the template's active sheet. Throws fb::HostError 1004 naming
// `display_name` when the file cannot be read or is no such template (truncated, corrupt).
void load_template(Workbook& workbook, const std::filesystem::path& file,
                   const std::string& display_name);

}  // namespace fb::sheet
