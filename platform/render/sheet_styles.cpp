#include "platform/render/sheet_styles.h"

#include "platform/sheet/chart/colour_palette.h"

namespace fb::render {

Colour palette_or(int colour_index, Colour otherwise) {
  if (colour_index < 1 || colour_index > 56) return otherwise;
  const sheet::Rgb rgb = sheet::palette_colour(colour_index);
  return {rgb.r, rgb.g, rgb.b, 255};
}

std::optional<Fill> interior_fill(const sheet::Interior& interior,
                                  std::optional<Colour> automatic) {
  if (interior.pattern == sheet::Pattern::None || interior.color_index == sheet::kColorIndexNone) {
    return std::nullopt;
  }
  const bool in_palette = interior.color_index >= 1 && interior.color_index <= 56;
  if (!in_palette && !automatic) return std::nullopt;
  const Colour colour = palette_or(interior.color_index, automatic.value_or(Colour{}));
  const Colour pattern_colour = palette_or(interior.pattern_color_index, Colour{0, 0, 0, 255});
  switch (interior.pattern) {
    case sheet::Pattern::Solid:
      return SolidFill{colour};
    case sheet::Pattern::Gray50:
      return PatternFill{7, pattern_colour, colour};
    case sheet::Pattern::Gray25:
      return PatternFill{4, pattern_colour, colour};
    case sheet::Pattern::None:
      break;
  }
  return std::nullopt;
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
