#include "platform/sheet/shape/shape_range.h"

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::sheet {

ShapeRange::ShapeRange(ShapeCollection& shapes, std::vector<std::string> names)
    : shapes_(&shapes), names_(std::move(names)) {}

Shape& ShapeRange::item(int index) const {
  if (index < 1 || index > count()) {
    throw HostError(host_error::kApplicationDefined,
                    "The index into the shape range is out of bounds: " + std::to_string(index));
  }
  return shapes_->item(names_[static_cast<std::size_t>(index - 1)]);
}

void ShapeRange::for_each(const std::function<void(Shape&)>& change) {
  for (const std::string& name : names_) change(shapes_->item(name));
}

void ShapeRange::select() {
  for_each([](Shape&) {});  // every name must still be there
  shapes_->application().select_shapes(*shapes_, names_);
}

void ShapeRange::cut() {
  auto copied = std::make_shared<CopiedShapes>();
  for_each([&](Shape& shape) { copied->shapes.push_back(shape.clone()); });
  for (const std::string& name : names_) shapes_->release(shapes_->item(name));
  shapes_->application().clipboard().set_shapes(std::move(copied));
}

Shape& ShapeRange::group() {
  return shapes_->group(names_);
}

void ShapeRange::set_lock_aspect_ratio(bool on) {
  for_each([&](Shape& s) { s.lock_aspect_ratio = on; });
}

void ShapeRange::set_height(double points) {
  for_each([&](Shape& s) { s.set_height(points); });
}

void ShapeRange::set_width(double points) {
  for_each([&](Shape& s) { s.set_width(points); });
}

void ShapeRange::set_rotation(double degrees) {
  for_each([&](Shape& s) { s.rotation = degrees; });
}

void ShapeRange::increment_left(double points) {
  for_each([&](Shape& s) { s.increment_left(points); });
}

void ShapeRange::increment_top(double points) {
  for_each([&](Shape& s) { s.increment_top(points); });
}

void ShapeRange::set_transparent_background(bool on) {
  for_each([&](Shape& s) { s.transparent_background = on; });
}

void ShapeRange::set_transparency_colour(Rgb colour) {
  for_each([&](Shape& s) { s.transparency_colour = colour; });
}

void ShapeRange::set_fill_visible(bool visible) {
  for_each([&](Shape& s) { s.fill.visible = visible; });
}

}  // namespace fb::sheet
