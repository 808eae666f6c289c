#include "scene.h"

namespace fb::render::test {

DisplayList sample_scene() {
  DisplayList list(200, 120);
  list.set_background(kWhite);
  list.rect({10, 10, 20, 20}, SolidFill{kRed});
  list.rect({40, 10, 48, 48}, PatternFill{34, kBlue, kWhite}, Stroke{0.75, kBlack});
  list.rect({100, 10, 60, 20}, GradientFill{kBlue, kWhite, {0, 0.5}, {1, 0.5}});
  list.line({10, 40}, {30, 60}, Stroke{2, kBlack, Dash::kDash});
  list.text(TextCmd{.text = "问题:\n鱼骨图",
                    .font = {"宋体", 12},
                    .colour = kBlack,
                    .box = {100, 35, 60, 40},
                    .halign = HAlign::kCentre});
  list.text(TextCmd{.text = "原因",
                    .font = {"Arial", 9},
                    .colour = kBlue,
                    .box = {165, 25, 0, 0},
                    .flow = TextFlow::kStacked});
  list.text(TextCmd{.text = "Pareto 90°",
                    .font = {"Arial", 8, true},
                    .colour = kBlack,
                    .box = {180, 30, 15, 60},
                    .halign = HAlign::kCentre,
                    .valign = VAlign::kCentre,
                    .rotation = 90});
  list.image(ImageCmd{.dest = {170, 10, 20, 10},
                      .image = RgbaPixels{2, 1, {0, 0, 0, 255, 255, 0, 0, 255}},
                      .transparent_colour = kBlack});
  DisplayList clipped;
  clipped.rect({10, 0, 40, 20}, SolidFill{kBlue});
  list.group(std::move(clipped), Transform::translation(0, 80), Rect{10, 0, 20, 20});
  return list;
}

}  // namespace fb::render::test
