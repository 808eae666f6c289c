#pragma once

// How a text command's characters sit on the page: shared by every sink and by measurement, so
// that a label measured by a producer is drawn at exactly that size.

#include <pango/pango.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/render/display_list.h"

namespace fb::render {

// One line (or, in stacked flow, one character) in block coordinates: the block's top-left is
// (0, 0), unrotated.
struct TextLine {
  std::string text;
  double x = 0;
  double baseline = 0;
  double width = 0;
};

struct TextLayout {
  Size block{};
  std::vector<TextLine> lines{};
  // Block coordinates to page coordinates: rotation and placement in the command's box.
  Transform to_page{};
};

TextLayout layout_text(const TextCmd& text);

// The process's text context: the product's fonts, 72 units per inch, unhinted metrics, the
// language zh-cn. One per thread, because pango objects are not shared between threads. It and
// the two below are for callers holding lock_fonts() (font_lock.h) while they use what they get.
PangoContext* text_context();

// The advance of each code point of a one-line `text`, in points, as the layout places them.
std::vector<double> character_advances(const Font& font, std::string_view text);

// A new layout of one line of text in `font`, underlined when the font is; the caller unrefs it.
PangoLayout* line_layout(const Font& font, std::string_view line);

// A new font description for `font`; the caller frees it.
PangoFontDescription* font_description(const Font& font);

}  // namespace fb::render
