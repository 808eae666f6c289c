#include "tools/artwork/indexed_frames.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace fb::artwork {

void RampPalette::AddRamp(Colour from, Colour to, int steps) {
  for (int i = 0; i < steps; ++i) {
    const double t = steps == 1 ? 0 : static_cast<double>(i) / (steps - 1);
    auto channel = [t](double a, double b) {
      return static_cast<std::uint8_t>(std::lround((a + (b - a) * t) * 255));
    };
    const GifColour colour{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
    const bool known = std::any_of(colours_.begin(), colours_.end(), [&](const GifColour& c) {
      return c.r == colour.r && c.g == colour.g && c.b == colour.b;
    });
    if (!known) colours_.push_back(colour);
  }
  if (colours_.size() > 256) throw std::runtime_error("a GIF palette holds at most 256 colours");
}

std::uint8_t RampPalette::Index(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const std::uint32_t key = (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
  if (const auto found = cache_.find(key); found != cache_.end()) return found->second;
  int best = 0;
  int best_distance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < colours_.size(); ++i) {
    const int dr = colours_[i].r - r;
    const int dg = colours_[i].g - g;
    const int db = colours_[i].b - b;
    const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<int>(i);
    }
  }
  cache_[key] = static_cast<std::uint8_t>(best);
  return static_cast<std::uint8_t>(best);
}

std::vector<std::uint8_t> RampPalette::Map(const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> indexes(rgba.size() / 4);
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    indexes[i] = Index(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2]);
  }
  return indexes;
}

std::vector<GifImage> DeltaImages(const std::vector<std::vector<std::uint8_t>>& frames, int width,
                                  int height, int frames_per_second) {
  std::vector<GifImage> images;
  for (std::size_t f = 0; f < frames.size(); ++f) {
    int left = 0;
    int top = 0;
    int right = width - 1;
    int bottom = height - 1;
    if (f > 0) {
      left = width;
      top = height;
      right = -1;
      bottom = -1;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const std::size_t i = static_cast<std::size_t>(y) * width + x;
          if (frames[f][i] == frames[f - 1][i]) continue;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
      if (right < 0) left = top = right = bottom = 0;  // unchanged: one pixel, as it was
    }
    GifImage image;
    image.left = left;
    image.top = top;
    image.width = right - left + 1;
    image.height = bottom - top + 1;
    image.disposal = 1;
    for (int y = top; y <= bottom; ++y) {
      const auto row = frames[f].begin() + static_cast<long>(y) * width;
      image.indexes.insert(image.indexes.end(), row + left, row + right + 1);
    }
    // Frame f starts at f / fps seconds: its delay is the rounded difference of two start times,
    // so the centiseconds add up to exactly one second per `frames_per_second` frames.
    const auto start = [frames_per_second](std::size_t n) {
      return std::lround(static_cast<double>(n) * 100.0 / frames_per_second);
    };
    image.delay_centiseconds = static_cast<int>(start(f + 1) - start(f));
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace fb::artwork
