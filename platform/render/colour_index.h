#pragma once

#include "platform/render/display_list.h"

namespace fb::render {

// The spreadsheet's default 56-entry colour-index palette (1 black, 2 white, 3 red ... 56).
// Throws std::invalid_argument for an index outside 1 to 56; callers resolve "automatic" and
// "none" themselves, since their meaning depends on what is drawn.
Colour colour_index_rgb(int index);

}  // namespace fb::render
