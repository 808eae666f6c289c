#pragma once

#include <QObject>
#include <functional>

#include "platform/os/message_pump.h"

namespace fb::sheet {
class Application;
}

namespace fishbone_gui {

// The host's message pump on the desktop: where the component lets the host process its
// messages (after each step of a generation, inside its row loops, during the welcome window's
// wait), Qt processes its pending events, so windows repaint and timers (the progress window's
// animation) run. `after` runs after each pump, for the host window to catch up with the model.
class QtPump final : public fb::os::MessagePump {
 public:
  explicit QtPump(std::function<void()> after = {}) : after_(std::move(after)) {}
  void pump() override;
  int count() const { return count_; }

 private:
  std::function<void()> after_;
  int count_ = 0;
  bool pumping_ = false;
};

// Keeps mouse and keyboard input away from the host's windows while the host's "interactive"
// state is off, as the host ignores input to its window then. Installed on the application.
class InteractiveFilter final : public QObject {
 public:
  InteractiveFilter(const fb::sheet::Application& app, std::function<bool(QObject*)> is_host_window)
      : app_(app), is_host_window_(std::move(is_host_window)) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
  int dropped() const { return dropped_; }

 private:
  const fb::sheet::Application& app_;
  std::function<bool(QObject*)> is_host_window_;
  int dropped_ = 0;
};

}  // namespace fishbone_gui
