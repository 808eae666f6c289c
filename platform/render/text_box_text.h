#pragma once

#include "platform/render/display_list.h"

namespace fb::sheet {
class Shape;
}

namespace fb::render {

// The text of a text box shape as the host lays it out in the shape's frame, placed at `origin`:
// inside the default margins, wrapped, aligned as the shape says, and shrunk until it fits when
// the frame's AutoSize asks for that. Charts and sheets draw their text boxes through it alike.
TextCmd text_box_text(const sheet::Shape& shape, Point origin);

}  // namespace fb::render
