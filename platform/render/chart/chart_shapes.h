#pragma once

#include "platform/render/display_list.h"

namespace fb::sheet {
class ShapeCollection;
}

namespace fb::render {

// The text boxes and raster pictures of a chart (or any shape collection), in their order, at
// their positions: fill with its transparency, outline, text inside the host's text margins,
// pictures with their transparency colour, each turned by its rotation about its centre.
void draw_shapes(const sheet::ShapeCollection& shapes, DisplayList& out);

}  // namespace fb::render
