#pragma once

#include <vector>

namespace fb::sheet {

class Shape;
class Worksheet;

// Where a sheet's column and row edges lie, in points from the sheet's top-left corner.
double column_left_points(const Worksheet& sheet, int column);
double row_top_points(const Worksheet& sheet, int row);

// The host keeps drawing objects on their cells: a shape placed to move with cells keeps its
// top-left corner at the same spot of the same cell when columns or rows change size, and one
// placed to move and size with cells keeps both corners so. Free-floating shapes stay put.
// Record the anchors before the sizes change, then restore them.
class ShapeAnchors {
 public:
  explicit ShapeAnchors(Worksheet& sheet);
  void restore() const;

 private:
  // A column or row and how far into it, as a share of its size.
  struct GridPoint {
    int index = 1;
    double fraction = 0;
  };
  struct Anchor {
    Shape* shape;
    GridPoint left, top, right, bottom;
  };

  Worksheet* sheet_;
  std::vector<Anchor> anchors_;
};

}  // namespace fb::sheet
