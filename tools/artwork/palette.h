#pragma once

// The colours of the product's pictures: the logo's navy, sky blue and red, with the editor
// window's warm grey, a signal yellow and the greys of text.
namespace fb::artwork {

struct Colour {
  double r, g, b;
};

constexpr Colour Rgb(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

inline constexpr Colour kNavy = Rgb(18, 62, 150);
inline constexpr Colour kSky = Rgb(52, 120, 200);
inline constexpr Colour kPaleSky = Rgb(214, 228, 246);
inline constexpr Colour kRed = Rgb(214, 48, 39);
inline constexpr Colour kYellow = Rgb(255, 210, 0);
inline constexpr Colour kAmber = Rgb(150, 105, 0);
inline constexpr Colour kGreen = Rgb(30, 160, 60);
inline constexpr Colour kWindow = Rgb(236, 233, 216);  // the editor's background
inline constexpr Colour kPaper = Rgb(255, 255, 255);
inline constexpr Colour kInk = Rgb(40, 44, 52);
inline constexpr Colour kMutedInk = Rgb(96, 104, 118);
inline constexpr Colour kWood = Rgb(176, 124, 72);
inline constexpr Colour kDarkWood = Rgb(120, 80, 42);

}  // namespace fb::artwork
