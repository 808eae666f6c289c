#include "platform/render/text_layout.h"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "platform/render/font_setup.h"

namespace fb::render {
namespace {

// The advances as pango states them one index at a time: the definition the walk must keep.
std::vector<double> advances_by_position(const Font& font, const std::string& text) {
  PangoLayout* layout = pango_layout_new(text_context());
  PangoFontDescription* description = font_description(font);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  std::vector<double> out;
  for (const char* p = text.c_str(); *p != '\0'; p = g_utf8_next_char(p)) {
    PangoRectangle position;
    pango_layout_index_to_pos(layout, static_cast<int>(p - text.c_str()), &position);
    out.push_back(std::abs(static_cast<double>(position.width) / PANGO_SCALE));
  }
  g_object_unref(layout);
  return out;
}

TEST(TextLayoutTest, CharacterAdvancesAgreeWithPangoPositionByPosition) {
  const Font arial{"Arial", 9};
  const Font song{"宋体", 10.5, true};
  const struct {
    Font font;
    std::string text;
  } cases[] = {
      {arial, "Pareto 80% (n=12)"},
      {song, "注塑外壳表面缩痕不良率由0.8%升至3.5%"},
      {arial, "מכונה 3 לא יציבה"},  // right to left with a number inside
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(character_advances(c.font, c.text), advances_by_position(c.font, c.text));
  }
}

TEST(TextLayoutTest, CharactersOfOneClusterShareItsWidth) {
  // An emoji with a skin-tone modifier is one cluster of two code points. Asked position by
  // position, pango gives each the whole cluster's width, which would draw the line too wide;
  // the advances split it, so they add up to the line's width.
  const Font font{"宋体", 10.5};
  TextCmd text;
  text.font = font;
  text.text = "😀 A 👍🏽 emoji";
  const std::vector<double> advances = character_advances(font, text.text);
  ASSERT_EQ(advances.size(), 12u);  // one per code point
  const double sum = std::accumulate(advances.begin(), advances.end(), 0.0);
  EXPECT_NEAR(sum, layout_text(text).lines.at(0).width, 1e-9);
  EXPECT_EQ(advances[4], advances[5]);  // 👍 and its modifier
}

TEST(TextLayoutTest, LongCaptionGetsOneAdvancePerCharacter) {
  // A caption far beyond anything the layout shows, as a careless paste makes one.
  const Font font{"宋体", 10.5};
  const double one = character_advances(font, "字").at(0);
  ASSERT_GT(one, 0);
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "字";
  const std::vector<double> advances = character_advances(font, text);
  ASSERT_EQ(advances.size(), 100000u);
  EXPECT_EQ(std::count(advances.begin(), advances.end(), one), 100000);
}

// The layout's own small font set chooses the faces the process's whole configuration chooses,
// for every script and emoji the product's families cover: same faces, same widths.
TEST(TextFontsTest, TheSmallFontSetLaysTextOutAsTheWholeConfigurationDoes) {
  load_product_fonts();
  PangoFontMap* whole = pango_cairo_font_map_new();
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(whole), FcConfigGetCurrent());
  PangoContext* reference = pango_font_map_create_context(whole);
  pango_cairo_context_set_resolution(reference, 72.0);
  pango_cairo_context_set_font_options(reference,
                                       pango_cairo_context_get_font_options(text_context()));
  pango_context_set_language(reference, pango_language_from_string("zh-cn"));
  const char* texts[] = {"注塑外壳表面缩痕", "Why Tree / Cause",   "温度 😀 ✓ ☃",
                         "שלום مرحبا",       "Ελληνικά кириллица", "50% 1e5 =SUM("};
  const char* families[] = {"仿宋_GB2312", "宋体", "黑体", "Arial", "Tahoma", "Arial Unicode MS"};
  for (const char* family : families) {
    for (const char* text : texts) {
      const Font font{family, 9, false, false, false};
      auto layout_in = [&](PangoContext* context) {
        PangoLayout* layout = pango_layout_new(context);
        PangoFontDescription* description = font_description(font);
        pango_layout_set_font_description(layout, description);
        pango_font_description_free(description);
        pango_layout_set_text(layout, text, -1);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        std::string faces;
        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        do {
          if (PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter)) {
            PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
            faces += pango_font_description_get_family(used);
            faces += ';';
            pango_font_description_free(used);
          }
        } while (pango_layout_iter_next_run(iter));
        pango_layout_iter_free(iter);
        g_object_unref(layout);
        return std::make_pair(logical.width, faces);
      };
      EXPECT_EQ(layout_in(text_context()), layout_in(reference)) << family << " " << text;
    }
  }
  g_object_unref(reference);
  g_object_unref(whole);
}

}  // namespace
}  // namespace fb::render
