#pragma once

#include <cstdint>
#include <vector>

namespace fb::raster {

// A raster picture: width × height pixels, row-major from the top-left, 4 bytes per pixel in the
// order red, green, blue, alpha (straight, not premultiplied alpha).
struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

  Picture() = default;
  Picture(int w, int h, Rgba fill = {});

  bool empty() const { return width <= 0 || height <= 0; }
  Rgba pixel(int x, int y) const;
  void set_pixel(int x, int y, Rgba colour);  // ignored outside the picture
  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace fb::raster
