#include "platform/render/chart/chart_shapes.h"

#include <stdexcept>

#include "platform/render/chart/chart_style.h"
#include "platform/render/text_box_text.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::render {
namespace {

constexpr Colour kBlack{0, 0, 0, 255};
constexpr Colour kWhite{255, 255, 255, 255};

void draw_text_box(const sheet::Shape& shape, DisplayList& out) {
  const Rect box{shape.left(), shape.top(), shape.width(), shape.height()};
  std::optional<Stroke> outline;
  if (shape.line.visible) {
    outline = Stroke{shape.line.weight, choice_colour(shape.line.fore, kBlack)};
  }
  out.rect(box, element_fill(shape.fill, sheet::Interior{2, sheet::Pattern::Solid}, kWhite),
           outline);
  if (shape.text().empty()) return;
  out.text(text_box_text(shape, {box.x, box.y}));
}

void draw_picture(const sheet::Shape& shape, DisplayList& out) {
  if (!shape.raster || shape.raster->empty()) return;
  ImageCmd image;
  image.dest = {shape.left(), shape.top(), shape.width(), shape.height()};
  image.image = RgbaPixels{shape.raster->width, shape.raster->height, shape.raster->rgba};
  if (shape.transparent_background) {
    image.transparent_colour = Colour{shape.transparency_colour.r, shape.transparency_colour.g,
                                      shape.transparency_colour.b, 255};
  }
  out.image(std::move(image));
}

}  // namespace

void draw_shapes(const sheet::ShapeCollection& shapes, DisplayList& out) {
  for (const auto& shape : shapes.shapes()) {
    DisplayList one;
    switch (shape->kind()) {
      case sheet::ShapeKind::TextBox:
        draw_text_box(*shape, one);
        break;
      case sheet::ShapeKind::Picture:
        draw_picture(*shape, one);
        break;
      case sheet::ShapeKind::Chart:
        break;  // a chart object lives on a sheet, not in a chart
      case sheet::ShapeKind::WordArt:
      case sheet::ShapeKind::Group:
        // Text effects and groups live on sheets; nothing places them inside a chart.
        throw std::invalid_argument("shape \"" + shape->name() +
                                    "\": text effects and groups are not drawn inside a chart");
    }
    if (one.empty()) continue;
    if (shape->rotation == 0) {
      for (auto& command : one.commands()) out.add(std::move(command));
    } else {
      const Point c{shape->left() + shape->width() / 2, shape->top() + shape->height() / 2};
      out.group(std::move(one),
                Transform::compose(Transform::translation(c.x, c.y),
                                   Transform::compose(Transform::rotation(shape->rotation),
                                                      Transform::translation(-c.x, -c.y))));
    }
  }
}

}  // namespace fb::render
