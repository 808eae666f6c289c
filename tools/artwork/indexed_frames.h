#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "tools/artwork/gif_writer.h"
#include "tools/artwork/palette.h"

namespace fb::artwork {

// A fixed colour table for drawings made of a few inks on one background: ramps from the
// background to each ink (the shades that anti-aliasing makes), and every pixel mapped to the
// nearest entry. The same table for every frame, so an animation does not flicker.
class RampPalette {
 public:
  // Adds `steps` shades from `from` to `to`, both included.
  void AddRamp(Colour from, Colour to, int steps);
  const std::vector<GifColour>& colours() const { return colours_; }
  // The entry nearest to an opaque pixel.
  std::uint8_t Index(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  // Maps straight RGBA pixels (alpha ignored) to entries.
  std::vector<std::uint8_t> Map(const std::vector<std::uint8_t>& rgba);

 private:
  std::vector<GifColour> colours_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

// The images of an animation whose frames mostly add to the one before: each frame is written as
// the rectangle where it differs from the previous one, kept on screen (disposal 1), with a delay
// that makes `frames_per_second` on average in GIF's centiseconds.
std::vector<GifImage> DeltaImages(const std::vector<std::vector<std::uint8_t>>& frames, int width,
                                  int height, int frames_per_second);

}  // namespace fb::artwork
