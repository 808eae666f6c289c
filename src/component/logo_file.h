#pragma once

#include <string>

namespace kivo2d {

// Writes the product logo, the third picture of the editor's ImageList1, to `windows_path` (a
// Windows-style path under WinDir). The run-time's picture save writes it as a bitmap whatever
// the file's extension, so the ".gif" name holds a bitmap, as the host expects.
void SaveLogoPicture(const std::string& windows_path);

}  // namespace kivo2d
