#pragma once

#include <string>

#include "platform/render/display_list.h"
#include "platform/sheet/chart/colour_palette.h"

namespace fb::sheet {
class Shape;
}

namespace fb::render {

// The letters a text effect ("WordArt") shows: its text in its font and the colour its fill
// gives them.
struct WordArtLetters {
  std::string text;
  Font font;
  sheet::Rgb colour;
};

// A text effect's fill colours its letters. Drawing objects number scheme colours after the
// eight colours of the document's colour scheme, so scheme colour 8 is the palette's first
// colour (black), 9 its second (white), up to 63. An automatic or hidden fill leaves the letters
// in the first preset's black: a hidden fill clears the shape's box, not its letters. Throws
// std::invalid_argument naming the shape for a scheme colour outside 8 to 63 or a shape that is
// no text effect.
WordArtLetters word_art_letters(const sheet::Shape& shape);

// The letters at their own size, stretched to fill the shape's box as a plain text effect does,
// in the shape's own coordinates (0, 0) to (width, height).
DisplayList word_art_content(const sheet::Shape& shape);

}  // namespace fb::render
