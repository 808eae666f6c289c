#pragma once

#include <functional>

#include "platform/render/display_list.h"
#include "platform/sheet/shape/drawing.h"

namespace fb::render {

// Draws a picture's drawing (frozen charts, rasters, nested drawings) at the drawing's own size
// in points. The page and the workbook writers take it from their caller, which owns the chart
// renderer.
using DrawingRenderer = std::function<DisplayList(const sheet::Drawing&)>;

}  // namespace fb::render
