#include "platform/render/chart/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace fb::render {
namespace {

constexpr double kMaxDivisions = 8;
constexpr double kHeadroom = 0.05;

double nice_unit(double span) {
  if (!(span > 0)) return 1;
  const double decade = std::pow(10.0, std::floor(std::log10(span / kMaxDivisions)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (step * decade) <= kMaxDivisions + 1e-9) return step * decade;
  }
  return 10 * decade;
}

// The value rounded to twelve significant digits, which drops the noise of adding units
// (0.2 * 3 is 0.6, not 0.6000000000000001).
double cleaned(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double scale = std::pow(10.0, 12 - std::floor(std::log10(std::abs(value))));
  return std::round(value * scale) / scale;
}

}  // namespace

std::vector<double> AxisScale::major_ticks() const {
  std::vector<double> ticks;
  if (!(major_unit > 0) || !(maximum > minimum)) return ticks;
  const double count = std::floor((maximum - minimum) / major_unit + 1e-9);
  for (int i = 0; i <= static_cast<int>(count); ++i) {
    const double value = minimum + i * major_unit;
    ticks.push_back(std::abs(value) < major_unit * 1e-9 ? 0.0 : cleaned(value));
  }
  return ticks;
}

AxisScale automatic_scale(std::optional<double> data_min, std::optional<double> data_max,
                          const AxisBounds& bounds) {
  double low = data_min.value_or(0);
  double high = data_max.value_or(data_min ? low : 1);
  if (!data_min && !data_max && !bounds.minimum && !bounds.maximum) {
    return {0, 1, bounds.major_unit.value_or(0.2)};
  }
  if (low > high) std::swap(low, high);

  // The near end of automatic scaling: zero when the data keep to one side of it.
  double near_low = low;
  double near_high = high;
  if (low >= 0 && (high == 0 || low < high * 5.0 / 6.0)) near_low = 0;
  if (high <= 0 && (low == 0 || high > low * 5.0 / 6.0)) near_high = 0;

  const double from = bounds.minimum.value_or(near_low);
  const double to = bounds.maximum.value_or(near_high);
  const double data_span = std::max(to - from, 0.0);
  const double headroom = (bounds.minimum && bounds.maximum) ? 0 : data_span * kHeadroom;
  double unit = bounds.major_unit.value_or(nice_unit(data_span + headroom));
  if (!(unit > 0)) unit = nice_unit(data_span + headroom);

  AxisScale scale;
  scale.major_unit = unit;
  if (bounds.minimum) {
    scale.minimum = *bounds.minimum;
  } else if (near_low == 0 && low >= 0) {
    scale.minimum = 0;
  } else {
    scale.minimum = std::floor((low - data_span * kHeadroom) / unit) * unit;
  }
  if (bounds.maximum) {
    scale.maximum = *bounds.maximum;
  } else if (near_high == 0 && high <= 0) {
    scale.maximum = 0;
  } else {
    scale.maximum = std::ceil((high + data_span * kHeadroom) / unit - 1e-9) * unit;
  }
  scale.minimum = cleaned(scale.minimum);
  scale.maximum = cleaned(scale.maximum);
  if (scale.maximum <= scale.minimum) scale.maximum = scale.minimum + unit;
  return scale;
}

}  // namespace fb::render
