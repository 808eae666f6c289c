#pragma once

// The state one chart's painting shares between the files that draw its parts, and the helpers
// they share. Private to this folder: the rest of the system sees render_chart only.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/render/chart/axis_map.h"
#include "platform/render/display_list.h"
#include "platform/sheet/chart/chart.h"

namespace fb::render::chart_painting {

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

// Runs of categories one outer label spans: it starts at a non-empty text and runs to the next.
struct Span {
  int first = 0;  // 0-based
  int last = 0;
  std::string text;
};
std::vector<Span> spans_of(const std::vector<std::string>& level, bool innermost);

// The host's automatic series colours: fills from palette entry 17 on, lines from 25 on.
Colour automatic_fill(int series_index);
Colour automatic_line(int series_index);
// A series that was given neither a fill nor an interior takes its automatic colour.
Fill series_fill(const sheet::Series& series, int index);

std::optional<double> number(const sheet::Value& value);
bool is_xy(sheet::ChartType type);

Font label_font(const sheet::Chart& chart);
Colour label_colour(const sheet::Chart& chart);
TextCmd text_at(std::string text, const Font& font, Colour colour, Rect box, HAlign h, VAlign v);
Size measure(const std::string& text, const Font& font, std::optional<double> wrap_width = {});

// Paints one chart: build the axes, lay out the plot, then draw its parts in the host's order
// (chart_renderer.cpp). Each part's drawing lives in the file named beside it.
class ChartPainter {
 public:
  explicit ChartPainter(const sheet::Chart& chart);
  DisplayList paint();

 private:
  // What every part asks of the axes (chart_painter.cpp).
  bool values_horizontal() const;
  const sheet::Axis* axis_or_null(sheet::AxisType type, sheet::AxisGroup group) const;
  std::vector<PlacedAxis*> placed_axes();
  std::size_t group_slot(const sheet::Series& series) const;
  // Where a series' point p (1-based) lies along the category direction.
  double along_of(const sheet::Series& series, const sheet::SeriesPoint& point, int p) const;
  // The page position of a value on a group's axes: `along` on the category axis (a category
  // number, or an x value in an XY chart) and `value` on the value axis.
  Point position(std::size_t g, double along, double value) const;
  bool inside(std::size_t g, double along, double value) const;

  // Axes and plot layout (plot_layout.cpp).
  void build_axes();
  void fill_tick_texts(PlacedAxis& placed, std::optional<std::size_t> category_group);
  void measure_labels(PlacedAxis& placed, double along_length);
  void layout();

  // Plot area, gridlines, axis lines, tick marks and tick labels (axis_drawing.cpp).
  void draw_plot_area();
  void line_across(const PlacedAxis& placed, double fraction, const Stroke& stroke);
  void draw_gridlines();
  Point axis_point(const PlacedAxis& placed, double along) const;
  void draw_axes();
  double outward_sign(const PlacedAxis& placed) const;
  void draw_ticks(const PlacedAxis& placed, const std::vector<double>& fractions,
                  sheet::TickMark mark, const Stroke& stroke);
  void draw_tick_labels(const PlacedAxis& placed, const Font& font, Colour colour,
                        const Stroke& stroke);

  // Series: columns and bars, lines with their markers, error bars (series_drawing.cpp).
  void draw_series();
  void draw_blocks(int index, DisplayList& out);
  void draw_line(int index, DisplayList& out);
  void draw_error_bars(int index, DisplayList& out);

  // Data labels, titles and legend (chart_labels.cpp).
  void draw_data_labels();
  TextCmd title_command(const sheet::ChartTitle& title, Point at) const;
  Size title_size(const sheet::ChartTitle& title) const;
  void place_title(const sheet::ChartTitle& title, Point automatic);
  void draw_titles();
  std::string series_name(int index) const;
  Size legend_size() const;
  void draw_legend();

  const sheet::Chart& chart_;
  double width_;
  double height_;
  DisplayList content_;
  Frame frame_;
  std::array<std::optional<PlacedAxis>, 2> value_;
  std::array<std::optional<PlacedAxis>, 2> category_;
  std::array<std::vector<int>, 2> category_series_;
};

}  // namespace fb::render::chart_painting
