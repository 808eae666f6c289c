#pragma once

#include <vector>

#include "platform/render/display_list.h"

namespace fb::render {

// On and off lengths of a dash style for a line of `width` points, as the spreadsheet draws
// them (lengths grow with the line width); empty for a solid line.
std::vector<double> dash_lengths(Dash dash, double width);

}  // namespace fb::render
