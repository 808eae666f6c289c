#include "platform/render/chart/chart_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/render/chart/axis_scale.h"
#include "platform/render/chart/chart_shapes.h"
#include "platform/render/chart/chart_style.h"
#include "platform/render/text_metrics.h"
#include "platform/sheet/chart/chart.h"
#include "platform/sheet/number_format.h"

namespace fb::render {
namespace {

using sheet::AxisGroup;
using sheet::AxisType;
using sheet::ChartType;

constexpr Colour kBlack{0, 0, 0, 255};
constexpr Colour kWhite{255, 255, 255, 255};
constexpr double kChartPadding = 5;  // chart area edge to an automatic plot area
constexpr double kTickLength = 3;
constexpr double kTickLabelGap = 2;
constexpr double kDataLabelGap = 3;
constexpr double kMarkerSize = 5;
constexpr double kErrorBarCap = 4;
constexpr double kLegendKey = 8;
// Texts of a vertical category axis wrap at this share of the chart's width.
constexpr double kCategoryLabelShare = 0.3;

// The host's automatic series colours: fills from palette entry 17 on, lines from 25 on.
Colour automatic_fill(int series_index) {
  return palette_or(17 + (series_index - 1) % 8, kBlack);
}
Colour automatic_line(int series_index) {
  return palette_or(25 + (series_index - 1) % 8, kBlack);
}

// A series that was given neither a fill nor an interior takes its automatic colour.
Fill series_fill(const sheet::Series& series, int index) {
  const bool untouched = series.fill.type == sheet::FillFormat::Type::Automatic &&
                         (series.interior.color_index == sheet::kColorIndexNone ||
                          series.interior.color_index == sheet::kColorIndexAutomatic);
  if (untouched) return SolidFill{automatic_fill(index)};
  return element_fill(series.fill, series.interior, automatic_fill(index));
}

std::optional<double> number(const sheet::Value& value) {
  if (const double* d = std::get_if<double>(&value)) return *d;
  return std::nullopt;
}

bool is_xy(ChartType type) {
  return type == ChartType::XYScatterLinesNoMarkers;
}

// ---- axes ----

// Where values of one axis land along its direction, as a fraction of the plot's extent
// (0 at the left or bottom end).
struct AxisMap {
  const sheet::Axis* axis = nullptr;  // null: the chart lacks the axis
  bool categorical = false;
  AxisScale scale;
  int categories = 1;
  bool between = true;
  bool reversed = false;

  double value_fraction(double v) const {
    const double f = (v - scale.minimum) / (scale.maximum - scale.minimum);
    return reversed ? 1 - f : f;
  }
  // Centre of category i (1-based).
  double category_fraction(double i) const {
    double f = 0.5;
    if (between) {
      f = (i - 0.5) / categories;
    } else if (categories > 1) {
      f = (i - 1) / (categories - 1);
    }
    return reversed ? 1 - f : f;
  }
  double category_width() const { return 1.0 / std::max(categories, 1); }
  // Fractions of the tick marks (and major gridlines) of a category axis.
  std::vector<double> category_ticks() const {
    std::vector<double> ticks;
    const int spacing = axis != nullptr ? std::max(axis->tick_mark_spacing, 1) : 1;
    if (between) {
      for (int i = 0; i <= categories; i += spacing) {
        ticks.push_back(reversed ? 1 - double(i) / categories : double(i) / categories);
      }
    } else {
      for (int i = 1; i <= categories; i += spacing) ticks.push_back(category_fraction(i));
    }
    return ticks;
  }
  std::vector<double> tick_fractions() const {
    if (categorical) return category_ticks();
    std::vector<double> out;
    for (double v : scale.major_ticks()) out.push_back(value_fraction(v));
    return out;
  }
  // Where the crossing axis meets this one, by the crossing axis's own setting of where it
  // crosses (value axes) or where it is crossed (category axes).
  double crossing_fraction() const {
    if (axis == nullptr) return 0;
    if (categorical) {
      double at = 0;
      switch (axis->crosses) {
        case sheet::AxisCrosses::Maximum:
          at = 1;
          break;
        case sheet::AxisCrosses::Custom: {
          const double c = std::clamp(axis->crosses_at.value_or(1), 1.0, double(categories));
          at = between ? (c - 1) / categories : (categories > 1 ? (c - 1) / (categories - 1) : 0);
          break;
        }
        default:
          at = 0;
          break;
      }
      return reversed ? 1 - at : at;
    }
    double v = 0;
    switch (axis->crosses) {
      case sheet::AxisCrosses::Maximum:
        v = scale.maximum;
        break;
      case sheet::AxisCrosses::Minimum:
        v = scale.minimum;
        break;
      case sheet::AxisCrosses::Custom:
        v = axis->crosses_at.value_or(0);
        break;
      case sheet::AxisCrosses::Automatic:
        v = 0;
        break;
    }
    return value_fraction(std::clamp(v, scale.minimum, scale.maximum));
  }
};

// One axis as drawn: its map, direction, where its line lies and which side its labels take.
struct PlacedAxis {
  AxisMap map;
  bool horizontal = true;
  double line_fraction = 0;  // along the crossing direction
  bool labels_low = true;    // labels left of a vertical axis, below a horizontal one
  // Tick label texts: one row per category level (outer first) for category axes, the major
  // tick values for value axes.
  std::vector<std::vector<std::string>> levels;
  std::vector<double> level_extent;  // room of each level across the axis (inner first)
  bool shows_labels() const {
    return map.axis != nullptr && map.axis->tick_label_position != sheet::TickLabelPosition::None &&
           !levels.empty();
  }
  double label_room() const {
    if (!shows_labels()) return 0;
    double room = kTickLabelGap;
    for (double e : level_extent) room += e + kTickLabelGap;
    const auto major = map.axis->major_tick_mark;
    if (major == sheet::TickMark::Outside || major == sheet::TickMark::Cross) room += kTickLength;
    return room;
  }
};

struct Frame {
  Rect plot;  // the inner plot area, inside the axes' labels
  Point at(double fx, double fy) const {
    return {plot.x + fx * plot.width, plot.bottom() - fy * plot.height};
  }
};

Font label_font(const sheet::Chart& chart) {
  return chart_font(chart.chart_area.font);
}

Colour label_colour(const sheet::Chart& chart) {
  return palette_or(chart.chart_area.font.color_index, kBlack);
}

TextCmd text_at(std::string text, const Font& font, Colour colour, Rect box, HAlign h, VAlign v) {
  TextCmd t;
  t.text = std::move(text);
  t.font = font;
  t.colour = colour;
  t.box = box;
  t.halign = h;
  t.valign = v;
  return t;
}

Size measure(const std::string& text, const Font& font, std::optional<double> wrap_width = {}) {
  TextCmd t;
  t.text = text;
  t.font = font;
  if (wrap_width) {
    t.wrap = true;
    t.box.width = *wrap_width;
  }
  return measure_text(t);
}

// The series of one axis group of the chart, in plot order.
std::vector<int> series_in(const sheet::Chart& chart, AxisGroup group) {
  std::vector<int> out;
  for (int i = 1; i <= chart.series_count(); ++i) {
    if (chart.series(i).axis_group() == group) out.push_back(i);
  }
  return out;
}

struct DataRange {
  std::optional<double> low, high;
  void add(double v) {
    low = low ? std::min(*low, v) : v;
    high = high ? std::max(*high, v) : v;
  }
};

AxisMap value_map(const sheet::Axis* axis, const DataRange& data) {
  AxisMap map;
  map.axis = axis;
  if (axis == nullptr) {
    map.scale = automatic_scale(data.low, data.high, {});
    return map;
  }
  map.scale =
      automatic_scale(data.low, data.high, {axis->minimum, axis->maximum, axis->major_unit});
  map.reversed = axis->reverse_plot_order;
  return map;
}

AxisMap category_map(const sheet::Axis* axis, int categories, bool default_between) {
  AxisMap map;
  map.axis = axis;
  map.categorical = true;
  map.categories = std::max(categories, 1);
  map.between = axis != nullptr ? axis->axis_between_categories : default_between;
  map.reversed = axis != nullptr && axis->reverse_plot_order;
  return map;
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

// Runs of categories one outer label spans: it starts at a non-empty text and runs to the next.
struct Span {
  int first = 0;  // 0-based
  int last = 0;
  std::string text;
};
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

// ---- the renderer ----

class ChartPainter {
 public:
  explicit ChartPainter(const sheet::Chart& chart)
      : chart_(chart), width_(chart.width()), height_(chart.height()) {}

  DisplayList paint() {
    DisplayList out(width_, height_);
    const Rect whole{0, 0, width_, height_};
    content_.rect(whole, element_fill(chart_.chart_area.fill, chart_.chart_area.interior, kWhite),
                  std::nullopt);
    build_axes();
    layout();
    draw_plot_area();
    draw_gridlines();
    draw_series();
    draw_axes();
    draw_data_labels();
    draw_titles();
    draw_legend();
    draw_shapes(chart_.shapes(), content_);
    if (auto border = border_stroke(chart_.chart_area.border, kBlack)) {
      content_.rect(whole, NoFill{}, border);
    }
    out.group(std::move(content_), Transform{}, whole);
    return out;
  }

 private:
  // ---- axes and layout ----

  bool values_horizontal() const { return chart_.chart_type() == ChartType::BarClustered; }

  const sheet::Axis* axis_or_null(AxisType type, AxisGroup group) const {
    return chart_.has_axis(type, group) ? &chart_.axes(type, group) : nullptr;
  }

  void build_axes() {
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

  void fill_tick_texts(PlacedAxis& placed, std::optional<std::size_t> category_group) {
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
  void measure_labels(PlacedAxis& placed, double along_length) {
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
            wrap =
                std::max(along_length * placed.map.category_width() * (span.last - span.first + 1),
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

  std::vector<PlacedAxis*> placed_axes() {
    std::vector<PlacedAxis*> all;
    for (std::size_t g = 0; g < 2; ++g) {
      if (value_[g] && value_[g]->map.axis != nullptr) all.push_back(&*value_[g]);
      if (category_[g] && category_[g]->map.axis != nullptr) all.push_back(&*category_[g]);
    }
    return all;
  }

  Size title_size(const sheet::ChartTitle& title) const {
    TextCmd t = title_command(title, {});
    const Size block = measure_text(t);
    return rotated_extent(block, t.rotation);
  }

  void layout() {
    const sheet::PlotArea& area = chart_.plot_area;
    Rect outer{kChartPadding, kChartPadding, width_ - 2 * kChartPadding,
               height_ - 2 * kChartPadding};
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

    // Vertical axes first: their label widths do not depend on the plot's size.
    double left = 0, right = 0, top = 0, bottom = 0;
    for (PlacedAxis* placed : placed_axes()) {
      if (placed->horizontal) continue;
      measure_labels(*placed, outer.height);
      const bool at_edge = placed->line_fraction <= 0 || placed->line_fraction >= 1;
      if (!at_edge) continue;
      (placed->labels_low ? left : right) =
          std::max(placed->labels_low ? left : right, placed->label_room());
    }
    const double inner_width = std::max(outer.width - left - right, 1.0);
    for (PlacedAxis* placed : placed_axes()) {
      if (!placed->horizontal) continue;
      measure_labels(*placed, inner_width);
      const bool at_edge = placed->line_fraction <= 0 || placed->line_fraction >= 1;
      if (!at_edge) continue;
      (placed->labels_low ? bottom : top) =
          std::max(placed->labels_low ? bottom : top, placed->label_room());
    }
    frame_.plot = {outer.x + left, outer.y + top, inner_width,
                   std::max(outer.height - top - bottom, 1.0)};
  }

  // ---- plot area and gridlines ----

  void draw_plot_area() {
    const sheet::PlotArea& area = chart_.plot_area;
    content_.rect(frame_.plot, element_fill(area.fill, area.interior, kWhite),
                  border_stroke(area.border, kBlack));
  }

  void line_across(const PlacedAxis& placed, double fraction, const Stroke& stroke) {
    if (placed.horizontal) {
      content_.line(frame_.at(fraction, 0), frame_.at(fraction, 1), stroke);
    } else {
      content_.line(frame_.at(0, fraction), frame_.at(1, fraction), stroke);
    }
  }

  void draw_gridlines() {
    for (const PlacedAxis* placed : placed_axes()) {
      const sheet::Axis& axis = *placed->map.axis;
      if (axis.has_major_gridlines) {
        if (auto stroke = border_stroke(axis.major_gridlines.border, kBlack)) {
          for (double f : placed->map.tick_fractions()) line_across(*placed, f, *stroke);
        }
      }
    }
  }

  // ---- series ----

  // The page position of a value on a group's axes: `along` on the category axis (a category
  // number, or an x value in an XY chart) and `value` on the value axis.
  Point position(std::size_t g, double along, double value) const {
    const AxisMap& c = category_[g]->map;
    const double fc = c.categorical ? c.category_fraction(along) : c.value_fraction(along);
    const double fv = value_[g]->map.value_fraction(value);
    return values_horizontal() ? frame_.at(fv, fc) : frame_.at(fc, fv);
  }

  bool inside(std::size_t g, double along, double value) const {
    const AxisMap& c = category_[g]->map;
    const AxisScale& v = value_[g]->map.scale;
    const double eps = 1e-9 * std::max(1.0, std::abs(v.maximum - v.minimum));
    if (value < v.minimum - eps || value > v.maximum + eps) return false;
    if (!c.categorical) {
      return along >= c.scale.minimum - eps && along <= c.scale.maximum + eps;
    }
    return along >= 1 && along <= c.categories;
  }

  void draw_series() {
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

  std::size_t group_slot(const sheet::Series& series) const {
    return series.axis_group() == AxisGroup::Secondary && value_[1] ? 1 : 0;
  }

  // Where a series' point p (1-based) lies along the category direction.
  double along_of(const sheet::Series& series, const sheet::SeriesPoint& point, int p) const {
    if (!category_[group_slot(series)]->map.categorical) {
      return number(point.x).value_or(p);
    }
    return p;
  }

  void draw_blocks(int index, DisplayList& out) {
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

  void draw_line(int index, DisplayList& out) {
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
        out.rect({m.x - r, m.y - r, kMarkerSize, kMarkerSize}, SolidFill{colour},
                 Stroke{0, colour});
      }
    }
  }

  void draw_error_bars(int index, DisplayList& out) {
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

  // ---- axes ----

  // The axis line's position across the plot for a placed axis.
  Point axis_point(const PlacedAxis& placed, double along) const {
    return placed.horizontal ? frame_.at(along, placed.line_fraction)
                             : frame_.at(placed.line_fraction, along);
  }

  void draw_axes() {
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
  double outward_sign(const PlacedAxis& placed) const {
    // Labels low: left of a vertical axis (x shrinks) or below a horizontal one (y grows).
    if (placed.horizontal) return placed.labels_low ? 1 : -1;
    return placed.labels_low ? -1 : 1;
  }

  void draw_ticks(const PlacedAxis& placed, const std::vector<double>& fractions,
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

  void draw_tick_labels(const PlacedAxis& placed, const Font& font, Colour colour,
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

  // ---- data labels ----

  void draw_data_labels() {
    const Font font = label_font(chart_);
    const Colour colour = label_colour(chart_);
    for (int index = 1; index <= chart_.series_count(); ++index) {
      const auto& series = chart_.series(index);
      const std::size_t g = group_slot(series);
      const ChartType type = chart_.series_type(series);
      const auto points = series.points();
      for (int p = 1; p <= static_cast<int>(points.size()); ++p) {
        const auto text = series.label_text(p);
        if (!text || text->empty()) continue;
        const auto& point = points[static_cast<std::size_t>(p - 1)];
        const auto v = number(point.y);
        if (!v) continue;
        const double along = along_of(series, point, p);
        // A point the axes do not reach shows no label, as the host hides it.
        if (!inside(g, along, *v)) continue;
        const Point at = position(g, along, *v);
        const Size size = measure(*text, font);
        TextCmd t = text_at(*text, font, colour, {}, HAlign::kCentre, VAlign::kCentre);
        switch (type) {
          case ChartType::ColumnClustered: {
            // Outside the end of the column: above it, or below one that hangs down.
            const double base = position(g, along,
                                         std::clamp(0.0, value_[g]->map.scale.minimum,
                                                    value_[g]->map.scale.maximum))
                                    .y;
            const bool up = at.y <= base;
            t.box = {at.x - size.width / 2,
                     up ? at.y - kDataLabelGap - size.height : at.y + kDataLabelGap, size.width,
                     size.height};
            break;
          }
          case ChartType::BarClustered: {
            const double base = position(g, along,
                                         std::clamp(0.0, value_[g]->map.scale.minimum,
                                                    value_[g]->map.scale.maximum))
                                    .x;
            const bool right = at.x >= base;
            t.box = {right ? at.x + kDataLabelGap : at.x - kDataLabelGap - size.width,
                     at.y - size.height / 2, size.width, size.height};
            break;
          }
          case ChartType::LineMarkers:
          case ChartType::XYScatterLinesNoMarkers:
            // To the right of the point.
            t.box = {at.x + kDataLabelGap, at.y - size.height / 2, size.width, size.height};
            break;
        }
        content_.text(std::move(t));
      }
    }
  }

  // ---- titles and legend ----

  TextCmd title_command(const sheet::ChartTitle& title, Point at) const {
    TextCmd t =
        text_at(title.text, chart_font(title.font), palette_or(title.font.color_index, kBlack),
                {at.x, at.y, 0, 0}, HAlign::kLeft, VAlign::kTop);
    switch (title.orientation) {
      case sheet::TextOrientation::Horizontal:
        break;
      case sheet::TextOrientation::Vertical:
        t.flow = TextFlow::kStacked;
        break;
      case sheet::TextOrientation::Upward:
        t.rotation = 90;
        break;
      case sheet::TextOrientation::Downward:
        t.rotation = -90;
        break;
    }
    if (title.horizontal_alignment == sheet::HorizontalAlignment::Center) {
      t.halign = HAlign::kCentre;  // lines centred within the block
    }
    return t;
  }

  void place_title(const sheet::ChartTitle& title, Point automatic) {
    if (title.text.empty()) return;
    const Size s = title_size(title);
    const Point at{title.left.value_or(automatic.x - s.width / 2),
                   title.top.value_or(automatic.y - s.height / 2)};
    TextCmd t = title_command(title, at);
    t.box = {at.x, at.y, s.width, s.height};
    content_.text(std::move(t));
  }

  void draw_titles() {
    if (chart_.has_title()) {
      place_title(chart_.title(),
                  {width_ / 2, kChartPadding + title_size(chart_.title()).height / 2});
    }
    for (const PlacedAxis* placed : placed_axes()) {
      const sheet::Axis& axis = *placed->map.axis;
      if (!axis.has_title) continue;
      const Size s = title_size(axis.title);
      const Rect& p = frame_.plot;
      if (placed->horizontal) {
        place_title(axis.title, {p.centre().x, height_ - kChartPadding - s.height / 2});
      } else {
        place_title(axis.title, {kChartPadding + s.width / 2, p.centre().y});
      }
    }
  }

  std::string series_name(int index) const {
    // The name is the first argument of the series formula: a quoted text or a reference.
    const std::string formula = chart_.series(index).formula();
    std::string name;
    std::size_t i = std::string("=SERIES(").size();
    if (i < formula.size() && formula[i] == '"') {
      for (++i; i < formula.size(); ++i) {
        if (formula[i] == '"') {
          if (i + 1 < formula.size() && formula[i + 1] == '"') {
            name += '"';
            ++i;
          } else {
            break;
          }
        } else {
          name += formula[i];
        }
      }
    } else {
      name = formula.substr(i, formula.find(',', i) - i);
    }
    return name.empty() ? "系列" + std::to_string(index) : name;
  }

  Size legend_size() const {
    const Font font = label_font(chart_);
    Size size{0, 0};
    for (int index = 1; index <= chart_.series_count(); ++index) {
      const Size s = measure(series_name(index), font);
      size.width = std::max(size.width, s.width);
      size.height += std::max(s.height, kLegendKey) + 2;
    }
    size.width += kLegendKey + 3 * kTickLabelGap + 2;
    size.height += 2;
    return size;
  }

  void draw_legend() {
    if (!chart_.has_legend || chart_.series_count() == 0) return;
    const Font font = label_font(chart_);
    const Size size = legend_size();
    const Rect box{width_ - kChartPadding - size.width, (height_ - size.height) / 2, size.width,
                   size.height};
    content_.rect(box, SolidFill{kWhite}, Stroke{0, kBlack});
    double y = box.y + 2;
    for (int index = 1; index <= chart_.series_count(); ++index) {
      const auto& series = chart_.series(index);
      const std::string name = series_name(index);
      const double row = std::max(measure(name, font).height, kLegendKey);
      const Rect key{box.x + kTickLabelGap, y + (row - kLegendKey) / 2, kLegendKey, kLegendKey};
      const ChartType type = chart_.series_type(series);
      if (type == ChartType::ColumnClustered || type == ChartType::BarClustered) {
        content_.rect(key, series_fill(series, index), border_stroke(series.border, kBlack));
      } else if (auto stroke = border_stroke(series.border, automatic_line(index))) {
        content_.line({key.x, key.centre().y}, {key.right(), key.centre().y}, *stroke);
      }
      content_.text(text_at(name, font, label_colour(chart_),
                            {key.right() + kTickLabelGap, y, 0, row}, HAlign::kLeft,
                            VAlign::kCentre));
      y += row + 2;
    }
  }

  const sheet::Chart& chart_;
  double width_;
  double height_;
  DisplayList content_;
  Frame frame_;
  std::array<std::optional<PlacedAxis>, 2> value_;
  std::array<std::optional<PlacedAxis>, 2> category_;
  std::array<std::vector<int>, 2> category_series_;
};

}  // namespace

DisplayList render_chart(const sheet::Chart& chart) {
  return ChartPainter(chart).paint();
}

}  // namespace fb::render
