#pragma once

#include "platform/render/display_list.h"

namespace fb::sheet {
struct Drawing;
}

namespace fb::render {

// A pasted picture's drawing at its own size (drawing.width × drawing.height points): every item
// stretched into its box, charts through the chart renderer, raster pictures as images and
// nested drawings drawn the same way. Throws std::invalid_argument for an item that holds
// nothing to draw or has no size.
DisplayList render_drawing(const sheet::Drawing& drawing);

}  // namespace fb::render
