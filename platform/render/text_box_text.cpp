#include "platform/render/text_box_text.h"

#include <algorithm>

#include "platform/render/sheet_styles.h"
#include "platform/render/text_metrics.h"
#include "platform/sheet/shape/shape.h"

namespace fb::render {
namespace {

// The host's default text frame margins: a tenth of an inch beside the text, a twentieth above
// and below it.
constexpr double kMarginX = 7.2;
constexpr double kMarginY = 3.6;

// The smallest size a shrinking text goes down to: below it the text is unreadable anyway, and
// the frame shows it overflowing rather than as a line of dots.
constexpr double kSmallestShrunkSize = 3;
constexpr double kShrinkStep = 0.25;

void shrink_to_fit(TextCmd& text) {
  const auto overflows = [&] {
    const Size block = measure_text(text);
    return block.height > text.box.height + 0.01 || block.width > text.box.width + 0.01;
  };
  while (text.font.size - kShrinkStep >= kSmallestShrunkSize && overflows()) {
    text.font.size -= kShrinkStep;
  }
}

}  // namespace

TextCmd text_box_text(const sheet::Shape& shape, Point origin) {
  TextCmd text;
  text.text = shape.text();
  text.font = {shape.text_font.name, shape.text_font.size, shape.text_font.bold, false};
  text.colour = palette_or(shape.text_font.color_index, Colour{0, 0, 0, 255});
  text.box = {origin.x + kMarginX, origin.y + kMarginY, std::max(0.0, shape.width() - 2 * kMarginX),
              std::max(0.0, shape.height() - 2 * kMarginY)};
  text.halign = text_halign(shape.text_horizontal_alignment);
  text.valign = text_valign(shape.text_vertical_alignment);
  text.wrap = true;
  if (shape.text_auto_size == sheet::TextAutoSize::TextToFitShape && !text.text.empty()) {
    shrink_to_fit(text);
  }
  return text;
}

}  // namespace fb::render
