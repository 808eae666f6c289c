// Building the axes of a chart from its series and laying out the plot area inside the room
// that titles, legend and tick labels take.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/render/chart/chart_painter.h"
#include "platform/sheet/number_format.h"

namespace fb::render::chart_painting {

using sheet::AxisGroup;
using sheet::AxisType;
using sheet::ChartType;

namespace {

// The series of one axis group of the chart, in plot order.
std::vector<int> series_in(const sheet::Chart& chart, AxisGroup group) {
  std::vector<int> out;
  for (int i = 1; i <= chart.series_count(); ++i) {
    if (chart.series(i).axis_group() == group) out.push_back(i);
  }
  return out;
}

std::string tick_text(double value, const sheet::Axis& axis) {
  return sheet::format_value(sheet::Value(value), axis.tick_label_number_format);
}

// Category texts of a group, outer level first, from its first series.
std::vector<std::vector<std::string>> category_levels(const sheet::Chart& chart,
                                                      const std::vector<int>& series,
                                                      int categories) {
  std::vector<std::vector<std::string>> levels;
  if (series.empty()) return levels;
  const auto points = chart.series(series.front()).points();
  std::size_t depth = 1;
  for (const auto& p : points) depth = std::max(depth, p.category_levels.size());
  levels.assign(depth, std::vector<std::string>(static_cast<std::size_t>(categories)));
  for (int i = 0; i < categories; ++i) {
    if (i >= static_cast<int>(points.size())) {
      levels.back()[i] = std::to_string(i + 1);
      continue;
    }
    const auto& p = points[static_cast<std::size_t>(i)];
    for (std::size_t l = 0; l < p.category_levels.size(); ++l) {
      levels[depth - p.category_levels.size() + l][i] = p.category_levels[l];
    }
  }
  return levels;
}

}  // namespace

std::vector<Span> spans_of(const std::vector<std::string>& level, bool innermost) {
  std::vector<Span> spans;
  for (int i = 0; i < static_cast<int>(level.size()); ++i) {
    const std::string& text = level[static_cast<std::size_t>(i)];
    if (spans.empty() || innermost || !text.empty()) {
      spans.push_back({i, i, text});
    } else {
      spans.back().last = i;
    }
  }
  return spans;
}

void ChartPainter::build_axes() {
  const bool xy = is_xy(chart_.chart_type());
  for (AxisGroup group : {AxisGroup::Primary, AxisGroup::Secondary}) {
    const auto members = series_in(chart_, group);
    const std::size_t g = group == AxisGroup::Primary ? 0 : 1;
    if (members.empty() && group == AxisGroup::Secondary) continue;
    DataRange values, xs;
    int categories = 0;
    bool between = false;
    for (int index : members) {
      const auto& series = chart_.series(index);
      const ChartType type = chart_.series_type(series);
      between = between || type != ChartType::LineMarkers;
      const auto points = series.points();
      categories = std::max(categories, static_cast<int>(points.size()));
      for (const auto& p : points) {
        if (auto y = number(p.y)) values.add(*y);
        if (auto x = number(p.x); x && xy) xs.add(*x);
      }
    }
    value_[g] = PlacedAxis{};
    value_[g]->map = value_map(axis_or_null(AxisType::ValueAxis, group), values);
    value_[g]->horizontal = values_horizontal();
    category_[g] = PlacedAxis{};
    const sheet::Axis* category_axis = axis_or_null(AxisType::CategoryAxis, group);
    if (xy) {
      category_[g]->map = value_map(category_axis, xs);
    } else if (category_axis == nullptr && group == AxisGroup::Secondary) {
      category_[g]->map = category_[0]->map;  // the secondary series share the categories
      category_[g]->map.axis = nullptr;
    } else {
      category_[g]->map = category_map(category_axis, categories, between || members.empty());
    }
    category_[g]->horizontal = !values_horizontal();
    category_series_[g] = members;
  }
  for (std::size_t g = 0; g < 2; ++g) {
    if (!value_[g]) continue;
    // Each axis lies where the other axis of its group is crossed.
    value_[g]->line_fraction = category_[g]->map.crossing_fraction();
    category_[g]->line_fraction = value_[g]->map.crossing_fraction();
    for (auto* placed : {&*value_[g], &*category_[g]}) {
      placed->labels_low = placed->line_fraction < 0.5;
      if (placed->horizontal) placed->labels_low = placed->line_fraction <= 0.5;
    }
    fill_tick_texts(*value_[g], std::nullopt);
    fill_tick_texts(*category_[g], g);
  }
}

void ChartPainter::fill_tick_texts(PlacedAxis& placed, std::optional<std::size_t> category_group) {
  const sheet::Axis* axis = placed.map.axis;
  if (axis == nullptr || axis->tick_label_position == sheet::TickLabelPosition::None) return;
  if (!placed.map.categorical) {
    std::vector<std::string> texts;
    for (double v : placed.map.scale.major_ticks()) texts.push_back(tick_text(v, *axis));
    placed.levels = {texts};
  } else if (category_group) {
    placed.levels =
        category_levels(chart_, category_series_[*category_group], placed.map.categories);
  }
}

// Room across the axis for each level of labels of a vertical axis (widths; texts wrap at a
// share of the chart's width) or of a horizontal one (heights, wrapping at the span's width).
void ChartPainter::measure_labels(PlacedAxis& placed, double along_length) {
  placed.level_extent.clear();
  if (!placed.shows_labels()) return;
  const Font font = label_font(chart_);
  for (std::size_t l = placed.levels.size(); l-- > 0;) {  // inner level first
    double extent = 0;
    const bool innermost = l + 1 == placed.levels.size();
    const auto spans = placed.map.categorical ? spans_of(placed.levels[l], innermost)
                                              : spans_of(placed.levels[l], true);
    for (const Span& span : spans) {
      if (placed.horizontal) {
        std::optional<double> wrap;
        if (placed.map.categorical) {
          wrap = std::max(along_length * placed.map.category_width() * (span.last - span.first + 1),
                          font.size);
        }
        extent = std::max(extent, measure(span.text, font, wrap).height);
      } else {
        const double cap = width_ * kCategoryLabelShare;
        const double natural = measure(span.text, font).width;
        extent = std::max(extent, natural > cap ? measure(span.text, font, cap).width : natural);
      }
    }
    placed.level_extent.push_back(extent);
  }
}
void ChartPainter::layout() {
  const sheet::PlotArea& area = chart_.plot_area;
  Rect outer{kChartPadding, kChartPadding, width_ - 2 * kChartPadding, height_ - 2 * kChartPadding};
  if (chart_.has_title() && !chart_.title().top) {
    const double h = title_size(chart_.title()).height + kChartPadding;
    outer.y += h;
    outer.height -= h;
  }
  for (const PlacedAxis* placed : placed_axes()) {
    const sheet::Axis& axis = *placed->map.axis;
    if (!axis.has_title || axis.title.left || axis.title.top) continue;
    const Size s = title_size(axis.title);
    if (placed->horizontal) {
      outer.height -= s.height + kChartPadding;
    } else {
      outer.x += s.width + kChartPadding;
      outer.width -= s.width + kChartPadding;
    }
  }
  if (chart_.has_legend) {
    const double w = legend_size().width + kChartPadding;
    outer.width -= w;
  }
  if (area.left) outer.x = *area.left;
  if (area.top) outer.y = *area.top;
  if (area.width) outer.width = *area.width;
  if (area.height) outer.height = *area.height;

  // Value labels stand centred on their ticks, so half of the first and the last reaches past
  // the plot's ends; the host keeps that overhang inside the plot area's outer bounds too.
  const Font label = label_font(chart_);
  const auto reserve_end_overhang = [&](const PlacedAxis& placed, double& low, double& high) {
    if (!placed.shows_labels() || placed.map.categorical) return;
    const std::vector<double> fractions = placed.map.tick_fractions();
    const std::vector<std::string>& texts = placed.levels.front();
    if (fractions.empty() || fractions.size() != texts.size()) return;
    const auto [first, last] = std::minmax_element(fractions.begin(), fractions.end());
    const auto half = [&](auto at) {
      const Size size = measure(texts[static_cast<std::size_t>(at - fractions.begin())], label);
      return (placed.horizontal ? size.width : size.height) / 2;
    };
    low = std::max(low, half(first));
    high = std::max(high, half(last));
  };

  // Vertical axes first: their label widths do not depend on the plot's size.
  double left = 0, right = 0, top = 0, bottom = 0;
  for (PlacedAxis* placed : placed_axes()) {
    if (placed->horizontal) {
      reserve_end_overhang(*placed, left, right);
      continue;
    }
    measure_labels(*placed, outer.height);
    const bool at_edge = placed->line_fraction <= 0 || placed->line_fraction >= 1;
    if (!at_edge) continue;
    (placed->labels_low ? left : right) =
        std::max(placed->labels_low ? left : right, placed->label_room());
  }
  const double inner_width = std::max(outer.width - left - right, 1.0);
  for (PlacedAxis* placed : placed_axes()) {
    if (!placed->horizontal) {
      reserve_end_overhang(*placed, bottom, top);
      continue;
    }
    measure_labels(*placed, inner_width);
    const bool at_edge = placed->line_fraction <= 0 || placed->line_fraction >= 1;
    if (!at_edge) continue;
    (placed->labels_low ? bottom : top) =
        std::max(placed->labels_low ? bottom : top, placed->label_room());
  }
  frame_.plot = {outer.x + left, outer.y + top, inner_width,
                 std::max(outer.height - top - bottom, 1.0)};
}

}  // namespace fb::render::chart_painting
