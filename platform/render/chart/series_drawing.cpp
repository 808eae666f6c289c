// The series of a chart inside the plot area: clustered columns and bars, lines (broken at empty
// cells) with their markers, and error bars.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/render/chart/chart_painter.h"
#include "platform/render/chart/chart_style.h"

namespace fb::render::chart_painting {

using sheet::AxisGroup;
using sheet::ChartType;

void ChartPainter::draw_series() {
  DisplayList clipped;
  // Columns and bars first, lines over them, as the host layers its groups.
  for (int pass = 0; pass < 2; ++pass) {
    for (int index = 1; index <= chart_.series_count(); ++index) {
      const auto& series = chart_.series(index);
      const ChartType type = chart_.series_type(series);
      const bool block = type == ChartType::ColumnClustered || type == ChartType::BarClustered;
      if ((pass == 0) != block) continue;
      if (block) {
        draw_blocks(index, clipped);
      } else {
        draw_line(index, clipped);
      }
    }
  }
  for (int index = 1; index <= chart_.series_count(); ++index) draw_error_bars(index, clipped);
  content_.group(std::move(clipped), Transform{}, frame_.plot);
}
void ChartPainter::draw_blocks(int index, DisplayList& out) {
  const auto& series = chart_.series(index);
  const std::size_t g = group_slot(series);
  const ChartType type = chart_.series_type(series);
  std::vector<int> siblings;
  for (int i : category_series_[g]) {
    if (chart_.series_type(chart_.series(i)) == type) siblings.push_back(i);
  }
  const auto me = std::find(siblings.begin(), siblings.end(), index) - siblings.begin();
  const sheet::ChartGroup& group = chart_.group_of(series);
  const double n = static_cast<double>(siblings.size());
  const double overlap = group.overlap / 100.0;
  const double gap = group.gap_width / 100.0;
  const AxisMap& c = category_[g]->map;
  // Width of one block as a share of a category: n blocks overlapping and the gap beside them.
  const double block = c.category_width() / (n - (n - 1) * overlap + gap);
  const double offset = block * gap / 2 + static_cast<double>(me) * block * (1 - overlap);
  const AxisScale& scale = value_[g]->map.scale;
  const double base = std::clamp(0.0, scale.minimum, scale.maximum);
  const Fill fill = series_fill(series, index);
  const auto stroke = border_stroke(series.border, kBlack);
  const auto points = series.points();
  for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
    const auto v = number(points[static_cast<std::size_t>(p - 1)].y);
    if (!v) continue;
    double start = c.category_fraction(p) - c.category_width() / 2 + offset;
    if (c.reversed) start = c.category_fraction(p) + c.category_width() / 2 - offset - block;
    const double v0 = value_[g]->map.value_fraction(base);
    const double v1 = value_[g]->map.value_fraction(*v);
    Point a, b;
    if (values_horizontal()) {
      a = frame_.at(std::min(v0, v1), start + block);
      b = frame_.at(std::max(v0, v1), start);
    } else {
      a = frame_.at(start, std::max(v0, v1));
      b = frame_.at(start + block, std::min(v0, v1));
    }
    out.rect({a.x, a.y, b.x - a.x, b.y - a.y}, fill, stroke);
  }
}

void ChartPainter::draw_line(int index, DisplayList& out) {
  const auto& series = chart_.series(index);
  const std::size_t g = group_slot(series);
  const ChartType type = chart_.series_type(series);
  const auto stroke = border_stroke(series.border, automatic_line(index));
  const auto points = series.points();
  std::vector<Point> run;
  auto flush = [&] {
    if (run.size() >= 2 && stroke) out.polyline(run, *stroke);
    run.clear();
  };
  std::vector<Point> marks;
  for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
    const auto& point = points[static_cast<std::size_t>(p - 1)];
    const auto v = number(point.y);
    const bool xy_without_x = !category_[g]->map.categorical && !number(point.x);
    if (!v || xy_without_x) {
      flush();  // an empty cell leaves a gap
      continue;
    }
    run.push_back(position(g, along_of(series, point, p), *v));
    marks.push_back(run.back());
  }
  flush();
  const bool markers =
      type == ChartType::LineMarkers && series.marker_style != sheet::MarkerStyle::None;
  if (!markers) return;
  const Colour colour = automatic_line(index);
  const bool diamond = series.marker_style == sheet::MarkerStyle::Diamond ||
                       (series.marker_style == sheet::MarkerStyle::Automatic && index % 2 == 1);
  const double r = kMarkerSize / 2;
  for (const Point& m : marks) {
    if (diamond) {
      out.polygon({{m.x, m.y - r}, {m.x + r, m.y}, {m.x, m.y + r}, {m.x - r, m.y}},
                  SolidFill{colour}, Stroke{0, colour});
    } else {
      out.rect({m.x - r, m.y - r, kMarkerSize, kMarkerSize}, SolidFill{colour}, Stroke{0, colour});
    }
  }
}

void ChartPainter::draw_error_bars(int index, DisplayList& out) {
  const auto& series = chart_.series(index);
  if (!series.has_error_bars()) return;
  const sheet::ErrorBars& bars = series.error_bars();
  if (bars.include == sheet::ErrorBarInclude::None) return;
  if (bars.type != sheet::ErrorBarType::Percent && bars.type != sheet::ErrorBarType::FixedValue) {
    throw std::invalid_argument("error bars of type " +
                                std::to_string(static_cast<int>(bars.type)) +
                                " (statistical or custom amounts) cannot be drawn");
  }
  const std::size_t g = group_slot(series);
  const bool along_values = bars.direction == sheet::ErrorBarDirection::Y;
  if (!along_values && category_[g]->map.categorical) return;  // no X bars off XY charts
  const auto stroke = border_stroke(bars.border, kBlack);
  if (!stroke) return;
  const auto points = series.points();
  for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
    const auto& point = points[static_cast<std::size_t>(p - 1)];
    const auto v = number(point.y);
    if (!v) continue;
    const double along = along_of(series, point, p);
    const double centre = along_values ? *v : along;
    const double amount = bars.type == sheet::ErrorBarType::Percent
                              ? std::abs(centre) * bars.amount / 100
                              : bars.amount;
    const bool minus = bars.include != sheet::ErrorBarInclude::Plus;
    const bool plus = bars.include != sheet::ErrorBarInclude::Minus;
    const double low = minus ? centre - amount : centre;
    const double high = plus ? centre + amount : centre;
    auto at = [&](double c) { return along_values ? position(g, along, c) : position(g, c, *v); };
    const Point a = at(low), b = at(high);
    out.line(a, b, *stroke);
    if (bars.end_style == sheet::ErrorBarEndStyle::Cap) {
      const bool bar_vertical = std::abs(a.x - b.x) < std::abs(a.y - b.y);
      for (const Point& end : {minus ? a : Point{}, plus ? b : Point{}}) {
        if (end == Point{}) continue;
        const double h = kErrorBarCap / 2;
        out.line(bar_vertical ? Point{end.x - h, end.y} : Point{end.x, end.y - h},
                 bar_vertical ? Point{end.x + h, end.y} : Point{end.x, end.y + h}, *stroke);
      }
    }
  }
}

}  // namespace fb::render::chart_painting
