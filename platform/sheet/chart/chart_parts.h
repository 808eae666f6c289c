#pragma once

#include <optional>
#include <string>

#include "platform/sheet/cell_format.h"
#include "platform/sheet/chart/chart_enums.h"
#include "platform/sheet/chart/chart_format.h"
#include "platform/sheet/enums.h"

namespace fb::sheet {

// A chart title or an axis title. Titles come out bold unless told otherwise, as the host makes
// them.
struct ChartTitle {
  std::string text;
  HorizontalAlignment horizontal_alignment = HorizontalAlignment::Center;
  VerticalAlignment vertical_alignment = VerticalAlignment::Center;
  ReadingOrder reading_order = ReadingOrder::Context;
  TextOrientation orientation = TextOrientation::Horizontal;
  bool auto_scale_font = true;
  ChartFont font{"Arial", 10, true, kColorIndexAutomatic};
  // Position inside the chart area in points; unset: where the host lays the title out.
  std::optional<double> left;
  std::optional<double> top;
};

struct Gridlines {
  ChartBorder border;
};

// One axis of a chart. Unset scale values are automatic.
struct Axis {
  AxisType type = AxisType::ValueAxis;
  AxisGroup group = AxisGroup::Primary;

  std::optional<double> minimum;
  std::optional<double> maximum;
  std::optional<double> major_unit;
  std::optional<double> minor_unit;
  AxisCrosses crosses = AxisCrosses::Automatic;
  std::optional<double> crosses_at;
  ScaleType scale_type = ScaleType::Linear;
  DisplayUnit display_unit = DisplayUnit::None;
  bool reverse_plot_order = false;
  CategoryType category_type = CategoryType::Automatic;
  bool axis_between_categories = true;
  int tick_label_spacing = 1;
  int tick_mark_spacing = 1;

  TickMark major_tick_mark = TickMark::Outside;
  TickMark minor_tick_mark = TickMark::None;
  TickLabelPosition tick_label_position = TickLabelPosition::NextToAxis;
  std::string tick_label_number_format = "General";
  ChartBorder border;

  bool has_major_gridlines = false;
  bool has_minor_gridlines = false;
  Gridlines major_gridlines;
  Gridlines minor_gridlines;

  bool has_title = false;
  ChartTitle title;

  // MinimumScale and friends set the value and leave automatic scaling.
  void set_minimum(double value) { minimum = value; }
  void set_maximum(double value) { maximum = value; }
};

// Format of the series of one chart type on one axis group.
struct ChartGroup {
  int overlap = 0;
  int gap_width = 150;
  bool has_series_lines = false;
  bool vary_by_categories = false;
};

struct PlotArea {
  std::optional<double> left;
  std::optional<double> top;
  std::optional<double> width;
  std::optional<double> height;
  ChartBorder border{kColorIndexAutomatic, BorderWeight::Hairline, ChartLineStyle::NoLine};
  Interior interior;
  FillFormat fill;
};

struct ChartArea {
  ChartBorder border;
  Interior interior{2, Pattern::Solid, kColorIndexAutomatic};
  FillFormat fill;
  ChartFont font;
  bool auto_scale_font = true;
};

}  // namespace fb::sheet
