#include <cmath>

#include "tools/artwork/canvas.h"
#include "tools/artwork/pictures.h"

namespace fb::artwork {
namespace {

// The product's mark: a fishbone running into the red problem box, on a navy tile. Also the
// welcome window's badge, at another size.
void DrawMark(Canvas& c, double size) {
  const double s = size / 32.0;
  cairo_t* cr = c.cr();
  c.VerticalGradient(0.5 * s, 0.5 * s, 31 * s, 31 * s, kSky, kNavy, 6 * s);
  const double spine_y = 16 * s;
  c.Line(5 * s, spine_y, 21 * s, spine_y, 2.2 * s, kPaper);
  for (const double root : {11.0, 17.0}) {
    c.Line(root * s, spine_y, (root - 4.5) * s, spine_y - 7 * s, 1.6 * s, kPaper);
    c.Line(root * s, spine_y, (root - 4.5) * s, spine_y + 7 * s, 1.6 * s, kPaper);
  }
  c.SetColour(kRed);
  c.RoundedRect(21 * s, 10.5 * s, 7.5 * s, 11 * s, 1.8 * s);
  cairo_fill_preserve(cr);
  c.SetColour(kPaper);
  cairo_set_line_width(cr, 1.0 * s);
  cairo_stroke(cr);
}

ArtFile WindowIcon() {
  Canvas c(32, 32);
  DrawMark(c, 32);
  return {"work_icon.png", c.Png()};
}

// Image1: a small cause tree, the main problem on the left and causes branching off it.
ArtFile TreeIcon() {
  Canvas c(31, 24);
  cairo_t* cr = c.cr();
  const double nodes[][2] = {{21, 4.5}, {21, 12}, {21, 19.5}};
  for (const auto& node : nodes) {
    c.Line(8, 12, 13, 12, 1.4, kMutedInk);
    c.Line(13, 12, 13, node[1], 1.4, kMutedInk);
    c.Line(13, node[1], node[0], node[1], 1.4, kMutedInk);
  }
  c.SetColour(kRed);
  c.RoundedRect(1.5, 7.5, 8, 9, 1.5);
  cairo_fill(cr);
  for (const auto& node : nodes) {
    c.SetColour(kGreen);
    cairo_arc(cr, node[0] + 3.5, node[1], 3.6, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  return {"tree_icon.png", c.Png()};
}

// Image2: a pencil, writing down and to the left.
ArtFile Pencil() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  cairo_translate(cr, 8, 8);
  cairo_rotate(cr, M_PI / 4);
  c.SetColour(kYellow);
  cairo_rectangle(cr, -2.6, -7.5, 5.2, 10.5);
  cairo_fill(cr);
  c.SetColour(kAmber);
  cairo_set_line_width(cr, 0.8);
  cairo_rectangle(cr, -2.6, -7.5, 5.2, 10.5);
  cairo_stroke(cr);
  c.SetColour(kRed);
  cairo_rectangle(cr, -2.6, -7.9, 5.2, 2.2);
  cairo_fill(cr);
  c.SetColour(Rgb(236, 208, 160));
  cairo_move_to(cr, -2.6, 3);
  cairo_line_to(cr, 2.6, 3);
  cairo_line_to(cr, 0, 7.6);
  cairo_close_path(cr);
  cairo_fill(cr);
  c.SetColour(kInk);
  cairo_move_to(cr, -0.9, 6.0);
  cairo_line_to(cr, 0.9, 6.0);
  cairo_line_to(cr, 0, 7.6);
  cairo_close_path(cr);
  cairo_fill(cr);
  return {"pencil.png", c.Png()};
}

// Image3: a signpost. Its board sits behind the settings button, its post runs down beside the
// notes and the settings panel to a little ground at the foot.
ArtFile Signpost() {
  Canvas c(92, 303);
  cairo_t* cr = c.cr();
  // Ground.
  c.SetColour(Rgb(196, 214, 168));
  cairo_save(cr);
  cairo_scale(cr, 1, 0.35);
  cairo_arc(cr, 13, 296 / 0.35, 12, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
  // Post.
  c.VerticalGradient(8, 20, 9, 278, kWood, kDarkWood, 1.5);
  c.SetColour(kDarkWood);
  cairo_rectangle(cr, 8, 20, 1, 278);
  cairo_fill(cr);
  // Board: an arrow pointing right, navy with a light rim.
  auto board = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, 78, 2);
    cairo_line_to(cr, 90, 18);
    cairo_line_to(cr, 78, 34);
    cairo_line_to(cr, 2, 34);
    cairo_close_path(cr);
  };
  board();
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 2, 0, 34);
  cairo_pattern_add_color_stop_rgb(fill, 0, kSky.r, kSky.g, kSky.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, kNavy.r, kNavy.g, kNavy.b);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  c.SetColour(kPaper, 0.85);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Bolts where the board meets the post.
  for (const double y : {10.0, 26.0}) {
    c.SetColour(kPaper);
    cairo_arc(cr, 12.5, y, 1.6, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  return {"signpost.png", c.Png()};
}

// Image4, before the cause count: a red disc with a white arrow.
ArtFile CountArrow() {
  Canvas c(18, 18);
  cairo_t* cr = c.cr();
  c.SetColour(kRed);
  cairo_arc(cr, 9, 9, 8, 0, 2 * M_PI);
  cairo_fill(cr);
  c.SetColour(kPaper);
  cairo_move_to(cr, 5, 7.3);
  cairo_line_to(cr, 9, 7.3);
  cairo_line_to(cr, 9, 4.5);
  cairo_line_to(cr, 13.5, 9);
  cairo_line_to(cr, 9, 13.5);
  cairo_line_to(cr, 9, 10.7);
  cairo_line_to(cr, 5, 10.7);
  cairo_close_path(cr);
  cairo_fill(cr);
  return {"count_arrow.png", c.Png()};
}

// ButtonCm7's arrow: a small signpost arrow before "鱼骨图设置".
ArtFile SettingsArrow() {
  Canvas c(12, 12);
  cairo_t* cr = c.cr();
  c.SetColour(kNavy);
  cairo_move_to(cr, 1, 3.5);
  cairo_line_to(cr, 7, 3.5);
  cairo_line_to(cr, 11, 6);
  cairo_line_to(cr, 7, 8.5);
  cairo_line_to(cr, 1, 8.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  return {"settings_arrow.png", c.Png()};
}

// Image5: the notes on the tree's limits and the recommended sizes, on a note card.
ArtFile Notes() {
  Canvas c(201, 231);
  cairo_t* cr = c.cr();
  c.SetColour(Rgb(0, 0, 0), 0.10);
  c.RoundedRect(2.5, 2.5, 198, 228, 5);
  cairo_fill(cr);
  c.SetColour(Rgb(255, 251, 228));
  c.RoundedRect(0.5, 0.5, 197, 227, 5);
  cairo_fill_preserve(cr);
  c.SetColour(Rgb(214, 190, 120));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Heading band.
  c.SetColour(kYellow, 0.55);
  c.RoundedRect(1, 1, 196, 24, 4.5);
  cairo_fill(cr);
  Canvas::TextStyle heading{"Tahoma", 13, true, kNavy};
  c.Text(10, 4, "特别说明", heading);

  Canvas::TextStyle section{"Tahoma", 12, true, kRed};
  Canvas::TextStyle body{"Tahoma", 12, false, kInk};
  body.width = 178;
  // Fixed line steps: the CJK face's own line height would not leave room for every line.
  constexpr double kSectionStep = 19;
  constexpr double kLineStep = 16.5;
  double y = 30;
  c.Text(10, y, "问题树的限制", section);
  y += kSectionStep;
  for (const char* line :
       {"• 原因最多 5 层", "• 原因总数最多 50 个", "• 同一节点下最多 9 个子节点"}) {
    c.Text(12, y, line, body);
    y += kLineStep;
  }
  y += 5;
  c.Text(10, y, "建议（鱼骨图更清晰）", section);
  y += kSectionStep;
  for (const char* line : {"• 第 1 层（主原因）≤ 6 个", "• 第 2 层 ≤ 7 个", "• 第 3 层 ≤ 5 个",
                           "• 第 4 层、第 5 层 ≤ 3 个"}) {
    c.Text(12, y, line, body);
    y += kLineStep;
  }
  y += 6;
  Canvas::TextStyle hint{"Tahoma", 11, false, kMutedInk};
  c.Text(10, y, "达到限制后不能再添加节点。", hint);
  return {"notes.png", c.Png()};
}

// Image7: the caption of the cause count, with a white box left open for the number, which the
// label Label3 shows at pixels 108 to 126 of the picture.
ArtFile CauseCountCaption() {
  Canvas c(161, 23);
  cairo_t* cr = c.cr();
  Canvas::TextStyle text{"Tahoma", 12, true, kInk};
  const double text_height = c.Measure("原因总数", text).second;
  c.Text(4, (23 - text_height) / 2, "当前原因总数：", text);
  c.SetColour(kPaper);
  c.RoundedRect(105.5, 1.5, 24, 20, 3);
  cairo_fill_preserve(cr);
  c.SetColour(Rgb(160, 168, 184));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Canvas::TextStyle limit{"Tahoma", 12, false, kMutedInk};
  c.Text(133, (23 - text_height) / 2, "/ 50", limit);
  return {"cause_count.png", c.Png()};
}

// The About and Help buttons carry a picture and no caption: an icon and the word, normal and
// under the pointer.
ArtFile FaceButton(const char* name, const char* word, bool hover, bool help) {
  Canvas c(68, 22);
  cairo_t* cr = c.cr();
  const Colour disc = hover ? kSky : kNavy;
  c.SetColour(disc);
  cairo_arc(cr, 14, 11, 8, 0, 2 * M_PI);
  cairo_fill(cr);
  Canvas::TextStyle glyph{"Arial", 13, true, kPaper};
  const char* mark = help ? "?" : "i";
  const auto [gw, gh] = c.Measure(mark, glyph);
  c.Text(14 - gw / 2, 11 - gh / 2, mark, glyph);
  Canvas::TextStyle label{"Tahoma", 13, true, hover ? kSky : kInk};
  const double lh = c.Measure(word, label).second;
  c.Text(27, 11 - lh / 2, word, label);
  return {name, c.Png()};
}

}  // namespace

std::vector<ArtFile> EditorPictures() {
  std::vector<ArtFile> files;
  files.push_back(WindowIcon());
  files.push_back(TreeIcon());
  files.push_back(Pencil());
  files.push_back(Signpost());
  files.push_back(CountArrow());
  files.push_back(SettingsArrow());
  files.push_back(Notes());
  files.push_back(CauseCountCaption());
  files.push_back(FaceButton("about_button.png", "关于", false, false));
  files.push_back(FaceButton("about_button_hover.png", "关于", true, false));
  files.push_back(FaceButton("help_button.png", "帮助", false, true));
  files.push_back(FaceButton("help_button_hover.png", "帮助", true, true));
  return files;
}

void DrawProductMark(Canvas& canvas, double size) {
  DrawMark(canvas, size);
}

}  // namespace fb::artwork
