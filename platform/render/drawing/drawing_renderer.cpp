#include "platform/render/drawing/drawing_renderer.h"

#include <stdexcept>
#include <string>

#include "platform/render/chart/chart_renderer.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/drawing.h"

namespace fb::render {
namespace {

// Places content drawn at `natural` size into the item's box.
void place(DisplayList content, Size natural, const sheet::DrawingItem& item, DisplayList& out) {
  if (!(natural.width > 0) || !(natural.height > 0)) {
    throw std::invalid_argument("a drawing item of no size cannot be drawn");
  }
  const Transform to_box = Transform::compose(
      Transform::translation(item.left, item.top),
      Transform::scaling(item.width / natural.width, item.height / natural.height));
  out.group(std::move(content), to_box);
}

}  // namespace

DisplayList render_drawing(const sheet::Drawing& drawing) {
  DisplayList out(drawing.width, drawing.height);
  for (std::size_t i = 0; i < drawing.items.size(); ++i) {
    const sheet::DrawingItem& item = drawing.items[i];
    if (item.chart) {
      place(render_chart(*item.chart), {item.chart->width(), item.chart->height()}, item, out);
    } else if (item.drawing) {
      place(render_drawing(*item.drawing), {item.drawing->width, item.drawing->height}, item, out);
    } else if (item.raster) {
      ImageCmd image;
      image.dest = {item.left, item.top, item.width, item.height};
      image.image = RgbaPixels{item.raster->width, item.raster->height, item.raster->rgba};
      out.image(std::move(image));
    } else {
      throw std::invalid_argument("drawing item " + std::to_string(i + 1) +
                                  " holds neither a chart, a picture nor a drawing");
    }
  }
  return out;
}

}  // namespace fb::render
