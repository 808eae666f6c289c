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

// Draws a glyph given as rows of '#' and '.', top-left at (x0, y0), each '#' a square of
// `dot` pixels.
template <std::size_t N>
void draw_glyph(Picture& picture, int x0, int y0, const std::string_view (&rows)[N], Rgba ink,
                int dot = 1) {
  for (std::size_t row = 0; row < N; ++row) {
    for (std::size_t col = 0; col < rows[row].size(); ++col) {
      if (rows[row][col] != '#') continue;
      for (int dy = 0; dy < dot; ++dy) {
        for (int dx = 0; dx < dot; ++dx) {
          picture.set_pixel(x0 + static_cast<int>(col) * dot + dx,
                            y0 + static_cast<int>(row) * dot + dy, ink);
        }
      }
    }
  }
}

// A straight stroke from (ax, ay) to (bx, by) with round ends, every pixel whose centre lies
// within `radius` of the segment.
void draw_segment(Picture& picture, int ax, int ay, int bx, int by, double radius, Rgba ink) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double length2 = dx * dx + dy * dy;
  const int pad = static_cast<int>(std::ceil(radius));
  for (int y = std::min(ay, by) - pad; y <= std::max(ay, by) + pad; ++y) {
    for (int x = std::min(ax, bx) - pad; x <= std::max(ax, bx) + pad; ++x) {
      const double px = x + 0.5 - (ax + 0.5);
      const double py = y + 0.5 - (ay + 0.5);
      const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
      if (std::hypot(px - t * dx, py - t * dy) <= radius) picture.set_pixel(x, y, ink);
    }
  }
}

// A filled box over columns left..right and rows top..bottom (inclusive), corners rounded
// with `corner` pixels.
void fill_rounded_box(Picture& picture, int left, int top, int right, int bottom, int corner,
                      Rgba ink) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const int cx = std::max({0, left + corner - x, x - (right - corner)});
      const int cy = std::max({0, top + corner - y, y - (bottom - corner)});
      if (cx * cx + cy * cy <= corner * corner) picture.set_pixel(x, y, ink);
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

namespace {

Picture draw_product_logo() {
  Picture picture(kLogoWidth, kLogoHeight, kBlack);
  constexpr Rgba kNavy{18, 62, 150, 255};
  constexpr Rgba kSky{52, 120, 200, 255};
  constexpr Rgba kRed{214, 48, 39, 255};
  constexpr int kSpineY = kLogoHeight / 2;
  // Spine running into the problem box, three pairs of bones slanting back from it, each with
  // one small cause bone.
  draw_segment(picture, 10, kSpineY, 172, kSpineY, 3.5, kNavy);
  for (const int root : {62, 107, 152}) {
    for (const int dir : {-1, 1}) {
      const int tip_y = kSpineY + dir * 36;
      draw_segment(picture, root, kSpineY, root - 30, tip_y, 2.5, kNavy);
      const int mid_x = root - 15;
      const int mid_y = kSpineY + dir * 18;
      draw_segment(picture, mid_x, mid_y, mid_x - 18, mid_y, 1.5, kSky);
    }
  }
  fill_rounded_box(picture, 172, kSpineY - 20, 206, kSpineY + 20, 5, kRed);
  static constexpr std::string_view kK[] = {
      "#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#",
  };
  static constexpr std::string_view kW[] = {
      "#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#",
  };
  static constexpr std::string_view k2[] = {
      ".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####",
  };
  constexpr int kDot = 5;
  constexpr int kTop = (kLogoHeight - 7 * kDot) / 2;
  draw_glyph(picture, 216, kTop, kK, kNavy, kDot);
  draw_glyph(picture, 246, kTop, kW, kNavy, kDot);
  draw_glyph(picture, 276, kTop, k2, kNavy, kDot);
  return picture;
}

}  // namespace

Picture product_logo_picture() {
  // Every image list of the editor and the logo file start from it; drawn once.
  static const Picture logo = draw_product_logo();
  return logo;
}

void add_stock_pictures(ImageList& images) {
  images.add(warning_triangle_picture());
  images.add(question_mark_picture());
  images.add_fitted(product_logo_picture());
}

}  // namespace fb::ui
