#include "platform/render/display_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace fb::render {
namespace {

TEST(TransformTest, ComposeAppliesInnerFirst) {
  // Rotate a quarter turn about the origin, then move: (10, 0) -> (0, 10) -> (5, 17).
  const Transform t = Transform::compose(Transform::translation(5, 7), Transform::rotation(90));
  const Point p = t.apply({10, 0});
  EXPECT_NEAR(p.x, 5, 1e-9);
  EXPECT_NEAR(p.y, 17, 1e-9);
  const Point q =
      Transform::compose(Transform::scaling(2, 3), Transform::translation(1, 1)).apply({0, 0});
  EXPECT_EQ(q, (Point{2, 3}));
}

TEST(DisplayListTest, BuildersKeepOrderAndGroupsNest) {
  DisplayList inner(10, 10);
  inner.line({0, 0}, {10, 10}, Stroke{});
  inner.rect({1, 2, 3, 4}, SolidFill{{255, 0, 0, 255}});

  DisplayList page(841.89, 595.28);
  page.polyline({{0, 0}, {1, 1}, {2, 0}}, Stroke{2, {}, Dash::kDash});
  page.group(std::move(inner), Transform::translation(100, 50), Rect{0, 0, 5, 5});
  page.text(TextCmd{.text = "问题:\n第二行"});

  ASSERT_EQ(page.commands().size(), 3u);
  EXPECT_TRUE(std::holds_alternative<PolylineCmd>(page.commands()[0]));
  const auto& group = std::get<GroupCmd>(page.commands()[1]);
  ASSERT_EQ(group.children.size(), 2u);
  EXPECT_TRUE(std::holds_alternative<LineCmd>(group.children[0]));
  EXPECT_EQ(std::get<RectCmd>(group.children[1]).rect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(group.clip, (Rect{0, 0, 5, 5}));
  EXPECT_EQ(std::get<TextCmd>(page.commands()[2]).text, "问题:\n第二行");
  EXPECT_EQ(page.size(), (Size{841.89, 595.28}));
}

TEST(DisplayListTest, DegenerateShapesAreRefused) {
  DisplayList list(10, 10);
  EXPECT_THROW(list.polyline({{0, 0}}, Stroke{}), std::invalid_argument);
  EXPECT_THROW(list.polygon({{0, 0}, {1, 1}}, NoFill{}), std::invalid_argument);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace fb::render
