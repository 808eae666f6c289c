#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_names.h"

namespace fb::sheet {

class Application;
class Chart;
class ShapeRange;
class Workbook;

// The Shapes collection of a worksheet or of a chart, in creation (z) order. It names new
// objects as the host's version profile does, with a counter that every created object
// advances (added, inserted or pasted), so that lookups by default name find them.
class ShapeCollection {
 public:
  // `workbook` resolves text-box links; nullptr inside a frozen chart.
  ShapeCollection(Application& app, Workbook* workbook);
  ShapeCollection(const ShapeCollection&) = delete;
  ShapeCollection& operator=(const ShapeCollection&) = delete;
  ~ShapeCollection();

  Application& application() const { return *app_; }
  Workbook* workbook() const { return workbook_; }
  int count() const { return static_cast<int>(shapes_.size()); }
  // 1-based; HostError 1004 outside. By name ignoring ASCII case; HostError -2147024809 when
  // no shape has the name.
  Shape& item(int index) const;
  Shape& item(std::string_view name) const;
  Shape* find(std::string_view name) const;
  ShapeRange range(std::vector<std::string> names);

  // Shapes.AddTextbox (horizontal text).
  Shape& add_text_box(double left, double top, double width, double height);
  // Pictures.Insert: a picture file by its Windows-style path, at the top-left corner, at its
  // size of 96 pixels to the inch. HostError 1004 naming the file when it cannot be read.
  Shape& insert_picture(std::string_view windows_path);
  // Shapes.AddTextEffect: a WordArt shape of `effect` with its top-left corner at the position
  // given, at the size its text takes (text_effect.h). HostError -2147024809 for a preset outside
  // the thirty, a size that is not positive or an empty font name.
  Shape& add_text_effect(TextEffect effect, double left, double top);
  // ShapeRange.Group: the named shapes leave the collection and become one group shape, named
  // as the profile names groups, at their common bounds. HostError 1004 for fewer than two
  // shapes or a name given twice; -2147024809 for a name not here.
  Shape& group(const std::vector<std::string>& names);
  // A chart object for `chart`, at the host's default size for a new embedded chart.
  Shape& add_chart(std::unique_ptr<Chart> chart, double left, double top);
  // A picture holding `drawing` at the drawing's size.
  Shape& add_drawing_picture(std::shared_ptr<const Drawing> drawing, double left, double top);
  // Takes in a pasted shape; it keeps its own name when it has one.
  Shape& adopt(std::unique_ptr<Shape> shape);
  // Takes a shape out of the collection.
  std::unique_ptr<Shape> release(const Shape& shape);

  const std::vector<std::unique_ptr<Shape>>& shapes() const { return shapes_; }
  // Inside a frozen copy the shapes belong to no workbook.
  void detach_from_workbook() { workbook_ = nullptr; }

 private:
  Shape& add(ShapeKind kind, double left, double top, double width, double height);

  Application* app_;
  Workbook* workbook_;
  std::vector<std::unique_ptr<Shape>> shapes_;
  int created_ = 0;
  int default_named_pictures_ = 0;
};

// Worksheet.ChartObjects: the chart objects among a sheet's shapes.
class ChartObjects {
 public:
  explicit ChartObjects(ShapeCollection& shapes) : shapes_(&shapes) {}
  int count() const;
  Shape& item(int index) const;              // HostError 1004 outside
  Shape& item(std::string_view name) const;  // HostError 1004 when absent
  // ChartObjects.Width / Height: every chart object of the sheet.
  void set_width(double points);
  void set_height(double points);

 private:
  ShapeCollection* shapes_;
};

}  // namespace fb::sheet
