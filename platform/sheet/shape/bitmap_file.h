#pragma once

#include <filesystem>
#include <optional>

#include "platform/raster/picture.h"

namespace fb::sheet {

// The run-time's picture save: a 32-bit bottom-up BMP with its alpha channel. Throws
// fb::HostError 75 when the file cannot be written.
void save_bitmap_file(const raster::Picture& picture, const std::filesystem::path& file);

// Reads an uncompressed 24- or 32-bit BMP; nullopt for anything else or a damaged file.
std::optional<raster::Picture> read_bitmap_file(const std::filesystem::path& file);

}  // namespace fb::sheet
