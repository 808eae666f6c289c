#include "platform/render/chart/chart_style.h"

#include <algorithm>
#include <cmath>

#include "platform/sheet/chart/colour_palette.h"
#include "platform/sheet/enums.h"

namespace fb::render {
namespace {

Colour from_rgb(const sheet::Rgb& rgb) {
  return {rgb.r, rgb.g, rgb.b, 255};
}

std::uint8_t alpha_of(double transparency) {
  const double opacity = std::clamp(1.0 - transparency, 0.0, 1.0);
  return static_cast<std::uint8_t>(std::lround(opacity * 255));
}

// The gradient's direction and which end the fore colour takes, by the host's style and variant
// (variants 3 and 4 run out from the middle).
GradientFill gradient(const sheet::FillFormat& fill, Colour fore, Colour back) {
  GradientFill g;
  switch (fill.gradient_style) {
    case sheet::GradientStyle::Horizontal:
      g.start = {0, 0}, g.end = {0, 1};
      break;
    case sheet::GradientStyle::Vertical:
      g.start = {0, 0}, g.end = {1, 0};
      break;
    case sheet::GradientStyle::DiagonalUp:
      g.start = {0, 0}, g.end = {1, 1};
      break;
    case sheet::GradientStyle::DiagonalDown:
      g.start = {1, 0}, g.end = {0, 1};
      break;
  }
  const bool fore_first = fill.gradient_variant == 1 || fill.gradient_variant == 3;
  g.from = fore_first ? fore : back;
  g.to = fore_first ? back : fore;
  g.mirrored = fill.gradient_variant == 3 || fill.gradient_variant == 4;
  return g;
}

}  // namespace

Colour choice_colour(const sheet::ColourChoice& choice, Colour automatic) {
  switch (choice.kind) {
    case sheet::ColourChoice::Kind::Automatic:
      return automatic;
    case sheet::ColourChoice::Kind::Scheme:
      return from_rgb(sheet::scheme_colour(choice.scheme));
    case sheet::ColourChoice::Kind::Rgb:
      return {choice.r, choice.g, choice.b, 255};
  }
  return automatic;
}

double border_width(sheet::BorderWeight weight) {
  switch (weight) {
    case sheet::BorderWeight::Hairline:
      return 0;
    case sheet::BorderWeight::Thin:
      return 0.75;
    case sheet::BorderWeight::Medium:
      return 1.5;
    case sheet::BorderWeight::Thick:
      return 2.25;
  }
  return 0.75;
}

std::optional<Stroke> border_stroke(const sheet::ChartBorder& border, Colour automatic) {
  if (!border.drawn()) return std::nullopt;
  Stroke stroke;
  stroke.width = border_width(border.weight);
  stroke.colour = palette_or(border.color_index, automatic);
  switch (border.line_style) {
    case sheet::ChartLineStyle::Dash:
      stroke.dash = Dash::kDash;
      break;
    case sheet::ChartLineStyle::Dot:
      stroke.dash = Dash::kDot;
      break;
    default:
      break;
  }
  return stroke;
}

Fill element_fill(const sheet::FillFormat& fill, const sheet::Interior& interior,
                  Colour automatic) {
  if (fill.type != sheet::FillFormat::Type::Automatic) {
    if (!fill.visible) return NoFill{};
    Colour fore = choice_colour(fill.fore, automatic);
    const Colour back = choice_colour(fill.back, Colour{255, 255, 255, 255});
    switch (fill.type) {
      case sheet::FillFormat::Type::Solid:
        fore.a = alpha_of(fill.transparency);
        return SolidFill{fore};
      case sheet::FillFormat::Type::Patterned:
        return PatternFill{fill.pattern ? static_cast<int>(*fill.pattern) : 1, fore, back};
      case sheet::FillFormat::Type::TwoColourGradient:
        return gradient(fill, fore, back);
      case sheet::FillFormat::Type::Automatic:
        break;
    }
  }
  return interior_fill(interior, automatic).value_or(NoFill{});
}

Font chart_font(const sheet::ChartFont& font) {
  Font out;
  out.family = font.name;
  out.size = font.size;
  out.bold = font.bold;
  return out;
}

}  // namespace fb::render
