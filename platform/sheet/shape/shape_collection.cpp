#include "platform/sheet/shape/shape_collection.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>

#include "platform/os/environment.h"
#include "platform/os/host_error.h"
#include "platform/os/win_path.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/shape/bitmap_file.h"
#include "platform/sheet/shape/shape_range.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {
namespace {

// The host's "item not found" automation error.
constexpr int kItemNotFound = -2147024809;

// Screen pictures are 96 pixels to the inch; points are 72.
constexpr double kPointsPerPixel = 0.75;

// The size the host gives a chart placed on a worksheet.
constexpr double kNewChartWidth = 360;
constexpr double kNewChartHeight = 216;

}  // namespace

ShapeCollection::ShapeCollection(Application& app, Workbook* workbook)
    : app_(&app), workbook_(workbook) {}

ShapeCollection::~ShapeCollection() {
  for (const auto& shape : shapes_) app_->forget_shape(*shape);
}

Shape& ShapeCollection::item(int index) const {
  if (index < 1 || index > count()) {
    throw HostError(
        host_error::kApplicationDefined,
        "The index into the specified collection is out of bounds: " + std::to_string(index));
  }
  return *shapes_[static_cast<std::size_t>(index - 1)];
}

Shape* ShapeCollection::find(std::string_view name) const {
  for (const auto& shape : shapes_) {
    if (os::equals_ignoring_ascii_case(shape->name(), name)) return shape.get();
  }
  return nullptr;
}

Shape& ShapeCollection::item(std::string_view name) const {
  if (Shape* shape = find(name)) return *shape;
  throw HostError(kItemNotFound,
                  "The item with the specified name wasn't found: " + std::string(name));
}

ShapeRange ShapeCollection::range(std::vector<std::string> names) {
  for (const std::string& name : names) item(name);
  return ShapeRange(*this, std::move(names));
}

Shape& ShapeCollection::add(ShapeKind kind, double left, double top, double width, double height) {
  ++created_;
  if (kind == ShapeKind::Picture) ++default_named_pictures_;
  std::string name = default_shape_name(kind, app_->profile(), created_, default_named_pictures_);
  shapes_.push_back(std::make_unique<Shape>(kind, std::move(name), left, top, width, height));
  shapes_.back()->attach(this);
  if (workbook_ != nullptr) workbook_->set_saved(false);
  return *shapes_.back();
}

Shape& ShapeCollection::add_text_box(double left, double top, double width, double height) {
  return add(ShapeKind::TextBox, left, top, width, height);
}

Shape& ShapeCollection::insert_picture(std::string_view windows_path) {
  const auto picture = read_bitmap_file(os::native_path(windows_path));
  if (!picture) {
    throw HostError(host_error::kApplicationDefined,
                    "Unable to get the Insert property of the Pictures class: cannot read " +
                        std::string(windows_path));
  }
  Shape& shape = add(ShapeKind::Picture, 0, 0, picture->width * kPointsPerPixel,
                     picture->height * kPointsPerPixel);
  shape.raster = std::make_shared<const raster::Picture>(*picture);
  return shape;
}

Shape& ShapeCollection::add_text_effect(TextEffect effect, double left, double top) {
  if (effect.preset < 0 || effect.preset > kLastTextEffectPreset) {
    throw HostError(kItemNotFound,
                    "The specified value is out of range: preset " + std::to_string(effect.preset));
  }
  if (!(effect.font_size > 0) || effect.font_name.empty()) {
    throw HostError(kItemNotFound, "AddTextEffect needs a font name and a size above zero");
  }
  const ShapeSize size = text_effect_size(effect);
  Shape& shape = add(ShapeKind::WordArt, left, top, size.width, size.height);
  shape.text_effect = std::move(effect);
  return shape;
}

Shape& ShapeCollection::group(const std::vector<std::string>& names) {
  if (names.size() < 2) {
    throw HostError(host_error::kApplicationDefined, "Group needs at least two shapes");
  }
  std::set<std::string> seen;
  double left = std::numeric_limits<double>::max();
  double top = std::numeric_limits<double>::max();
  double right = 0;
  double bottom = 0;
  for (const std::string& name : names) {
    const Shape& shape = item(name);
    if (!seen.insert(shape.name()).second) {
      throw HostError(host_error::kApplicationDefined,
                      "Group: the shape " + shape.name() + " is named twice");
    }
    left = std::min(left, shape.left());
    top = std::min(top, shape.top());
    right = std::max(right, shape.left() + shape.width());
    bottom = std::max(bottom, shape.top() + shape.height());
  }
  auto items = std::make_shared<GroupItems>();
  items->frame_width = right - left;
  items->frame_height = bottom - top;
  for (const std::string& name : names) {
    std::unique_ptr<Shape> member = release(item(name));
    member->place(member->left() - left, member->top() - top, member->width(), member->height());
    items->shapes.push_back(std::move(member));
  }
  Shape& shape = add(ShapeKind::Group, left, top, right - left, bottom - top);
  shape.group = std::move(items);
  return shape;
}

Shape& ShapeCollection::add_chart(std::unique_ptr<Chart> chart, double left, double top) {
  Shape& shape = add(ShapeKind::Chart, left, top, kNewChartWidth, kNewChartHeight);
  shape.set_chart(std::move(chart));
  return shape;
}

Shape& ShapeCollection::add_drawing_picture(std::shared_ptr<const Drawing> drawing, double left,
                                            double top) {
  Shape& shape = add(ShapeKind::Picture, left, top, drawing->width, drawing->height);
  shape.drawing = std::move(drawing);
  return shape;
}

Shape& ShapeCollection::adopt(std::unique_ptr<Shape> shape) {
  ++created_;
  if (shape->name().empty()) {
    if (shape->kind() == ShapeKind::Picture) ++default_named_pictures_;
    shape->set_name(
        default_shape_name(shape->kind(), app_->profile(), created_, default_named_pictures_));
  }
  shape->attach(this);
  shapes_.push_back(std::move(shape));
  if (workbook_ != nullptr) workbook_->set_saved(false);
  return *shapes_.back();
}

std::unique_ptr<Shape> ShapeCollection::release(const Shape& shape) {
  for (auto it = shapes_.begin(); it != shapes_.end(); ++it) {
    if (it->get() != &shape) continue;
    app_->forget_shape(shape);
    std::unique_ptr<Shape> out = std::move(*it);
    shapes_.erase(it);
    out->attach(nullptr);
    if (workbook_ != nullptr) workbook_->set_saved(false);
    return out;
  }
  throw HostError(host_error::kApplicationDefined, "The shape " + shape.name() + " is not here");
}

// --- chart objects ---

int ChartObjects::count() const {
  int n = 0;
  for (const auto& shape : shapes_->shapes()) n += shape->kind() == ShapeKind::Chart ? 1 : 0;
  return n;
}

Shape& ChartObjects::item(int index) const {
  int n = 0;
  for (const auto& shape : shapes_->shapes()) {
    if (shape->kind() == ShapeKind::Chart && ++n == index) return *shape;
  }
  throw HostError(host_error::kApplicationDefined,
                  "Unable to get the ChartObjects property: chart object " + std::to_string(index));
}

Shape& ChartObjects::item(std::string_view name) const {
  Shape* shape = shapes_->find(name);
  if (shape == nullptr || shape->kind() != ShapeKind::Chart) {
    throw HostError(
        host_error::kApplicationDefined,
        "Unable to get the ChartObjects property: no chart object " + std::string(name));
  }
  return *shape;
}

void ChartObjects::set_width(double points) {
  for (const auto& shape : shapes_->shapes()) {
    if (shape->kind() == ShapeKind::Chart) shape->set_width(points);
  }
}

void ChartObjects::set_height(double points) {
  for (const auto& shape : shapes_->shapes()) {
    if (shape->kind() == ShapeKind::Chart) shape->set_height(points);
  }
}

}  // namespace fb::sheet
