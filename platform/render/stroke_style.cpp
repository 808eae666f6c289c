#include "platform/render/stroke_style.h"

#include <algorithm>

namespace fb::render {

std::vector<double> dash_lengths(Dash dash, double width) {
  // Very thin lines still get dashes a reader can see.
  const double unit = std::max(width, 0.75);
  switch (dash) {
    case Dash::kSolid:
      return {};
    case Dash::kDash:
      return {4 * unit, 3 * unit};
    case Dash::kDot:
      return {unit, unit};
    case Dash::kDashDot:
      return {4 * unit, 3 * unit, unit, 3 * unit};
    case Dash::kDashDotDot:
      return {4 * unit, 3 * unit, unit, 3 * unit, unit, 3 * unit};
    case Dash::kLongDash:
      return {8 * unit, 3 * unit};
  }
  return {};
}

}  // namespace fb::render
