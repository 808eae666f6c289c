#include "platform/render/display_list.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace fb::render {

Rect bounds_of(const std::vector<Point>& points) {
  if (points.empty()) return {};
  double x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
  for (const Point& p : points) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

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
