#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sheet/chart/colour_palette.h"

namespace fb::sheet {

class Shape;
class ShapeCollection;

// Several shapes of one collection addressed together (Shapes.Range(Array(...)), or
// Selection.ShapeRange). Looks its shapes up by name on every use, so a removed shape is an
// error (HostError -2147024809) rather than a dangling handle.
class ShapeRange {
 public:
  ShapeRange(ShapeCollection& shapes, std::vector<std::string> names);

  int count() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string>& names() const { return names_; }
  ShapeCollection& collection() const { return *shapes_; }
  Shape& item(int index) const;  // 1-based

  void select();
  // Moves every shape of the range onto the host's clipboard, in range order.
  void cut();
  // ShapeRange.Group: the shapes become one group shape of the collection, returned.
  Shape& group();

  void set_lock_aspect_ratio(bool on);
  void set_height(double points);
  void set_width(double points);
  void set_rotation(double degrees);
  void increment_left(double points);
  void increment_top(double points);
  // PictureFormat.TransparentBackground / TransparencyColor.
  void set_transparent_background(bool on);
  void set_transparency_colour(Rgb colour);
  void set_fill_visible(bool visible);

 private:
  void for_each(const std::function<void(Shape&)>& change);

  ShapeCollection* shapes_;
  std::vector<std::string> names_;
};

}  // namespace fb::sheet
