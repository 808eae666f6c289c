#pragma once

#include <optional>

#include "platform/render/display_list.h"
#include "platform/render/sheet_styles.h"
#include "platform/sheet/cell_format.h"
#include "platform/sheet/chart/chart_format.h"

namespace fb::render {

// How the chart model's colours, lines, fills and fonts look in a display list.

// A colour index of the workbook palette (1 to 56); automatic and none give `otherwise`.

// A scheme or RGB colour; automatic gives `automatic`.
Colour choice_colour(const sheet::ColourChoice& choice, Colour automatic);

// The pen of a chart border; nullopt when the border is not drawn. An automatic colour takes
// `automatic`.
std::optional<Stroke> border_stroke(const sheet::ChartBorder& border, Colour automatic);

// Widths of the chart border weights, in points (hairline: the thinnest the device draws).
double border_width(sheet::BorderWeight weight);

// The fill of a chart element: its fill format when one was chosen, else its interior (colour
// index and pattern). An automatic colour takes `automatic`.
Fill element_fill(const sheet::FillFormat& fill, const sheet::Interior& interior, Colour automatic);

Font chart_font(const sheet::ChartFont& font);

}  // namespace fb::render
