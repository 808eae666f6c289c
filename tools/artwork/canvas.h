#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/artwork/palette.h"

namespace fb::artwork {

// A picture being drawn: a cairo image surface (ARGB, transparent at first) and its context,
// with the few shapes and texts the product's pictures are made of.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }

  void Fill(Colour colour, double alpha = 1.0);
  void SetColour(Colour colour, double alpha = 1.0);
  void RoundedRect(double x, double y, double w, double h, double radius);
  void Line(double x1, double y1, double x2, double y2, double width, Colour colour);
  // A vertical gradient over the whole rectangle.
  void VerticalGradient(double x, double y, double w, double h, Colour top, Colour bottom,
                        double radius = 0);

  struct TextStyle {
    std::string family = "Tahoma";
    double size_px = 12;
    bool bold = false;
    Colour colour = kInk;
    int align = 0;       // 0 left, 1 centre, 2 right (within `width`)
    double width = -1;   // wrap width in pixels; -1 no wrapping
    double spacing = 0;  // extra pixels between lines
  };
  // Draws `text` (UTF-8, pango markup allowed when `markup`) with its top-left at (x, y);
  // returns the height of the laid-out text.
  double Text(double x, double y, std::string_view text, const TextStyle& style,
              bool markup = false);
  // The size the text would take.
  std::pair<double, double> Measure(std::string_view text, const TextStyle& style) const;

  // The picture as a PNG file's bytes.
  std::vector<std::uint8_t> Png() const;
  // The pixels as straight (not premultiplied) RGBA, row-major.
  std::vector<std::uint8_t> Rgba() const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Loads the product's font aliases (the same names the reports use); call once before any text.
void LoadFonts();

}  // namespace fb::artwork
