#include "platform/render/display_list.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace fb::render {

Transform Transform::rotation(double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return {c, s, -s, c, 0, 0};
}

Transform Transform::compose(const Transform& outer, const Transform& inner) {
  return {outer.xx * inner.xx + outer.xy * inner.yx,
          outer.yx * inner.xx + outer.yy * inner.yx,
          outer.xx * inner.xy + outer.xy * inner.yy,
          outer.yx * inner.xy + outer.yy * inner.yy,
          outer.xx * inner.dx + outer.xy * inner.dy + outer.dx,
          outer.yx * inner.dx + outer.yy * inner.dy + outer.dy};
}

void DisplayList::polyline(std::vector<Point> points, const Stroke& stroke) {
  if (points.size() < 2) throw std::invalid_argument("a polyline needs at least two points");
  add(PolylineCmd{std::move(points), stroke});
}

void DisplayList::rect(const Rect& rect, Fill fill, std::optional<Stroke> stroke) {
  add(RectCmd{rect, fill, stroke, 0});
}

void DisplayList::polygon(std::vector<Point> points, Fill fill, std::optional<Stroke> stroke) {
  if (points.size() < 3) throw std::invalid_argument("a polygon needs at least three points");
  add(PolygonCmd{std::move(points), fill, stroke});
}

void DisplayList::group(DisplayList children, const Transform& transform,
                        std::optional<Rect> clip) {
  add(GroupCmd{transform, clip, std::move(children.commands_)});
}

}  // namespace fb::render
