#pragma once

namespace fb::os {

// "Let the host process pending window messages." The component calls it at fixed points of
// long operations; a desktop host processes its event queue, the headless hosts count calls.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void pump() = 0;
};

}  // namespace fb::os
