#pragma once

#include <optional>

#include "platform/render/display_list.h"
#include "platform/sheet/cell_format.h"

// How the host's format settings look in a display list: shared by the chart, drawing and page
// renderers so that a colour index or an alignment means the same everywhere.

namespace fb::render {

// The palette colour of a colour index 1 to 56; `otherwise` for automatic, none or any other.
Colour palette_or(int colour_index, Colour otherwise);

// A cell or chart interior (solid, 50 % or 25 % grey pattern) as a fill; nothing for no fill.
// A colour index outside the palette takes `automatic`, or gives no fill without one.
std::optional<Fill> interior_fill(const sheet::Interior& interior,
                                  std::optional<Colour> automatic = std::nullopt);

HAlign text_halign(sheet::HorizontalAlignment alignment);
VAlign text_valign(sheet::VerticalAlignment alignment);

}  // namespace fb::render
