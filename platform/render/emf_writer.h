#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/render/display_list.h"

namespace fb::render {

// An enhanced metafile of the drawing, one logical unit per 1/20 point (a 1440 dpi reference
// device). Records are written directly rather than through a GDI emulation library: such a
// library available to us lacks clipping, pattern brushes and gradients, which the charts use.
//
// Everything is transformed to page coordinates before it is written, so readers that ignore
// world transforms still place it right: shapes become polygons, texts are one ExtTextOutW
// record per line (UTF-16, with the product's font name and the escapement of their rotation),
// pattern and gradient fills become solid pieces (readers differ too much in pattern brushes),
// images are 32-bit DIBs stretched into an axis-aligned box (alpha kept in the fourth byte).
std::vector<std::uint8_t> render_emf(const DisplayList& list);

// Written atomically; failures throw std::runtime_error naming the file.
void write_emf(const DisplayList& list, const std::filesystem::path& path);

}  // namespace fb::render
