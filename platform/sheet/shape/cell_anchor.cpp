#include "platform/sheet/shape/cell_anchor.h"

#include "platform/sheet/column_width.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/worksheet.h"

namespace fb::sheet {
namespace {

double column_points(const Worksheet& sheet, int column) {
  return column_width_points(sheet.column_width(column), sheet.workbook().standard_font());
}

// Edges within this of each other are the same edge: sums of sizes carry rounding.
constexpr double kEdgeTolerance = 1e-9;

template <typename Size>
auto locate(double points, int last, const Size& size) {
  struct {
    int index = 1;
    double fraction = 0;
  } at;
  double edge = 0;
  for (int i = 1; i <= last; ++i) {
    const double s = size(i);
    if (s > 0 && points < edge + s - kEdgeTolerance) {
      at.index = i;
      at.fraction = points > edge ? (points - edge) / s : 0;
      return at;
    }
    edge += s;
  }
  at.index = last;
  at.fraction = 1;
  return at;
}

}  // namespace

double column_left_points(const Worksheet& sheet, int column) {
  double left = 0;
  for (int c = 1; c < column; ++c) left += column_points(sheet, c);
  return left;
}

double row_top_points(const Worksheet& sheet, int row) {
  double top = 0;
  for (int r = 1; r < row; ++r) top += sheet.row_height(r);
  return top;
}

ShapeAnchors::ShapeAnchors(Worksheet& sheet) : sheet_(&sheet) {
  const GridSize grid = sheet.grid();
  const auto column = [&](int c) { return column_points(sheet, c); };
  const auto row = [&](int r) { return sheet.row_height(r); };
  const auto grid_point = [](const auto& at) { return GridPoint{at.index, at.fraction}; };
  for (const auto& shape : sheet.shapes().shapes()) {
    if (shape->placement == Placement::FreeFloating) continue;
    Anchor anchor{shape.get(), {}, {}, {}, {}};
    anchor.left = grid_point(locate(shape->left(), grid.columns, column));
    anchor.top = grid_point(locate(shape->top(), grid.rows, row));
    if (shape->placement == Placement::MoveAndSize) {
      anchor.right = grid_point(locate(shape->left() + shape->width(), grid.columns, column));
      anchor.bottom = grid_point(locate(shape->top() + shape->height(), grid.rows, row));
    }
    anchors_.push_back(anchor);
  }
}

void ShapeAnchors::restore() const {
  const auto x = [&](GridPoint p) {
    return column_left_points(*sheet_, p.index) + p.fraction * column_points(*sheet_, p.index);
  };
  const auto y = [&](GridPoint p) {
    return row_top_points(*sheet_, p.index) + p.fraction * sheet_->row_height(p.index);
  };
  for (const Anchor& a : anchors_) {
    Shape& shape = *a.shape;
    const double left = x(a.left);
    const double top = y(a.top);
    if (shape.placement == Placement::MoveAndSize) {
      shape.place(left, top, x(a.right) - left, y(a.bottom) - top);
    } else {
      shape.place(left, top, shape.width(), shape.height());
    }
  }
}

}  // namespace fb::sheet
