// Drawing objects keep their cells when columns and rows change size, as their placement says.
#include "platform/sheet/shape/cell_anchor.h"

#include <gtest/gtest.h>

#include "platform/os/environment.h"
#include "platform/sheet/application.h"
#include "platform/sheet/range.h"
#include "platform/sheet/shape/shape.h"
#include "platform/sheet/shape/shape_collection.h"

namespace fb::sheet {
namespace {

class Anchors : public ::testing::Test {
 protected:
  Anchors() {
    sheet.columns("A:Z").set_column_width(10);
    sheet.rows("1:50").set_row_height(15);
  }
  double ColumnLeft(int column) const { return column_left_points(sheet, column); }
  Shape& Box(Placement placement, double left, double top) {
    Shape& box = sheet.shapes().add_text_box(left, top, 40, 30);
    box.placement = placement;
    return box;
  }
  os::MapEnvironment env;
  Application app{env};
  Worksheet& sheet = app.workbooks().add().worksheets().item(1);
};

TEST_F(Anchors, EachPlacementFollowsItsCellsAsItSays) {
  const double b = ColumnLeft(2);
  const double b_width = ColumnLeft(3) - b;
  // Both side edges lie inside column B: a quarter in and 40 points further.
  ASSERT_GT(b_width * 3 / 4, 40);
  const double left = b + b_width / 4;
  const double right_share = (left + 40 - b) / b_width;
  // Rows of 15 points: the top edge at 50 lies a third into row 4, the bottom at 80 a third
  // into row 6.
  Shape& moves = Box(Placement::Move, left, 50);
  Shape& sizes = Box(Placement::MoveAndSize, left, 50);
  Shape& floats = Box(Placement::FreeFloating, left, 50);

  sheet.columns("A:A").set_column_width(2);
  sheet.columns("B:B").set_column_width(20);
  sheet.rows("1:3").set_row_height(30);
  sheet.range("4:4").set_row_height(60);

  const double new_b = ColumnLeft(2);
  const double new_b_width = ColumnLeft(3) - new_b;
  const double new_left = new_b + new_b_width / 4;
  const double new_top = 90 + 60.0 / 3;
  EXPECT_DOUBLE_EQ(moves.left(), new_left);
  EXPECT_DOUBLE_EQ(moves.top(), new_top);
  EXPECT_EQ(moves.width(), 40);
  EXPECT_EQ(moves.height(), 30);

  EXPECT_DOUBLE_EQ(sizes.left(), new_left);
  EXPECT_DOUBLE_EQ(sizes.top(), new_top);
  EXPECT_DOUBLE_EQ(sizes.left() + sizes.width(), new_b + right_share * new_b_width);
  EXPECT_DOUBLE_EQ(sizes.top() + sizes.height(), 90 + 60 + 15 + 15.0 / 3);

  EXPECT_EQ(floats.left(), left);
  EXPECT_EQ(floats.top(), 50);
}

TEST_F(Anchors, ShapeOnACellCornerStaysOnThatCorner) {
  const double b = ColumnLeft(2);
  Shape& box = Box(Placement::Move, b, 15 * 7);  // B8
  sheet.columns("A:A").set_column_width(1.78);
  sheet.rows("1:32").set_row_height(20);
  sheet.range("3:3,5:5").set_row_height(10);
  EXPECT_DOUBLE_EQ(box.left(), ColumnLeft(2));
  EXPECT_LT(box.left(), b);
  EXPECT_DOUBLE_EQ(box.top(), 120);
}

}  // namespace
}  // namespace fb::sheet
