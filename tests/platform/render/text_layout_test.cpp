#include "platform/render/text_layout.h"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace fb::render
