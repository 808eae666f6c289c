#pragma once

// Draws pango layouts as pango's own cairo renderer does (the same glyphs at the same places,
// with their text for search and copy, and the same underlines), but with the glyphs taken from
// the small fonts of a FontSubsets, so that a PDF embeds those instead of the whole font files.

#include <unordered_map>

#include "platform/render/font_subset.h"

namespace fb::render {

class SubsetTextRenderer {
 public:
  // `fonts` must be built and outlive the renderer.
  explicit SubsetTextRenderer(const FontSubsets& fonts);
  ~SubsetTextRenderer();
  SubsetTextRenderer(const SubsetTextRenderer&) = delete;
  SubsetTextRenderer& operator=(const SubsetTextRenderer&) = delete;

  // Draws `layout` with its top-left at the current point, which it leaves as it was.
  void show(cairo_t* cr, PangoLayout* layout);

  // Pango's renderer calls these back: a run with its text, glyphs without (drawn with their
  // whole font), the rectangle of an underline.
  void draw_run(const char* text, PangoGlyphItem* run, int x, int y);
  void draw_whole(PangoFont* font, PangoGlyphString* glyphs, int x, int y);
  void draw_rectangle(int x, int y, int width, int height);

 private:
  cairo_scaled_font_t* scaled_font(PangoFont* font, const SubsetFont& subset);

  const FontSubsets& fonts_;
  PangoRenderer* renderer_;
  std::unordered_map<PangoFont*, cairo_scaled_font_t*> scaled_fonts_;
  cairo_t* cr_ = nullptr;
  double x_offset_ = 0;
  double y_offset_ = 0;
};

}  // namespace fb::render
