#pragma once

namespace fb::artwork {

// Where the welcome window's controls stand, in pixels: the pictures are drawn to fit them, and
// the window model (src/windows/hello.cpp) places its controls at the same spots.
struct Box {
  int left, top, width, height;
};
inline constexpr int kWelcomeWidth = 514;
inline constexpr int kWelcomeHeight = 284;
inline constexpr Box kBadgeBox{22, 20, 55, 55};
inline constexpr Box kTitleBox{90, 24, 260, 58};
inline constexpr Box kFlashBox{300, 72, 196, 174};
inline constexpr Box kContactBox{22, 200, 120, 30};
inline constexpr int kVersionLeft = 54;
inline constexpr int kVersionTop = 254;

}  // namespace fb::artwork
