#include "platform/ui/image_list.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/os/host_error.h"

namespace fb::ui {

namespace {

constexpr int kInvalidPropertyValue = 380;

// The colour of `source` over the square of side 1 / scale whose top-left is (x / scale,
// y / scale): a 4 × 4 grid of samples, colour weighted by alpha so that clear pixels do not
// darken the edges.
Rgba sample_square(const Picture& source, double scale, int x, int y) {
  constexpr int kSamples = 4;
  double r = 0, g = 0, b = 0, a = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const int px =
          std::min(source.width - 1, static_cast<int>((x + (sx + 0.5) / kSamples) / scale));
      const int py =
          std::min(source.height - 1, static_cast<int>((y + (sy + 0.5) / kSamples) / scale));
      const Rgba p = source.pixel(px, py);
      r += p.r * p.a;
      g += p.g * p.a;
      b += p.b * p.a;
      a += p.a;
    }
  }
  if (a <= 0) return {};
  const auto channel = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
  return {channel(r / a), channel(g / a), channel(b / a), channel(a / (kSamples * kSamples))};
}

}  // namespace

int ImageList::add(Picture picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw HostError(kInvalidPropertyValue, "Invalid property value");
  }
  Picture image = picture;
  entries_.push_back({std::move(picture), std::move(image)});
  return count();
}

int ImageList::add_fitted(Picture picture) {
  if (picture.empty()) throw HostError(kInvalidPropertyValue, "Invalid property value");
  const double scale = std::min(static_cast<double>(width_) / picture.width,
                                static_cast<double>(height_) / picture.height);
  const int width = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, width_);
  const int height = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, height_);
  const int left = (width_ - width) / 2;
  const int top = (height_ - height) / 2;
  Picture image(width_, height_);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.set_pixel(left + x, top + y, sample_square(picture, scale, x, y));
    }
  }
  entries_.push_back({std::move(picture), std::move(image)});
  return count();
}

const ImageList::Entry& ImageList::entry(int index) const {
  if (index < 1 || index > count()) throw HostError(35600, "Index out of bounds");
  return entries_[static_cast<std::size_t>(index - 1)];
}

const Picture& ImageList::picture(int index) const {
  return entry(index).source;
}

const Picture& ImageList::image(int index) const {
  return entry(index).image;
}

}  // namespace fb::ui
