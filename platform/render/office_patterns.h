#pragma once

#include <array>
#include <cstdint>

namespace fb::render {

// The cell of an Office fill pattern (1 = 5 % ... 34 = large grid ... 54 = diagonal cross): 8
// rows of 8 pixels, the leftmost pixel in the high bit; a set bit takes the foreground colour.
using PatternCell = std::array<std::uint8_t, 8>;

inline constexpr int kFirstOfficePattern = 1;
inline constexpr int kLastOfficePattern = 54;

// Throws std::invalid_argument for a number outside 1 to 54.
const PatternCell& office_pattern_cell(int pattern);

// Office draws one pattern pixel per screen pixel of a 96 dpi screen.
inline constexpr double kPatternPixel = 0.75;  // points

}  // namespace fb::render
