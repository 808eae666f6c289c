#include <gtest/gtest.h>

#include <vector>

#include "platform/os/clock.h"
#include "platform/os/message_pump.h"

namespace fb::os {
namespace {

using std::chrono::milliseconds;

TEST(FakeClockTest, SleepAdvancesTimeAtOnceAndIsRecorded) {
  FakeClock clock;
  const Clock::time_point start = clock.now();
  Clock& as_clock = clock;
  for (int i = 0; i < 3; ++i) as_clock.sleep(milliseconds(750));
  clock.advance(milliseconds(5));
  EXPECT_EQ(clock.now() - start, milliseconds(2255));
  EXPECT_EQ(clock.elapsed(), milliseconds(2255));
  EXPECT_EQ(clock.sleeps(), (std::vector<milliseconds>(3, milliseconds(750))));
}

TEST(CountingPumpTest, CountsCallsAndRunsTheCallbackAtEach) {
  std::vector<int> seen;
  CountingPump pump;
  pump.set_on_pump([&] { seen.push_back(pump.count()); });
  MessagePump& as_pump = pump;
  for (int i = 0; i < 3; ++i) as_pump.pump();
  EXPECT_EQ(pump.count(), 3);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  pump.reset();
  EXPECT_EQ(pump.count(), 0);
}

}  // namespace
}  // namespace fb::os
