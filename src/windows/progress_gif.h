#pragma once

#include <chrono>

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace kivo2d {

// The progress window shown while the pipeline runs: only the animation, on a background made
// transparent by a colour key.
class ProgressGif final : public fb::ui::Form {
 public:
  static constexpr int kFrames = 7;
  static constexpr std::chrono::milliseconds kFrameTime{150};

  explicit ProgressGif(fb::ui::FormRegistry& registry);

  // The animated picture (47 × 39 pixels); the desktop draws its frames while the window is shown.
  fb::ui::Image AniGIF1{"AniGIF1"};

  void Form_Load();

 protected:
  void on_load() override { Form_Load(); }
};

}  // namespace kivo2d
