#pragma once

#include <chrono>
#include <vector>

namespace fb::os {

// Time and sleeping, injectable so tests never really wait.
class Clock {
 public:
  using time_point = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  // Monotonic time.
  virtual time_point now() const = 0;
  // The Windows Sleep call: blocks (or, for a fake, advances time) by `duration`.
  virtual void sleep(std::chrono::milliseconds duration) = 0;
};

// The real clock: std::chrono::steady_clock and std::this_thread::sleep_for.
class SystemClock final : public Clock {
 public:
  time_point now() const override;
  void sleep(std::chrono::milliseconds duration) override;
};

// A clock for tests: time moves only when advanced; sleep advances it at once and records the
// requested duration.
class FakeClock final : public Clock {
 public:
  time_point now() const override { return time_point{} + elapsed_; }
  void sleep(std::chrono::milliseconds duration) override {
    sleeps_.push_back(duration);
    elapsed_ += duration;
  }

  void advance(std::chrono::milliseconds duration) { elapsed_ += duration; }
  // Time since the fake clock was made.
  std::chrono::milliseconds elapsed() const { return elapsed_; }
  // Every sleep request, in order.
  const std::vector<std::chrono::milliseconds>& sleeps() const { return sleeps_; }

 private:
  std::chrono::milliseconds elapsed_{0};
  std::vector<std::chrono::milliseconds> sleeps_;
};

}  // namespace fb::os
