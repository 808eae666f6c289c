#pragma once

#include <memory>
#include <vector>

#include "platform/raster/picture.h"

namespace fb::sheet {

class Chart;
struct Drawing;

// One element of a flattened drawing, placed in the drawing's own points.
struct DrawingItem {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  std::shared_ptr<const Chart> chart;             // a chart frozen as it showed
  std::shared_ptr<const raster::Picture> raster;  // a raster picture
  // A picture that was itself a drawing, or a group; drawn scaled from the drawing's own size
  // to this element's.
  std::shared_ptr<const Drawing> drawing;
};

// What a picture pasted as an enhanced metafile holds: the drawing of what was on the clipboard,
// flattened, at its size in points. Renderers draw it into any sink.
struct Drawing {
  double width = 0;
  double height = 0;
  std::vector<DrawingItem> items;
};

}  // namespace fb::sheet
