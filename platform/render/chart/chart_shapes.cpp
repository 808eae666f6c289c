#include "platform/render/chart/chart_shapes.h"

#include <stdexcept>

#include "platform/render/chart/chart_style.h"
#include "platform/render/sheet_styles.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::render {
namespace {

// The host's default text frame margins: a tenth of an inch beside the text, a twentieth above
// and below it.
constexpr double kTextMarginX = 7.2;
constexpr double kTextMarginY = 3.6;
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
  const std::string text = shape.text();
  if (text.empty()) return;
  TextCmd command;
  command.text = text;
  command.font = chart_font(shape.text_font);
  command.colour = palette_or(shape.text_font.color_index, kBlack);
  command.box = {box.x + kTextMarginX, box.y + kTextMarginY,
                 std::max(0.0, box.width - 2 * kTextMarginX),
                 std::max(0.0, box.height - 2 * kTextMarginY)};
  command.halign = text_halign(shape.text_horizontal_alignment);
  command.valign = text_valign(shape.text_vertical_alignment);
  command.wrap = true;
  out.text(std::move(command));
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
