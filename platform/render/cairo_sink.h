#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/render/display_list.h"

namespace fb::render {

// Output resolution: `scale` device pixels per point, so 2 gives 144 dpi.
inline constexpr double kDefaultPngScale = 2.0;

// The drawing as pixels of ceil(width × scale) by ceil(height × scale).
RgbaPixels rasterize(const DisplayList& list, double scale = kDefaultPngScale);

std::vector<std::uint8_t> render_png(const DisplayList& list, double scale = kDefaultPngScale);
// One page of the list's size, texts as real (searchable) text.
std::vector<std::uint8_t> render_pdf(const DisplayList& list);

// The same, written atomically; failures throw std::runtime_error naming the file.
void write_png(const DisplayList& list, const std::filesystem::path& path,
               double scale = kDefaultPngScale);
void write_pdf(const DisplayList& list, const std::filesystem::path& path);

}  // namespace fb::render
