#include "platform/render/font_subset.h"

#include <cairo-ft.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/render/subset_text_renderer.h"
#include "platform/render/text_layout.h"

namespace fb::render {
namespace {

struct Case {
  Font font;
  std::string text;
};

// Every font a layout's runs use, once each.
std::vector<PangoFont*> fonts_of(PangoLayout* layout) {
  std::vector<PangoFont*> fonts;
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    if (const PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter)) {
      PangoFont* font = run->item->analysis.font;
      if (std::find(fonts.begin(), fonts.end(), font) == fonts.end()) fonts.push_back(font);
    }
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
  return fonts;
}

// The layouts drawn at 3 device pixels a point, turned a little so that no glyph sits on the
// pixel grid, by pango itself or by `subset_text`.
std::vector<unsigned char> pixels(const std::vector<PangoLayout*>& layouts,
                                  SubsetTextRenderer* subset_text) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 900, 130);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, 3, 3);
  cairo_rotate(cr, 0.02);
  double y = 2;
  for (PangoLayout* layout : layouts) {
    cairo_move_to(cr, 4, y);
    if (subset_text != nullptr) {
      subset_text->show(cr, layout);
    } else {
      pango_cairo_show_layout(cr, layout);
    }
    y += 13;
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<unsigned char> out(
      data, data + static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) * 130);
  cairo_surface_destroy(surface);
  return out;
}

TEST(FontSubsetTest, SubsetsDrawTheGlyphsOfTheWholeFonts) {
  const std::vector<Case> cases = {
      {{"宋体", 10.5}, "注塑外壳表面缩痕不良率由0.8%升至3.5%"},
      {{"Arial", 9, true}, "Pareto 80% (n=12) 主原因"},
      {{"Arial", 9, false, true}, "Italic, slanted CJK 机器"},
      {{"宋体", 10, false, false, true}, "带下划线的链接 link"},
      {{"Tahoma", 8}, "מכונה 3 לא יציבה"},  // right to left, the clusters run backwards
      {{"宋体", 9}, "\xEE\x80\x80 no font has U+E000"},
  };
  std::vector<PangoLayout*> layouts;
  FontSubsets fonts;
  for (const Case& c : cases) {
    layouts.push_back(line_layout(c.font, c.text));
    fonts.collect(layouts.back());
  }
  fonts.build();

  // The Chinese and Latin fonts are drawn from subsets holding just the glyphs collected (and
  // the .notdef glyph), not from the whole files.
  int small_fonts = 0;
  for (PangoLayout* layout : layouts) {
    for (PangoFont* font : fonts_of(layout)) {
      const SubsetFont* subset = fonts.find(font);
      if (subset == nullptr) continue;
      cairo_matrix_t size;
      cairo_matrix_t identity;
      cairo_matrix_init_scale(&size, 10, 10);
      cairo_matrix_init_identity(&identity);
      cairo_font_options_t* options = cairo_font_options_create();
      cairo_scaled_font_t* scaled =
          cairo_scaled_font_create(subset->face(), &size, &identity, options);
      cairo_font_options_destroy(options);
      FT_Face face = cairo_ft_scaled_font_lock_face(scaled);
      ASSERT_NE(face, nullptr);
      EXPECT_LT(face->num_glyphs, 64);
      cairo_ft_scaled_font_unlock_face(scaled);
      cairo_scaled_font_destroy(scaled);
      ++small_fonts;
    }
  }
  EXPECT_GE(small_fonts, 4);

  SubsetTextRenderer subset_text(fonts);
  const std::vector<unsigned char> whole = pixels(layouts, nullptr);
  const std::vector<unsigned char> cut = pixels(layouts, &subset_text);
  EXPECT_NE(std::count(whole.begin(), whole.end(), 0), static_cast<long>(whole.size()));
  EXPECT_TRUE(whole == cut) << "a subset drew other pixels than its whole font";
  for (PangoLayout* layout : layouts) g_object_unref(layout);
}

}  // namespace
}  // namespace fb::render
