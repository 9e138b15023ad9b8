#include <gtest/gtest.h>

#include <chrono>

#include "platform/FramePacer.h"

using namespace std::chrono_literals;
using platform::FramePacer;

namespace {

const FramePacer::Duration kInterval = std::chrono::nanoseconds(16666666);

}  // namespace

TEST(FramePacer, LateWakeUpsDoNotMakeTheRateDrift) {
  FramePacer pacer(kInterval, 5);
  const auto start = FramePacer::Clock::time_point{} + 1s;
  pacer.start(start);
  // The sleeper always wakes 0..3 ms after the deadline; the schedule must not absorb that.
  for (int frame = 0; frame < 600; ++frame) {
    const auto wake = pacer.deadline() + std::chrono::microseconds((frame * 7919) % 3000);
    EXPECT_EQ(pacer.frameBegun(wake), 1);
  }
  EXPECT_EQ(pacer.deadline(), start + 600 * kInterval);
  EXPECT_EQ(pacer.resyncs(), 0);
}

TEST(FramePacer, LateFramesRunTheMissedUpdatesLongStallsRestartTheSchedule) {
  FramePacer pacer(kInterval, 5);
  const auto start = FramePacer::Clock::time_point{} + 1s;
  pacer.start(start);
  EXPECT_EQ(pacer.frameBegun(start), 1);
  // Two updates late: this frame runs them and its own, and the next is due in the future.
  auto now = start + 3 * kInterval;
  EXPECT_EQ(pacer.frameBegun(now), 3);
  EXPECT_EQ(pacer.deadline(), start + 4 * kInterval);
  // Four late is still caught up; five is beyond the bound.
  now = pacer.deadline() + 4 * kInterval;
  EXPECT_EQ(pacer.frameBegun(now), 5);
  EXPECT_EQ(pacer.resyncs(), 0);

  // A half-second stall: no burst of thirty updates, the next one is a whole interval away.
  now += 500ms;
  EXPECT_EQ(pacer.frameBegun(now), 1);
  EXPECT_EQ(pacer.deadline(), now + kInterval);
  EXPECT_EQ(pacer.resyncs(), 1);
}
