#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/raster/picture.h"
#include "platform/sheet/chart/chart_enums.h"
#include "platform/sheet/chart/chart_format.h"
#include "platform/sheet/chart/colour_palette.h"
#include "platform/sheet/enums.h"
#include "platform/sheet/shape/drawing.h"
#include "platform/sheet/shape/shape_effects.h"
#include "platform/sheet/shape/shape_group.h"
#include "platform/sheet/shape/shape_hyperlink.h"
#include "platform/sheet/shape/shape_names.h"
#include "platform/sheet/shape/text_effect.h"

namespace fb::sheet {

class Chart;
class ShapeCollection;

// A drawing object on a worksheet or inside a chart: a chart object, a picture, a text box, a
// text effect (WordArt) or a group of shapes.
// Positions are in points from the top-left of the sheet (or of the chart area).
class Shape {
 public:
  Shape(ShapeKind kind, std::string name, double left, double top, double width, double height);
  Shape(const Shape&) = delete;
  Shape& operator=(const Shape&) = delete;
  ~Shape();

  ShapeKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  void set_name(std::string name);
  ShapeCollection* owner() const { return owner_; }

  // --- position and size ---
  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void set_left(double points);
  void set_top(double points);
  // With the aspect ratio locked the other side follows.
  void set_width(double points);
  void set_height(double points);
  void increment_left(double points) { set_left(left_ + points); }
  void increment_top(double points) { set_top(top_ + points); }
  // ScaleWidth / ScaleHeight relative to the current size; `from` is the corner that stays.
  void scale_width(double factor, ScaleFrom from = ScaleFrom::TopLeft);
  void scale_height(double factor, ScaleFrom from = ScaleFrom::TopLeft);
  double rotation = 0;
  bool lock_aspect_ratio = false;
  Placement placement = Placement::MoveAndSize;

  // --- look ---
  FillFormat fill;
  ShapeLineFormat line;
  bool rounded_corners = false;
  // A chart object's Shadow: on or off.
  bool shadow = false;
  // Shape.Shadow of the other drawing objects: a preset and its offsets.
  ShadowFormat shadow_format;
  // Hyperlinks.Add with this shape as the anchor.
  std::optional<ShapeHyperlink> hyperlink;

  // --- text box ---
  // A formula link ("=Sheet2!$G$3") makes the text follow the cell; HostError 1004 when the text
  // is no reference.
  void set_formula(std::string_view reference);
  const std::string& formula() const { return formula_; }
  void set_text(std::string text) { text_ = std::move(text); }
  // The text shown: the linked cell's text while the link resolves, else the own text.
  std::string text() const;
  VerticalAlignment text_vertical_alignment = VerticalAlignment::Top;
  HorizontalAlignment text_horizontal_alignment = HorizontalAlignment::Left;
  TextAutoSize text_auto_size = TextAutoSize::None;
  ChartFont text_font;

  // --- picture ---
  std::shared_ptr<const raster::Picture> raster;
  std::shared_ptr<const Drawing> drawing;
  bool transparent_background = false;
  Rgb transparency_colour;

  // --- text effect ---
  TextEffect text_effect;

  // --- group ---
  std::shared_ptr<const GroupItems> group;

  // --- chart object ---
  Chart& chart() const;  // HostError 1004 for a shape that is no chart object
  Chart* chart_or_null() const { return chart_.get(); }
  // ChartObject.Activate: the chart becomes the host's active chart.
  void activate();

  // --- actions ---
  void select();
  // Moves the shape onto the host's clipboard (as Cut does).
  void cut();
  void copy() const;
  void delete_shape();

  // --- engine-facing ---
  // Puts the shape at a place and size as they are, whatever the aspect lock (a shape that moves
  // and sizes with its cells).
  void place(double left, double top, double width, double height);
  void attach(ShapeCollection* owner) { owner_ = owner; }
  void set_chart(std::unique_ptr<Chart> chart);
  std::unique_ptr<Chart> release_chart();
  // A detached copy; a chart object's chart is frozen in it.
  std::unique_ptr<Shape> clone() const;

 private:
  ShapeCollection& checked_owner() const;

  ShapeKind kind_;
  std::string name_;
  ShapeCollection* owner_ = nullptr;
  double left_;
  double top_;
  double width_;
  double height_;
  std::string formula_;
  std::string text_;
  std::unique_ptr<Chart> chart_;
};

}  // namespace fb::sheet
