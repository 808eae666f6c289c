#pragma once

// A small drawing that uses every kind of command, shared by the sink tests.

#include "platform/render/display_list.h"

namespace fb::render::test {

inline constexpr Colour kRed{255, 0, 0, 255};
inline constexpr Colour kBlue{0, 0, 255, 255};
inline constexpr Colour kWhite{255, 255, 255, 255};
inline constexpr Colour kBlack{0, 0, 0, 255};

// 200 × 120 points on white:
// - a solid red square at (10, 10) size 20;
// - a large-grid pattern (34) in blue on white at (40, 10) size 48;
// - a blue-to-white gradient from left to right at (100, 10) size 60 × 20;
// - the texts "问题:" (horizontal), "原因" (stacked) and "Pareto 90°" (rotated);
// - a 2 × 1 image at (170, 10) size 20 × 10 whose left pixel is black (transparent colour) and
//   right pixel red;
// - a group moved by (0, 80) clipping a blue rectangle to its left half.
DisplayList sample_scene();

}  // namespace fb::render::test
