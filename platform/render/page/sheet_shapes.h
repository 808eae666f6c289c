#pragma once

#include "platform/render/display_list.h"
#include "platform/render/page/drawing_render_callback.h"
#include "platform/render/page/page_renderer.h"

namespace fb::sheet {
class Shape;
class Worksheet;
}  // namespace fb::sheet

namespace fb::render {

// Where a shape's own box goes in its parent's coordinates: moved to its position and turned by
// its rotation about its centre.
Transform shape_placement(const sheet::Shape& shape);

// What a shape shows inside its own box, (0, 0) to (width, height) in points, before it is
// placed: a chart or a drawing picture through `render_drawing` (stretched to the shape's size),
// a raster picture with its transparent colour, a text box's text, a text effect's letters
// stretched to the box, a group's members in its frame. Throws std::invalid_argument
// naming the shape when a drawing needs `render_drawing` and none is given.
DisplayList shape_content(const sheet::Shape& shape, const DrawingRenderer& render_drawing);

// Draws every shape of the sheet in z order, each moved to its position and turned by its
// rotation about its centre, in sheet coordinates: the page renderer's callback.
SheetDrawing sheet_shapes(const sheet::Worksheet& sheet, DrawingRenderer render_drawing);

}  // namespace fb::render
