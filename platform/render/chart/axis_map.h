#pragma once

#include <optional>
#include <vector>

#include "platform/render/chart/axis_scale.h"

namespace fb::sheet {
struct Axis;
}

namespace fb::render {

// Where values of one axis land along its direction, as a fraction of the plot's extent
// (0 at the left or bottom end).
struct AxisMap {
  const sheet::Axis* axis = nullptr;  // null: the chart lacks the axis
  bool categorical = false;
  AxisScale scale;
  int categories = 1;
  bool between = true;
  bool reversed = false;

  double value_fraction(double v) const;
  // Centre of category i (1-based).
  double category_fraction(double i) const;
  double category_width() const;
  // Fractions of the tick marks (and major gridlines) of a category axis.
  std::vector<double> category_ticks() const;
  std::vector<double> tick_fractions() const;
  // Where the crossing axis meets this one, by the crossing axis's own setting of where it
  // crosses (value axes) or where it is crossed (category axes).
  double crossing_fraction() const;
};

// The lowest and highest of the values a group plots on one axis.
struct DataRange {
  std::optional<double> low, high;
  void add(double v);
};

// A value axis (or the x axis of an XY chart) scaled over the data; a missing axis scales
// automatically and is not reversed.
AxisMap value_map(const sheet::Axis* axis, const DataRange& data);

// A category axis of `categories` categories; a missing axis takes `default_between` for whether
// the points sit between the tick marks.
AxisMap category_map(const sheet::Axis* axis, int categories, bool default_between);

}  // namespace fb::render
