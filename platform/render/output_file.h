#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace fb::render {

// Writes `bytes` to a temporary file beside `path` and renames it into place, so that a failure
// leaves any earlier file at `path` untouched. Throws std::runtime_error naming `path` and the
// reason.
void write_file_atomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace fb::render
