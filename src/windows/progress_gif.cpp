#include "src/windows/progress_gif.h"

#include <memory>

#include "src/controls/gif_animation.h"
#include "src/resources/pictures.h"

namespace kivo2d {

ProgressGif::ProgressGif(fb::ui::FormRegistry& registry, fb::os::Clock& clock)
    : Form(registry, "ProgressGif"), clock_(clock) {
  constexpr int kTwips = 15;
  set_bounds({0, 0, kWidth * kTwips, kHeight * kTwips});
  set_border_style(fb::ui::BorderStyle::kNone);
  AniGIF1.set_bounds({0, 0, kWidth * kTwips, kHeight * kTwips});
  add_control(AniGIF1);
  AniGIF1.set_animation(std::make_shared<const GifAnimation>(
      DecodeGif(PictureFile(picture::kProgressAnimation), picture::kProgressAnimation)));
}

void ProgressGif::Form_Load() {
  const std::uint32_t blue = fb::ui::rgb(0, 0, 255);
  set_back_color(blue);
  AniGIF1.set_back_color(blue);
  set_transparent_color(blue);
  set_top_most(true);
  AniGIF1.Play(clock_.now());
}

}  // namespace kivo2d
