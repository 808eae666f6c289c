#include <cmath>

#include "tools/artwork/canvas.h"
#include "tools/artwork/fishbone_scene.h"
#include "tools/artwork/pictures.h"
#include "tools/artwork/welcome_layout.h"

namespace fb::artwork {
namespace {

// The window's background: a light card with the product's strip at the top, three lines on
// what the product does, the word before the version label, and the stage of the movie. The
// stage holds the finished diagram, which is what the start-up welcome (movie hidden) shows.
ArtFile Background() {
  Canvas c(kWelcomeWidth, kWelcomeHeight);
  cairo_t* cr = c.cr();
  c.VerticalGradient(0, 0, kWelcomeWidth, kWelcomeHeight, Rgb(252, 253, 255), Rgb(219, 230, 245));
  c.VerticalGradient(0, 0, kWelcomeWidth, 5, kSky, kNavy);
  c.SetColour(kNavy);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 0.5, 0.5, kWelcomeWidth - 1, kWelcomeHeight - 1);
  cairo_stroke(cr);
  // Rule under the title.
  c.Line(22, 88, 280, 88, 1, kPaleSky);

  Canvas::TextStyle point{"Tahoma", 13, false, kInk};
  const char* points[] = {"建立“为什么”问题树，逐层追查原因", "一键生成鱼骨图、帕累托图与前三项图",
                          "一页 A4 报表，填写、保存、打印"};
  for (int i = 0; i < 3; ++i) {
    const double y = 104 + i * 28;
    c.SetColour(kGreen);
    cairo_arc(cr, 29, y + 9, 6, 0, 2 * M_PI);
    cairo_fill(cr);
    c.SetColour(kPaper);
    cairo_set_line_width(cr, 1.8);
    cairo_move_to(cr, 26, y + 9);
    cairo_line_to(cr, 28.5, y + 11.5);
    cairo_line_to(cr, 32.5, y + 6.5);
    cairo_stroke(cr);
    c.Text(42, y, points[i], point);
  }
  Canvas::TextStyle version{"Tahoma", 11, false, kMutedInk};
  c.Text(kVersionLeft - 30, kVersionTop + 1, "版本", version);

  // The stage: a white card with a soft shadow, the finished diagram on it.
  const Box stage = kFlashBox;
  c.SetColour(kNavy, 0.12);
  c.RoundedRect(stage.left - 2, stage.top, stage.width + 6, stage.height + 6, 8);
  cairo_fill(cr);
  c.SetColour(kPaper);
  c.RoundedRect(stage.left - 4, stage.top - 4, stage.width + 8, stage.height + 8, 8);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, stage.left, stage.top);
  cairo_scale(cr, static_cast<double>(stage.width) / kStageWidth,
              static_cast<double>(stage.height) / kStageHeight);
  DrawFishboneScene(c, kSceneFrames - 1);
  cairo_restore(cr);
  return {"hello_background.png", c.Png()};
}

// Image2: the product's title.
ArtFile Title() {
  Canvas c(kTitleBox.width, kTitleBox.height);
  Canvas::TextStyle name{"Arial", 27, true, kNavy};
  c.Text(0, 0, "Kivo Workbench 2", name);
  Canvas::TextStyle subtitle{"Tahoma", 15, false, kMutedInk};
  c.Text(1, 35, "鱼骨图 · 因果分析报告系统", subtitle);
  return {"hello_title.png", c.Png()};
}

// Image4: the product mark.
ArtFile Badge() {
  Canvas c(kBadgeBox.width, kBadgeBox.height);
  DrawProductMark(c, kBadgeBox.width);
  return {"hello_badge.png", c.Png()};
}

// Image1: the contact picture, an envelope and "联系我们" on a pill.
ArtFile Contact() {
  Canvas c(kContactBox.width, kContactBox.height);
  cairo_t* cr = c.cr();
  const double h = kContactBox.height;
  c.SetColour(kPaper);
  c.RoundedRect(0.5, 0.5, kContactBox.width - 1, h - 1, (h - 1) / 2);
  cairo_fill_preserve(cr);
  c.SetColour(kSky);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Envelope.
  const double ex = 12;
  const double ey = h / 2 - 6;
  c.SetColour(kRed);
  c.RoundedRect(ex, ey, 17, 12, 1.5);
  cairo_fill(cr);
  c.SetColour(kPaper);
  cairo_set_line_width(cr, 1.3);
  cairo_move_to(cr, ex + 1.5, ey + 1.5);
  cairo_line_to(cr, ex + 8.5, ey + 7);
  cairo_line_to(cr, ex + 15.5, ey + 1.5);
  cairo_stroke(cr);
  Canvas::TextStyle label{"Tahoma", 13, true, kNavy};
  const double th = c.Measure("联系我们", label).second;
  c.Text(36, (h - th) / 2, "联系我们", label);
  return {"hello_contact.png", c.Png()};
}

}  // namespace

std::vector<ArtFile> WelcomePictures() {
  return {Background(), Title(), Badge(), Contact()};
}

}  // namespace fb::artwork
