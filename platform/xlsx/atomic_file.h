#pragma once

#include <filesystem>
#include <string_view>

namespace fb::xlsx {

// Writes `bytes` to a new temporary file in the target's folder and renames it over `path`, so
// a reader never sees a half-written file and a failure leaves an earlier file as it was.
// A replaced file keeps its permission bits. Throws fb::HostError naming `path` and the
// system's reason: 70 permission denied (also a read-only file system), 76 path not found,
// 61 disk full, 75 any other path/file access error.
void write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace fb::xlsx
