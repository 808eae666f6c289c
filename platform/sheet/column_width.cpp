#include "platform/sheet/column_width.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace fb::sheet {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Widest digit as a share of the font's em, for the fonts in use; digits of the Chinese fonts
// are half-width.
double digit_share_of_em(std::string_view name) {
  struct Share {
    std::string_view name;
    double share;
  };
  static constexpr Share kShares[] = {
      {"宋体", 0.5},
      {"新宋体", 0.5},
      {"SimSun", 0.5},
      {"仿宋_GB2312", 0.5},
      {"黑体", 0.5},
      {"Arial", 0.556},
      {"Arial Unicode MS", 0.556},
      {"Calibri", 0.507},
      {"Tahoma", 0.546},
      {"Times New Roman", 0.5},
  };
  for (const auto& s : kShares) {
    if (s.name == name) return s.share;
  }
  return 0.55;
}

int padding_pixels(int digit) {
  return 2 * ((digit + 3) / 4) + 1;
}

}  // namespace

int max_digit_width_pixels(const Font& font) {
  const double em = font.size * kPixelsPerPoint;
  return std::max(1, static_cast<int>(std::lround(em * digit_share_of_em(font.name))));
}

int column_padding_pixels(const Font& standard_font) {
  return padding_pixels(max_digit_width_pixels(standard_font));
}

int column_width_pixels(double characters, const Font& standard_font) {
  if (characters <= 0) return 0;
  const int digit = max_digit_width_pixels(standard_font);
  const double rounding = std::trunc(128.0 / digit);
  const auto digits = static_cast<int>(std::trunc((256.0 * characters + rounding) / 256.0 * digit));
  return digits + padding_pixels(digit);
}

double column_width_points(double characters, const Font& standard_font) {
  return column_width_pixels(characters, standard_font) / kPixelsPerPoint;
}

double standard_column_width(int default_characters, const Font& standard_font) {
  const int digit = max_digit_width_pixels(standard_font);
  const int padding = padding_pixels(digit);
  int pixels = default_characters * digit + padding;
  pixels = (pixels + 7) / 8 * 8;
  const double characters = static_cast<double>(pixels - padding) / digit;
  return std::round(characters * 100.0) / 100.0;
}

}  // namespace fb::sheet
