#include <gtest/gtest.h>

#include <chrono>

#include "platform/FramePacer.h"

using namespace std::chrono_literals;
using platform::FramePacer;

namespace {

const FramePacer::Duration kInterval = std::chrono::nanoseconds(16666666);

}  // namespace

TEST(FramePacer, LateWakeUpsDoNotMakeTheRateDrift) {
  FramePacer pacer(kInterval, 5 * kInterval);
  const auto start = FramePacer::Clock::time_point{} + 1s;
  pacer.start(start);
  // The sleeper always wakes 0..3 ms after the deadline; the schedule must not absorb that.
  for (int frame = 0; frame < 600; ++frame) {
    const auto wake = pacer.deadline() + std::chrono::microseconds((frame * 7919) % 3000);
    EXPECT_FALSE(pacer.frameBegun(wake));
  }
  EXPECT_EQ(pacer.deadline(), start + 600 * kInterval);
  EXPECT_EQ(pacer.resyncs(), 0);
}

TEST(FramePacer, ShortDelaysAreCaughtUpLongStallsRestartTheSchedule) {
  FramePacer pacer(kInterval, 5 * kInterval);
  const auto start = FramePacer::Clock::time_point{} + 1s;
  pacer.start(start);
  pacer.frameBegun(start);
  // Two frames late: the next deadlines are already due, so the loop runs them back to back.
  auto now = start + 3 * kInterval;
  EXPECT_FALSE(pacer.frameBegun(now));
  EXPECT_LE(pacer.deadline(), now);

  // A half-second stall: no burst of thirty frames, the next one is a whole interval away.
  now += 500ms;
  EXPECT_TRUE(pacer.frameBegun(now));
  EXPECT_EQ(pacer.deadline(), now + kInterval);
  EXPECT_EQ(pacer.resyncs(), 1);
}
