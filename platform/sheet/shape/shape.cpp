#include "platform/sheet/shape/shape.h"

#include <algorithm>

#include "platform/os/host_error.h"
#include "platform/sheet/application.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/chart/sheet_reference.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape_clipboard.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"

namespace fb::sheet {

Shape::Shape(ShapeKind kind, std::string name, double left, double top, double width, double height)
    : kind_(kind),
      name_(std::move(name)),
      left_(std::max(0.0, left)),
      top_(std::max(0.0, top)),
      width_(width),
      height_(height) {
  if (kind == ShapeKind::Picture) {
    fill.visible = false;
    line.visible = false;
  }
  if (kind == ShapeKind::TextBox) {
    fill.type = FillFormat::Type::Solid;
    fill.fore = ColourChoice::from_rgb(255, 255, 255);
  }
}

Shape::~Shape() = default;

void Shape::set_name(std::string name) {
  if (name.empty()) throw HostError(host_error::kApplicationDefined, "A shape needs a name");
  name_ = std::move(name);
}

ShapeCollection& Shape::checked_owner() const {
  if (owner_ == nullptr) {
    throw HostError(host_error::kApplicationDefined, "The shape " + name_ + " is not on a sheet");
  }
  return *owner_;
}

// The host keeps objects on the sheet: a move or scale past the top or left edge stops there.
void Shape::set_left(double points) {
  left_ = std::max(0.0, points);
}

void Shape::set_top(double points) {
  top_ = std::max(0.0, points);
}

void Shape::set_width(double points) {
  if (points < 0) throw HostError(host_error::kApplicationDefined, "Width below zero");
  if (lock_aspect_ratio && width_ > 0) height_ *= points / width_;
  width_ = points;
}

void Shape::set_height(double points) {
  if (points < 0) throw HostError(host_error::kApplicationDefined, "Height below zero");
  if (lock_aspect_ratio && height_ > 0) width_ *= points / height_;
  height_ = points;
}

void Shape::scale_width(double factor, ScaleFrom from) {
  const double old_width = width_;
  const double old_height = height_;
  set_width(width_ * factor);
  if (from == ScaleFrom::BottomRight) {
    set_left(left_ + old_width - width_);
    if (lock_aspect_ratio) set_top(top_ + old_height - height_);
  } else if (from == ScaleFrom::Middle) {
    set_left(left_ + (old_width - width_) / 2);
    if (lock_aspect_ratio) set_top(top_ + (old_height - height_) / 2);
  }
}

void Shape::scale_height(double factor, ScaleFrom from) {
  const double old_width = width_;
  const double old_height = height_;
  set_height(height_ * factor);
  if (from == ScaleFrom::BottomRight) {
    set_top(top_ + old_height - height_);
    if (lock_aspect_ratio) set_left(left_ + old_width - width_);
  } else if (from == ScaleFrom::Middle) {
    set_top(top_ + (old_height - height_) / 2);
    if (lock_aspect_ratio) set_left(left_ + (old_width - width_) / 2);
  }
}

void Shape::set_formula(std::string_view reference) {
  const GridSize grid = owner_ != nullptr ? owner_->application().grid() : GridSize{};
  if (!parse_sheet_reference(reference, grid)) {
    throw HostError(
        host_error::kApplicationDefined,
        "Unable to set the Formula property: '" + std::string(reference) + "' is no reference");
  }
  formula_ = std::string(reference);
}

std::string Shape::text() const {
  if (formula_.empty() || owner_ == nullptr || owner_->workbook() == nullptr) return text_;
  const auto reference = parse_sheet_reference(formula_, owner_->application().grid());
  Worksheet* sheet = owner_->workbook()->worksheets().find(reference->sheet);
  if (sheet == nullptr) return text_;
  return sheet->cells(reference->area.first.row, reference->area.first.column).text();
}

void Shape::place(double left, double top, double width, double height) {
  left_ = std::max(0.0, left);
  top_ = std::max(0.0, top);
  width_ = std::max(0.0, width);
  height_ = std::max(0.0, height);
}

Chart& Shape::chart() const {
  if (!chart_) {
    throw HostError(host_error::kApplicationDefined, "The shape " + name_ + " holds no chart");
  }
  return *chart_;
}

void Shape::activate() {
  checked_owner().application().set_active_chart(&chart());
}

void Shape::select() {
  checked_owner().application().select_shapes(checked_owner(), {name_});
}

void Shape::copy() const {
  auto copied = std::make_shared<CopiedShapes>();
  copied->shapes.push_back(clone());
  checked_owner().application().clipboard().set_shapes(std::move(copied));
}

void Shape::cut() {
  ShapeCollection& owner = checked_owner();
  copy();
  owner.release(*this);  // destroys this shape
}

void Shape::delete_shape() {
  checked_owner().release(*this);
}

void Shape::set_chart(std::unique_ptr<Chart> chart) {
  chart_ = std::move(chart);
  if (chart_) chart_->set_container(this);
}

std::unique_ptr<Chart> Shape::release_chart() {
  if (chart_) chart_->set_container(nullptr);
  return std::move(chart_);
}

std::unique_ptr<Shape> Shape::clone() const {
  auto copy = std::make_unique<Shape>(kind_, name_, left_, top_, width_, height_);
  copy->rotation = rotation;
  copy->lock_aspect_ratio = lock_aspect_ratio;
  copy->placement = placement;
  copy->fill = fill;
  copy->line = line;
  copy->rounded_corners = rounded_corners;
  copy->shadow = shadow;
  copy->shadow_format = shadow_format;
  copy->hyperlink = hyperlink;
  copy->text_effect = text_effect;
  copy->group = group;
  copy->formula_ = formula_;
  copy->text_ = text();
  copy->text_vertical_alignment = text_vertical_alignment;
  copy->text_horizontal_alignment = text_horizontal_alignment;
  copy->text_auto_size = text_auto_size;
  copy->text_font = text_font;
  copy->raster = raster;
  copy->drawing = drawing;
  copy->transparent_background = transparent_background;
  copy->transparency_colour = transparency_colour;
  if (chart_) copy->set_chart(chart_->frozen_copy());
  return copy;
}

}  // namespace fb::sheet
