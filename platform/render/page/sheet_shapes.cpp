#include "platform/render/page/sheet_shapes.h"

#include <memory>
#include <stdexcept>

#include "platform/render/page/word_art.h"
#include "platform/render/text_box_text.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/worksheet.h"

namespace fb::render {
namespace {

// A chart object draws as a picture of itself: a one-item drawing of its frozen chart.
sheet::Drawing chart_drawing(const sheet::Shape& shape, const sheet::Chart& chart) {
  sheet::Drawing drawing;
  drawing.width = shape.width();
  drawing.height = shape.height();
  sheet::DrawingItem item;
  item.width = shape.width();
  item.height = shape.height();
  item.chart = chart.frozen_copy();
  drawing.items.push_back(std::move(item));
  return drawing;
}

DisplayList rendered(const sheet::Shape& shape, const sheet::Drawing& drawing,
                     const DrawingRenderer& render_drawing) {
  if (!render_drawing) {
    throw std::invalid_argument("shape \"" + shape.name() +
                                "\" is a drawing and no drawing renderer was given");
  }
  DisplayList content(shape.width(), shape.height());
  const double sx = drawing.width > 0 ? shape.width() / drawing.width : 1;
  const double sy = drawing.height > 0 ? shape.height() / drawing.height : 1;
  content.group(render_drawing(drawing), Transform::scaling(sx, sy));
  return content;
}

DisplayList raster_content(const sheet::Shape& shape) {
  DisplayList content(shape.width(), shape.height());
  const raster::Picture& picture = *shape.raster;
  ImageCmd image;
  image.dest = {0, 0, shape.width(), shape.height()};
  image.image = RgbaPixels{picture.width, picture.height, picture.rgba};
  if (shape.transparent_background) {
    const sheet::Rgb key = shape.transparency_colour;
    image.transparent_colour = Colour{key.r, key.g, key.b, 255};
  }
  content.image(std::move(image));
  return content;
}

// A text box's text, in the box's own frame.
DisplayList text_box_content(const sheet::Shape& shape) {
  DisplayList content(shape.width(), shape.height());
  content.text(text_box_text(shape, {0, 0}));
  return content;
}

// A group's members as they sit in its frame, stretched with the group when it was resized.
DisplayList group_content(const sheet::Shape& shape, const DrawingRenderer& render_drawing) {
  const sheet::GroupItems& items = *shape.group;
  DisplayList members(items.frame_width, items.frame_height);
  for (const auto& member : items.shapes) {
    members.group(shape_content(*member, render_drawing), shape_placement(*member));
  }
  DisplayList content(shape.width(), shape.height());
  const double sx = items.frame_width > 0 ? shape.width() / items.frame_width : 1;
  const double sy = items.frame_height > 0 ? shape.height() / items.frame_height : 1;
  content.group(std::move(members), Transform::scaling(sx, sy));
  return content;
}

}  // namespace

Transform shape_placement(const sheet::Shape& shape) {
  const double w = shape.width();
  const double h = shape.height();
  if (shape.rotation == 0) return Transform::translation(shape.left(), shape.top());
  return Transform::compose(Transform::translation(shape.left() + w / 2, shape.top() + h / 2),
                            Transform::compose(Transform::rotation(shape.rotation),
                                               Transform::translation(-w / 2, -h / 2)));
}

DisplayList shape_content(const sheet::Shape& shape, const DrawingRenderer& render_drawing) {
  switch (shape.kind()) {
    case sheet::ShapeKind::Chart:
      return rendered(shape, chart_drawing(shape, shape.chart()), render_drawing);
    case sheet::ShapeKind::Picture:
      if (shape.drawing) return rendered(shape, *shape.drawing, render_drawing);
      if (shape.raster) return raster_content(shape);
      throw std::invalid_argument("picture \"" + shape.name() + "\" holds no image");
    case sheet::ShapeKind::TextBox:
      return text_box_content(shape);
    case sheet::ShapeKind::WordArt:
      return word_art_content(shape);
    case sheet::ShapeKind::Group:
      if (shape.group) return group_content(shape, render_drawing);
      throw std::invalid_argument("group \"" + shape.name() + "\" holds no shapes");
  }
  throw std::invalid_argument("shape \"" + shape.name() + "\" is of an unknown kind");
}

SheetDrawing sheet_shapes(const sheet::Worksheet& sheet, DrawingRenderer render_drawing) {
  return [&sheet, render_drawing = std::move(render_drawing)](DisplayList& sheet_space) {
    for (const auto& shape : sheet.shapes().shapes()) {
      sheet_space.group(shape_content(*shape, render_drawing), shape_placement(*shape));
    }
  };
}

}  // namespace fb::render
