#include "platform/render/page/word_art.h"

#include <stdexcept>

#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/text_effect.h"

namespace fb::render {
namespace {

constexpr int kFirstPaletteScheme = 8;
constexpr int kLastPaletteScheme = kFirstPaletteScheme + 55;

sheet::Rgb letter_colour(const sheet::Shape& shape) {
  const sheet::FillFormat& fill = shape.fill;
  if (!fill.visible) return {};
  switch (fill.fore.kind) {
    case sheet::ColourChoice::Kind::Automatic:
      return {};
    case sheet::ColourChoice::Kind::Rgb:
      return {fill.fore.r, fill.fore.g, fill.fore.b};
    case sheet::ColourChoice::Kind::Scheme:
      if (fill.fore.scheme < kFirstPaletteScheme || fill.fore.scheme > kLastPaletteScheme) {
        throw std::invalid_argument("the text effect \"" + shape.name() + "\" has scheme colour " +
                                    std::to_string(fill.fore.scheme) +
                                    ", which names no palette colour");
      }
      return sheet::palette_colour(fill.fore.scheme - kFirstPaletteScheme + 1);
  }
  throw std::invalid_argument("the text effect \"" + shape.name() + "\" has an unknown fill");
}

Colour opaque(sheet::Rgb rgb) {
  return {rgb.r, rgb.g, rgb.b, 255};
}

}  // namespace

WordArtLetters word_art_letters(const sheet::Shape& shape) {
  if (shape.kind() != sheet::ShapeKind::WordArt) {
    throw std::invalid_argument("shape \"" + shape.name() + "\" is no text effect");
  }
  const sheet::TextEffect& effect = shape.text_effect;
  return {effect.text, Font{effect.font_name, effect.font_size, effect.bold, effect.italic, false},
          letter_colour(shape)};
}

DisplayList word_art_content(const sheet::Shape& shape) {
  const WordArtLetters letters = word_art_letters(shape);
  const sheet::ShapeSize natural = sheet::text_effect_size(shape.text_effect);
  TextCmd text;
  text.text = letters.text;
  text.font = letters.font;
  text.colour = opaque(letters.colour);
  text.box = {0, 0, natural.width, natural.height};
  text.halign = HAlign::kCentre;
  text.valign = VAlign::kCentre;
  DisplayList natural_letters(natural.width, natural.height);
  natural_letters.text(std::move(text));

  DisplayList content(shape.width(), shape.height());
  const double sx = natural.width > 0 ? shape.width() / natural.width : 1;
  const double sy = natural.height > 0 ? shape.height() / natural.height : 1;
  content.group(std::move(natural_letters), Transform::scaling(sx, sy));
  return content;
}

}  // namespace fb::render
