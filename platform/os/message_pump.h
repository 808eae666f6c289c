#pragma once

#include <functional>
#include <utility>

namespace fb::os {

// "Let the host process pending window messages." The component calls it at fixed points of
// long operations; a desktop host processes its event queue, the headless hosts count calls.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void pump() = 0;
};

// A pump that does nothing.
class NullPump final : public MessagePump {
 public:
  void pump() override {}
};

// A pump for tests and headless hosts: counts the calls and, when given one, runs a callback at
// each (so a test can look at the state at the moment the component pumps).
class CountingPump final : public MessagePump {
 public:
  CountingPump() = default;
  explicit CountingPump(std::function<void()> on_pump) : on_pump_(std::move(on_pump)) {}

  void pump() override {
    ++count_;
    if (on_pump_) on_pump_();
  }

  int count() const { return count_; }
  void reset() { count_ = 0; }
  void set_on_pump(std::function<void()> on_pump) { on_pump_ = std::move(on_pump); }

 private:
  int count_ = 0;
  std::function<void()> on_pump_;
};

}  // namespace fb::os
