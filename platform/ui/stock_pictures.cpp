#include "platform/ui/stock_pictures.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace fb::ui {

namespace {

constexpr int kSize = kStockPictureSize;
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

// Signed distance from point p to the line a→b (positive on the left).
double side(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  return ((px - ax) * dy - (py - ay) * dx) / std::hypot(dx, dy);
}

// Draws a glyph given as rows of '#' and '.', top-left at (x0, y0).
template <std::size_t N>
void draw_glyph(Picture& picture, int x0, int y0, const std::string_view (&rows)[N], Rgba ink) {
  for (std::size_t row = 0; row < N; ++row) {
    for (std::size_t col = 0; col < rows[row].size(); ++col) {
      if (rows[row][col] == '#') {
        picture.set_pixel(x0 + static_cast<int>(col), y0 + static_cast<int>(row), ink);
      }
    }
  }
}

}  // namespace

Picture warning_triangle_picture() {
  Picture picture(kSize, kSize);
  constexpr Rgba kYellow{255, 210, 0, 255};
  constexpr Rgba kEdge{150, 105, 0, 255};
  // Triangle, counter-clockwise in picture coordinates: apex top, base at the bottom.
  const double ax = 11.0, ay = 1.0, bx = 0.5, by = 20.5, cx = 21.5, cy = 20.5;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      const double d1 = side(px, py, ax, ay, bx, by);
      const double d2 = side(px, py, bx, by, cx, cy);
      const double d3 = side(px, py, cx, cy, ax, ay);
      const bool inside = (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
      if (!inside) continue;
      const double edge = std::min({std::abs(d1), std::abs(d2), std::abs(d3)});
      picture.set_pixel(x, y, edge < 1.2 ? kEdge : kYellow);
    }
  }
  static constexpr std::string_view kMark[] = {
      "##", "##", "##", "##", "##", "##", "##", "..", "##", "##",
  };
  draw_glyph(picture, 10, 8, kMark, kBlack);
  return picture;
}

Picture question_mark_picture() {
  Picture picture(kSize, kSize);
  constexpr Rgba kGreen{30, 160, 60, 255};
  constexpr Rgba kEdge{0, 100, 30, 255};
  const double centre = kSize / 2.0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      if (r <= 10.5) picture.set_pixel(x, y, r > 9.3 ? kEdge : kGreen);
    }
  }
  static constexpr std::string_view kMark[] = {
      ".#####.", "##...##", "##...##", ".....##", "....##.",
      "...##..", "...##..", ".......", "...##..", "...##..",
  };
  draw_glyph(picture, 7, 6, kMark, kWhite);
  return picture;
}

Picture product_logo_picture() {
  Picture picture(kSize, kSize);
  constexpr Rgba kBlue{0, 84, 166, 255};
  // Rounded square.
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int dx = std::max({0, 3 - x, x - (kSize - 4)});
      const int dy = std::max({0, 3 - y, y - (kSize - 4)});
      if (dx * dx + dy * dy <= 9) picture.set_pixel(x, y, kBlue);
    }
  }
  // Fishbone: a spine running into the problem box at the right, two pairs of bones slanting
  // back from the spine.
  for (int x = 2; x <= 15; ++x) {
    picture.set_pixel(x, 10, kWhite);
    picture.set_pixel(x, 11, kWhite);
  }
  for (int y = 6; y <= 15; ++y) {
    for (int x = 16; x <= 19; ++x) picture.set_pixel(x, y, kWhite);
  }
  for (const int root : {7, 13}) {
    for (int k = 1; k <= 5; ++k) {
      for (const int w : {0, 1}) {
        picture.set_pixel(root - k + w, 10 - k, kWhite);
        picture.set_pixel(root - k + w, 11 + k, kWhite);
      }
    }
  }
  return picture;
}

void add_stock_pictures(ImageList& images) {
  images.add(warning_triangle_picture());
  images.add(question_mark_picture());
  images.add(product_logo_picture());
}

}  // namespace fb::ui
