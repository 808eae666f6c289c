#include "platform/render/chart/axis_map.h"

#include <algorithm>

#include "platform/sheet/chart/chart.h"

namespace fb::render {

double AxisMap::value_fraction(double v) const {
  const double f = (v - scale.minimum) / (scale.maximum - scale.minimum);
  return reversed ? 1 - f : f;
}

double AxisMap::category_fraction(double i) const {
  double f = 0.5;
  if (between) {
    f = (i - 0.5) / categories;
  } else if (categories > 1) {
    f = (i - 1) / (categories - 1);
  }
  return reversed ? 1 - f : f;
}

double AxisMap::category_width() const {
  return 1.0 / std::max(categories, 1);
}

std::vector<double> AxisMap::category_ticks() const {
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

std::vector<double> AxisMap::tick_fractions() const {
  if (categorical) return category_ticks();
  std::vector<double> out;
  for (double v : scale.major_ticks()) out.push_back(value_fraction(v));
  return out;
}

double AxisMap::crossing_fraction() const {
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

void DataRange::add(double v) {
  low = low ? std::min(*low, v) : v;
  high = high ? std::max(*high, v) : v;
}

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

}  // namespace fb::render
