#pragma once

#include <cstdint>

namespace fb::sheet {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The workbook's default palette of 56 colours, addressed by colour index 1 to 56. Throws
// fb::HostError 1004 for any other index (automatic and none have no colour of their own).
Rgb palette_colour(int colour_index);

// A scheme colour as chart fills and drawing objects take it. Chart fills number the scheme in
// the palette's own order (scheme 2 is white, 19 light yellow, 43 lime), which is how the
// component's colours read; 0 and anything past 56 is refused with fb::HostError 1004.
Rgb scheme_colour(int scheme_index);

}  // namespace fb::sheet
