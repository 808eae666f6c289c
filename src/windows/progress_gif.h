#pragma once

#include <chrono>

#include "platform/os/clock.h"
#include "platform/ui/form.h"
#include "src/controls/ani_gif.h"

namespace kivo2d {

// The progress window shown while the pipeline runs: only the animation, on a background made
// transparent by a colour key.
class ProgressGif final : public fb::ui::Form {
 public:
  static constexpr int kWidth = 47;
  static constexpr int kHeight = 39;
  static constexpr int kFrames = 7;
  static constexpr std::chrono::milliseconds kFrameTime{150};

  ProgressGif(fb::ui::FormRegistry& registry, fb::os::Clock& clock);

  // The stored animation (47 × 39 pixels, 7 frames of 150 ms, looping), playing from the moment
  // the window loads until it unloads; whoever draws it ticks it with the time.
  AniGIF AniGIF1{"AniGIF1"};

  void Form_Load();

 protected:
  void on_load() override { Form_Load(); }
  void on_unload() override { AniGIF1.Stop(); }

 private:
  fb::os::Clock& clock_;
};

}  // namespace kivo2d
