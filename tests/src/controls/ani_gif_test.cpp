// The player's timing: which frame is shown when, looping, skipping, stopping.
#include "src/controls/ani_gif.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kivo2d {
namespace {

using std::chrono::milliseconds;
using time_point = AniGIF::time_point;

std::shared_ptr<GifAnimation> Animation(std::vector<int> delays_ms, int plays) {
  auto animation = std::make_shared<GifAnimation>();
  animation->width = 1;
  animation->height = 1;
  animation->plays = plays;
  for (std::size_t i = 0; i < delays_ms.size(); ++i) {
    const auto shade = static_cast<std::uint8_t>(i);
    GifFrame frame;
    frame.width = frame.height = 1;
    frame.indexes = {0};
    frame.colours = {{shade, 0, 0, 255}};
    frame.delay = milliseconds(delays_ms[i]);
    animation->frames.push_back(frame);
  }
  return animation;
}

time_point At(int ms) {
  return time_point{} + milliseconds(ms);
}

TEST(AniGif, FramesFollowTheirDelaysAndLoopForever) {
  AniGIF gif("AniGIF1");
  int repaints = 0;
  gif.set_on_change([&] { ++repaints; });
  gif.set_animation(Animation({100, 50, 200}, GifAnimation::kForever));
  gif.Play(At(0));
  repaints = 0;

  struct Step {
    int at;
    int frame;
    bool changed;
  };
  const Step steps[] = {{99, 0, false},  {100, 1, true}, {149, 1, false}, {150, 2, true},
                        {349, 2, false}, {350, 0, true}, {460, 1, true}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.at);
    EXPECT_EQ(gif.Tick(At(s.at)), s.changed);
    EXPECT_EQ(gif.frame_index(), s.frame);
  }
  EXPECT_EQ(repaints, 4);
  EXPECT_EQ(gif.completed_plays(), 1);
  EXPECT_EQ(gif.current_frame()->pixel(0, 0).r, 1);
  EXPECT_EQ(gif.TimeToNextFrame(At(460)), milliseconds(40));
}

TEST(AniGif, ALongPauseSkipsToTheFrameDueThen) {
  AniGIF gif;
  gif.set_animation(Animation({150, 150, 150, 150, 150, 150, 150}, GifAnimation::kForever));
  gif.Play(At(0));
  // A pipeline step of 10 s: 10000 / 1050 = 9 whole showings, then 550 ms into the tenth.
  EXPECT_TRUE(gif.Tick(At(10'000)));
  EXPECT_EQ(gif.frame_index(), 3);
  EXPECT_EQ(gif.completed_plays(), 9);
  EXPECT_TRUE(gif.playing());
}

TEST(AniGif, ACountedAnimationStopsOnItsLastFrame) {
  AniGIF gif;
  gif.set_animation(Animation({100, 100}, 2));
  gif.Play(At(0));
  gif.Tick(At(350));
  EXPECT_EQ(gif.frame_index(), 1);
  EXPECT_TRUE(gif.playing());
  gif.Tick(At(5'000));
  EXPECT_EQ(gif.frame_index(), 1);
  EXPECT_FALSE(gif.playing());
  EXPECT_EQ(gif.TimeToNextFrame(At(5'000)), std::nullopt);
}

TEST(AniGif, StoppedOrEmptyPlayersDoNotMove) {
  AniGIF empty;
  empty.Play(At(0));
  EXPECT_FALSE(empty.playing());
  EXPECT_EQ(empty.current_frame(), nullptr);

  AniGIF still;
  still.set_animation(Animation({100}, GifAnimation::kForever));  // one frame: nothing to play
  still.Play(At(0));
  EXPECT_FALSE(still.Tick(At(1'000)));
  EXPECT_NE(still.current_frame(), nullptr);

  AniGIF stopped;
  stopped.set_animation(Animation({100, 100}, GifAnimation::kForever));
  stopped.Play(At(0));
  stopped.Tick(At(120));
  stopped.Stop();
  EXPECT_FALSE(stopped.Tick(At(1'000)));
  EXPECT_EQ(stopped.frame_index(), 1);
  stopped.Play(At(2'000));  // starts over
  EXPECT_EQ(stopped.frame_index(), 0);
}

}  // namespace
}  // namespace kivo2d
