#pragma once

#include "platform/render/display_list.h"

namespace fb::render {

// Decodes a PNG or GIF file's bytes (the first frame of a GIF). Throws std::invalid_argument
// when the bytes are not a readable image of the stated format.
RgbaPixels decode_image(const EncodedImage& image);

// The pixels an image command draws: decoded, with its transparency colour turned transparent
// and its opacity applied.
RgbaPixels image_pixels(const ImageCmd& image);

// A PNG file of the pixels.
std::vector<std::uint8_t> encode_png(const RgbaPixels& pixels);

}  // namespace fb::render
