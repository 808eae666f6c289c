#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/picture.h"
#include "src/controls/gif_animation.h"
#include "src/controls/gif_canvas.h"

namespace kivo2d {

// The component's animated-GIF player: holds a decoded animation and shows one frame of it at a
// time. The player keeps no timer of its own: whoever draws it (the desktop's widget on its timer,
// a host when it pumps messages) calls Tick with the time, and the frame that is due then is
// shown. A frame change notifies the model's change callback, so the drawing repaints.
class AniGIF : public fb::ui::Control, public fb::ui::Animated {
 public:
  using time_point = fb::ui::Animated::time_point;

  explicit AniGIF(std::string name = {}) : Control(std::move(name)) {}

  // Replaces the animation (shared: one decoded file serves every window that shows it); stops
  // playing and shows the first frame.
  void set_animation(std::shared_ptr<const GifAnimation> animation);
  const GifAnimation* animation() const { return animation_.get(); }

  // Starts at the first frame at `now`.
  void Play(time_point now);
  // Stops at the frame shown.
  void Stop();
  bool playing() const { return playing_; }

  // Shows the frame due at `now` (several delays may have passed since the last call: frames in
  // between are skipped). When the last showing ends, the player stops on the last frame. Returns
  // whether the shown frame changed.
  bool Tick(time_point now) override;
  // How long from `now` until the shown frame is due to change; nullopt when not playing.
  std::optional<std::chrono::milliseconds> TimeToNextFrame(time_point now) const override;

  int frame_index() const { return frame_; }
  // How many times the frames have started over since Play.
  int completed_plays() const { return completed_plays_; }
  // The frame shown; nullptr without an animation.
  const fb::ui::Picture* current_frame() const override;

 private:
  void ShowFrame(int frame);

  std::shared_ptr<const GifAnimation> animation_;
  GifCanvas canvas_;
  bool playing_ = false;
  int frame_ = 0;
  int completed_plays_ = 0;
  time_point frame_start_{};
};

}  // namespace kivo2d
