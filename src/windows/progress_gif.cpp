#include "src/windows/progress_gif.h"

namespace kivo2d {

ProgressGif::ProgressGif(fb::ui::FormRegistry& registry) : Form(registry, "ProgressGif") {
  AniGIF1.set_bounds({0, 0, 47 * 15, 39 * 15});
}

void ProgressGif::Form_Load() {
  const std::uint32_t blue = fb::ui::rgb(0, 0, 255);
  set_back_color(blue);
  set_transparent_color(blue);
  set_top_most(true);
}

}  // namespace kivo2d
