#pragma once

#include "platform/render/display_list.h"

namespace fb::render {

// The size of the block a text command's lines make, before rotation, laid out exactly as the
// sinks lay it out (same fonts, same wrapping at `text.box.width` when `text.wrap` is set).
// Producers use it to size labels and to place texts beside lines.
Size measure_text(const TextCmd& text);

// The width and height of the axis-aligned box around a `size` block rotated by `degrees`.
Size rotated_extent(Size size, double degrees);

}  // namespace fb::render
