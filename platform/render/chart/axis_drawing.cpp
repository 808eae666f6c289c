// The plot area with its gridlines, and each axis: its line, tick marks and tick labels (several
// category levels, the outer ones ruled off across their band).
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/render/chart/chart_painter.h"
#include "platform/render/chart/chart_style.h"

namespace fb::render::chart_painting {

void ChartPainter::draw_plot_area() {
  const sheet::PlotArea& area = chart_.plot_area;
  content_.rect(frame_.plot, element_fill(area.fill, area.interior, kWhite),
                border_stroke(area.border, kBlack));
}

void ChartPainter::line_across(const PlacedAxis& placed, double fraction, const Stroke& stroke) {
  if (placed.horizontal) {
    content_.line(frame_.at(fraction, 0), frame_.at(fraction, 1), stroke);
  } else {
    content_.line(frame_.at(0, fraction), frame_.at(1, fraction), stroke);
  }
}

void ChartPainter::draw_gridlines() {
  for (const PlacedAxis* placed : placed_axes()) {
    const sheet::Axis& axis = *placed->map.axis;
    if (axis.has_major_gridlines) {
      if (auto stroke = border_stroke(axis.major_gridlines.border, kBlack)) {
        for (double f : placed->map.tick_fractions()) line_across(*placed, f, *stroke);
      }
    }
  }
}

// The axis line's position across the plot for a placed axis.
Point ChartPainter::axis_point(const PlacedAxis& placed, double along) const {
  return placed.horizontal ? frame_.at(along, placed.line_fraction)
                           : frame_.at(placed.line_fraction, along);
}

void ChartPainter::draw_axes() {
  const Font font = label_font(chart_);
  const Colour colour = label_colour(chart_);
  for (const PlacedAxis* placed : placed_axes()) {
    const sheet::Axis& axis = *placed->map.axis;
    const auto stroke = border_stroke(axis.border, kBlack);
    if (stroke) content_.line(axis_point(*placed, 0), axis_point(*placed, 1), *stroke);
    const Stroke tick_stroke = stroke.value_or(Stroke{0, kBlack});
    if (stroke)
      draw_ticks(*placed, placed->map.tick_fractions(), axis.major_tick_mark, tick_stroke);
    if (placed->shows_labels()) draw_tick_labels(*placed, font, colour, tick_stroke);
  }
}

// +1 when "outward" (away from the plot) runs along growing page coordinates.
double ChartPainter::outward_sign(const PlacedAxis& placed) const {
  // Labels low: left of a vertical axis (x shrinks) or below a horizontal one (y grows).
  if (placed.horizontal) return placed.labels_low ? 1 : -1;
  return placed.labels_low ? -1 : 1;
}

void ChartPainter::draw_ticks(const PlacedAxis& placed, const std::vector<double>& fractions,
                              sheet::TickMark mark, const Stroke& stroke) {
  double out_len = 0, in_len = 0;
  switch (mark) {
    case sheet::TickMark::None:
      return;
    case sheet::TickMark::Inside:
      in_len = kTickLength;
      break;
    case sheet::TickMark::Outside:
      out_len = kTickLength;
      break;
    case sheet::TickMark::Cross:
      in_len = out_len = kTickLength;
      break;
  }
  const double s = outward_sign(placed);
  for (double f : fractions) {
    const Point p = axis_point(placed, f);
    if (placed.horizontal) {
      content_.line({p.x, p.y - s * in_len}, {p.x, p.y + s * out_len}, stroke);
    } else {
      content_.line({p.x - s * in_len, p.y}, {p.x + s * out_len, p.y}, stroke);
    }
  }
}

void ChartPainter::draw_tick_labels(const PlacedAxis& placed, const Font& font, Colour colour,
                                    const Stroke& stroke) {
  const sheet::Axis& axis = *placed.map.axis;
  const double s = outward_sign(placed);
  double distance = kTickLabelGap;
  if (axis.major_tick_mark == sheet::TickMark::Outside ||
      axis.major_tick_mark == sheet::TickMark::Cross) {
    distance += kTickLength;
  }
  const std::size_t depth = placed.levels.size();
  for (std::size_t k = 0; k < depth; ++k) {  // k = 0: the innermost level, nearest the axis
    const std::size_t l = depth - 1 - k;
    const double extent = placed.level_extent[k];
    const bool innermost = k == 0;
    const auto spans = spans_of(placed.levels[l], !placed.map.categorical || innermost);
    const std::vector<double> value_positions =
        placed.map.categorical ? std::vector<double>{} : placed.map.tick_fractions();
    for (std::size_t i = 0; i < spans.size(); ++i) {
      const Span& span = spans[i];
      if (span.text.empty()) continue;
      double from = 0, to = 0;  // the span along the axis, as fractions
      if (placed.map.categorical) {
        const double w = placed.map.category_width() / 2;
        from = placed.map.category_fraction(span.first + 1) - (placed.map.reversed ? -w : w);
        to = placed.map.category_fraction(span.last + 1) + (placed.map.reversed ? -w : w);
      } else {
        from = to = value_positions[i];
      }
      const Point a = axis_point(placed, from), b = axis_point(placed, to);
      TextCmd t = text_at(span.text, font, colour, {}, HAlign::kCentre, VAlign::kCentre);
      if (placed.horizontal) {
        const double near = a.y + s * distance;
        const double y = s > 0 ? near : near - extent;
        const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
        t.box = {x0, y, x1 - x0, extent};
        t.valign = s > 0 ? VAlign::kTop : VAlign::kBottom;
        if (placed.map.categorical) t.wrap = true;
        if (placed.map.categorical && t.box.width < font.size) {
          t.box.x -= (font.size - t.box.width) / 2;
          t.box.width = font.size;
        }
      } else {
        const double near = a.x + s * distance;
        const double x = s > 0 ? near : near - extent;
        const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
        t.box = {x, y0, extent, y1 - y0};
        t.halign =
            placed.map.categorical ? HAlign::kCentre : (s > 0 ? HAlign::kLeft : HAlign::kRight);
        t.wrap = measure(span.text, font).width > extent + 0.01;
      }
      content_.text(std::move(t));
      // The outer levels are ruled off at both ends of their spans, across their own band.
      if (!innermost && placed.map.categorical) {
        const double band_far = distance + extent;
        for (const Point& edge : {a, b}) {
          if (placed.horizontal) {
            content_.line({edge.x, edge.y}, {edge.x, edge.y + s * band_far}, stroke);
          } else {
            content_.line({edge.x, edge.y}, {edge.x + s * band_far, edge.y}, stroke);
          }
        }
      }
    }
    distance += extent + kTickLabelGap;
  }
}

}  // namespace fb::render::chart_painting
