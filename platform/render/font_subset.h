#pragma once

// Fonts cut down to the glyphs one document draws. cairo embeds a subset of every font a PDF
// uses, but to make it, it copies the font's whole outline table into memory; the CJK fonts are
// tens of megabytes, so one page cost more time and memory than the rest of a report. Handing
// cairo a font of a few hundred glyphs instead leaves it that much less to copy.

#include <cairo.h>
#include <harfbuzz/hb.h>
#include <pango/pango.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace fb::render {

// A small font standing in for a large one: its cairo face and where each of the large font's
// glyphs went in it.
class SubsetFont {
 public:
  SubsetFont(cairo_font_face_t* face, std::unordered_map<std::uint32_t, std::uint32_t> glyphs);
  ~SubsetFont();
  SubsetFont(const SubsetFont&) = delete;
  SubsetFont& operator=(const SubsetFont&) = delete;

  cairo_font_face_t* face() const { return face_; }
  // The glyph's index in the subset; false for a glyph that was not collected.
  bool glyph(std::uint32_t original, std::uint32_t& subset) const;

 private:
  cairo_font_face_t* face_;
  std::unordered_map<std::uint32_t, std::uint32_t> glyphs_;
};

// Collects what a document's layouts draw, then makes one subset per font file and face.
class FontSubsets {
 public:
  FontSubsets();
  ~FontSubsets();
  FontSubsets(const FontSubsets&) = delete;
  FontSubsets& operator=(const FontSubsets&) = delete;

  // Notes every glyph and character of the layout's runs.
  void collect(PangoLayout* layout);
  // Makes the subsets; collecting afterwards is an error. A font that is not cut down (colour,
  // bitmap and variable fonts, a font the subsetter or FreeType refuses) gets none, and neither
  // does a font the font machinery makes bold.
  void build();
  // The subset drawn in place of `font`, or null: then the font is drawn as it is.
  const SubsetFont* find(PangoFont* font) const;

 private:
  struct Collected;
  std::unordered_map<hb_face_t*, std::unique_ptr<Collected>> collected_;
  std::unordered_map<hb_face_t*, std::unique_ptr<SubsetFont>> subsets_;
  bool built_ = false;
};

}  // namespace fb::render
