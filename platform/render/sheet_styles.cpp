#include "platform/render/sheet_styles.h"

#include "platform/sheet/chart/colour_palette.h"

namespace fb::render {

Colour palette_or(int colour_index, Colour otherwise) {
  if (colour_index < 1 || colour_index > 56) return otherwise;
  const sheet::Rgb rgb = sheet::palette_colour(colour_index);
  return {rgb.r, rgb.g, rgb.b, 255};
}

HAlign text_halign(sheet::HorizontalAlignment alignment) {
  switch (alignment) {
    case sheet::HorizontalAlignment::Center:
      return HAlign::kCentre;
    case sheet::HorizontalAlignment::Right:
      return HAlign::kRight;
    default:
      return HAlign::kLeft;
  }
}

VAlign text_valign(sheet::VerticalAlignment alignment) {
  switch (alignment) {
    case sheet::VerticalAlignment::Center:
      return VAlign::kCentre;
    case sheet::VerticalAlignment::Bottom:
      return VAlign::kBottom;
    default:
      return VAlign::kTop;
  }
}

}  // namespace fb::render
