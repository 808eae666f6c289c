#include "src/controls/ani_gif.h"

#include <algorithm>
#include <utility>

namespace kivo2d {

void AniGIF::set_animation(std::shared_ptr<const GifAnimation> animation) {
  animation_ = std::move(animation);
  canvas_ = GifCanvas(animation_.get());
  playing_ = false;
  frame_ = 0;
  completed_plays_ = 0;
  changed();
}

void AniGIF::Play(time_point now) {
  const int before = frame_;
  ShowFrame(0);
  completed_plays_ = 0;
  frame_start_ = now;
  playing_ = animation_ != nullptr && animation_->frames.size() > 1;
  if (before != frame_) changed();
}

void AniGIF::Stop() {
  playing_ = false;
}

bool AniGIF::Tick(time_point now) {
  if (!playing_) return false;
  const auto& frames = animation_->frames;
  const bool forever = animation_->plays == GifAnimation::kForever;
  const std::chrono::milliseconds cycle = animation_->total_time();
  const int before = frame_;
  while (true) {
    // A long pause (a slow pipeline step) skips whole showings at once, not frame by frame.
    if (frame_ == 0 && forever && cycle.count() > 0 && now - frame_start_ >= cycle) {
      const auto cycles = (now - frame_start_) / cycle;
      frame_start_ += cycles * cycle;
      completed_plays_ += static_cast<int>(cycles);
    }
    const auto delay = std::max(frames[frame_].delay, std::chrono::milliseconds{1});
    if (now - frame_start_ < delay) break;
    frame_start_ += delay;
    if (frame_ + 1 < static_cast<int>(frames.size())) {
      ++frame_;
      continue;
    }
    ++completed_plays_;
    if (!forever && completed_plays_ >= animation_->plays) {
      playing_ = false;
      break;
    }
    frame_ = 0;
  }
  if (frame_ == before) return false;
  ShowFrame(frame_);
  changed();
  return true;
}

void AniGIF::ShowFrame(int frame) {
  frame_ = frame;
  canvas_.Show(frame);
}

std::optional<std::chrono::milliseconds> AniGIF::TimeToNextFrame(time_point now) const {
  if (!playing_) return std::nullopt;
  const auto due =
      frame_start_ + std::max(animation_->frames[frame_].delay, std::chrono::milliseconds{1});
  if (due <= now) return std::chrono::milliseconds{0};
  return std::chrono::ceil<std::chrono::milliseconds>(due - now);
}

const fb::ui::Picture* AniGIF::current_frame() const {
  if (!animation_ || animation_->frames.empty()) return nullptr;
  return &canvas_.picture();
}

}  // namespace kivo2d
