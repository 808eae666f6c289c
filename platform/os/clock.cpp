#include "platform/os/clock.h"

#include <thread>

namespace fb::os {

Clock::time_point SystemClock::now() const {
  return std::chrono::steady_clock::now();
}

void SystemClock::sleep(std::chrono::milliseconds duration) {
  std::this_thread::sleep_for(duration);
}

}  // namespace fb::os
