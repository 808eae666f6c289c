#include "platform/render/chart/diagram_ink.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "platform/render/chart/chart_renderer.h"
#include "platform/sheet/chart/chart.h"

namespace fb::render {
namespace {

constexpr double kSpineWeight = 10;

void Collect(const std::vector<Command>& commands, DiagramInk& ink) {
  for (const Command& command : commands) {
    if (const auto* group = std::get_if<GroupCmd>(&command)) {
      Collect(group->children, ink);
    } else if (const auto* text = std::get_if<TextCmd>(&command)) {
      ink.texts.push_back(text->box);
    } else if (const auto* image = std::get_if<ImageCmd>(&command)) {
      ink.pictures.push_back(image->dest);
    } else if (const auto* segment = std::get_if<LineCmd>(&command)) {
      ink.lines.push_back({segment->from, segment->to, segment->stroke.width});  // error bars
    } else if (const auto* line = std::get_if<PolylineCmd>(&command)) {
      for (std::size_t i = 1; i < line->points.size(); ++i) {
        ink.lines.push_back({line->points[i - 1], line->points[i], line->stroke.width});
      }
    }
  }
}

}  // namespace

DiagramInk diagram_ink(const sheet::Chart& chart) {
  const DisplayList list = render_chart(chart);
  DiagramInk ink;
  ink.size = list.size();
  Collect(list.commands(), ink);
  // The longest line is the spine that every bone hangs from: hiding it hides the diagram's
  // shape, so it weighs as much as a text of its length.
  const auto length = [](const DiagramInk::Line& line) {
    return std::hypot(line.to.x - line.from.x, line.to.y - line.from.y);
  };
  const auto spine = std::max_element(
      ink.lines.begin(), ink.lines.end(),
      [&](const DiagramInk::Line& a, const DiagramInk::Line& b) { return length(a) < length(b); });
  if (spine != ink.lines.end()) spine->width = std::max(spine->width, kSpineWeight);
  return ink;
}

double shared_area(const Rect& a, const Rect& b) {
  const double w = std::min(a.right(), b.right()) - std::max(a.x, b.x);
  const double h = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
  return w > 0 && h > 0 ? w * h : 0;
}

// Liang–Barsky clipping.
double length_inside(Point from, Point to, const Rect& area) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  double t0 = 0, t1 = 1;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {from.x - area.x, area.right() - from.x, from.y - area.y,
                      area.bottom() - from.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return 0;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 >= t1) return 0;
  }
  return (t1 - t0) * std::hypot(dx, dy);
}

double ink_under(const DiagramInk& ink, const Rect& area) {
  double hidden = 0;
  for (const Rect& text : ink.texts) hidden += shared_area(text, area);
  for (const Rect& picture : ink.pictures) hidden += shared_area(picture, area);
  for (const DiagramInk::Line& line : ink.lines) {
    hidden += length_inside(line.from, line.to, area) * std::max(line.width, 1.0);
  }
  return hidden;
}

}  // namespace fb::render
