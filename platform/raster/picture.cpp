#include "platform/raster/picture.h"

#include <cstddef>

namespace fb::raster {

Picture::Picture(int w, int h, Rgba fill)
    : width(w), height(h), rgba(static_cast<std::size_t>(w > 0 && h > 0 ? w * h * 4 : 0)) {
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
    rgba[i] = fill.r;
    rgba[i + 1] = fill.g;
    rgba[i + 2] = fill.b;
    rgba[i + 3] = fill.a;
  }
}

Rgba Picture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
  return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
}

void Picture::set_pixel(int x, int y, Rgba colour) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
  rgba[i] = colour.r;
  rgba[i + 1] = colour.g;
  rgba[i + 2] = colour.b;
  rgba[i + 3] = colour.a;
}

}  // namespace fb::raster
