#include "src/controls/gif_canvas.h"

#include <gif_lib.h>

namespace kivo2d {

GifCanvas::GifCanvas(const GifAnimation* animation) : animation_(animation) {
  if (animation_ == nullptr || animation_->frames.empty()) return;
  picture_ = fb::ui::Picture(animation_->width, animation_->height);
  Show(0);
}

void GifCanvas::Show(int frame) {
  if (animation_ == nullptr || frame < 0 || frame >= static_cast<int>(animation_->frames.size())) {
    return;
  }
  if (frame < frame_) {
    picture_ = fb::ui::Picture(animation_->width, animation_->height);
    frame_ = -1;
  }
  while (frame_ < frame) {
    if (frame_ >= 0) Dispose(animation_->frames[frame_]);
    ++frame_;
    Draw(animation_->frames[frame_]);
  }
}

void GifCanvas::Draw(const GifFrame& frame) {
  if (frame.disposal == DISPOSE_PREVIOUS) before_ = picture_;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const int index = frame.indexes[static_cast<std::size_t>(y) * frame.width + x];
      if (index == frame.transparent) continue;
      const fb::ui::Rgba colour = index < static_cast<int>(frame.colours.size())
                                      ? frame.colours[index]
                                      : fb::ui::Rgba{0, 0, 0, 255};
      picture_.set_pixel(frame.left + x, frame.top + y, colour);
    }
  }
}

void GifCanvas::Dispose(const GifFrame& frame) {
  if (frame.disposal == DISPOSE_BACKGROUND) {
    for (int y = frame.top; y < frame.top + frame.height; ++y) {
      for (int x = frame.left; x < frame.left + frame.width; ++x) picture_.set_pixel(x, y, {});
    }
  } else if (frame.disposal == DISPOSE_PREVIOUS) {
    picture_ = before_;
  }
}

}  // namespace kivo2d
