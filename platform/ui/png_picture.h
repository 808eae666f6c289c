#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/picture.h"

namespace fb::ui {

// Decodes a PNG file's bytes into straight RGBA. Throws std::invalid_argument naming `source` and
// libpng's reason when the bytes are not a readable PNG.
Picture decode_png(std::span<const std::uint8_t> bytes, std::string_view source);

}  // namespace fb::ui
