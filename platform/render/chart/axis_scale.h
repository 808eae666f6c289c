#pragma once

#include <optional>
#include <vector>

namespace fb::render {

// The span of a value axis and its major unit.
struct AxisScale {
  double minimum = 0;
  double maximum = 1;
  double major_unit = 0.2;

  // The major tick values from the minimum up to the maximum, on multiples of the unit counted
  // from the minimum, free of accumulated rounding.
  std::vector<double> major_ticks() const;
};

// What the axis was told; unset values are automatic.
struct AxisBounds {
  std::optional<double> minimum;
  std::optional<double> maximum;
  std::optional<double> major_unit;
};

// The spreadsheet's automatic scaling of a value axis over data from `data_min` to `data_max`:
// zero is kept as the near end while the data stay on one side of it and span more than a sixth
// of their far end; the unit is the smallest 1, 2 or 5 times a power of ten that divides the span
// into at most eight parts; automatic ends land on a multiple of the unit with at least 5 %
// headroom. Fixed bounds are kept as given. A maximum at or below the minimum (which the host
// corrects the same way) is moved one unit above the minimum. No data at all scales as 0 to 1.
AxisScale automatic_scale(std::optional<double> data_min, std::optional<double> data_max,
                          const AxisBounds& bounds);

}  // namespace fb::render
