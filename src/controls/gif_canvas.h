#pragma once

#include "platform/ui/picture.h"
#include "src/controls/gif_animation.h"

namespace kivo2d {

// What a GIF shows at one frame: the frames up to it drawn one over the other on a canvas that
// starts transparent (as web browsers show it), each earlier frame disposed of as it asks (2:
// its rectangle cleared; 3: the canvas put back as it was before the frame). Transparent pixels
// leave what is below; pixels past the canvas are clipped; an index past the colour table is
// black. Moving forward draws only the frames in between; moving back starts over.
class GifCanvas {
 public:
  // Shows frame 0 of `animation`, which must outlive the canvas; nullptr or no frames: an empty
  // picture.
  explicit GifCanvas(const GifAnimation* animation = nullptr);

  void Show(int frame);
  int frame() const { return frame_; }
  const fb::ui::Picture& picture() const { return picture_; }

 private:
  void Draw(const GifFrame& frame);
  void Dispose(const GifFrame& frame);

  const GifAnimation* animation_;
  int frame_ = -1;
  fb::ui::Picture picture_;
  fb::ui::Picture before_;  // the canvas before the shown frame, when it is to be restored
};

}  // namespace kivo2d
