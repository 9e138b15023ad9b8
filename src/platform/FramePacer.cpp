#include "platform/FramePacer.h"

#include <thread>

namespace platform {

namespace {

class SteadyFrameClock : public FrameClock {
 public:
  Clock::time_point now() override { return Clock::now(); }
  void sleepUntil(Clock::time_point wakeUp) override { std::this_thread::sleep_until(wakeUp); }
};

}  // namespace

FrameClock& steadyFrameClock() {
  static SteadyFrameClock clock;
  return clock;
}

FramePacer::FramePacer(Duration interval, int maxUpdates)
    : interval_(interval), maxUpdates_(maxUpdates) {}

void FramePacer::start(Clock::time_point now) {
  deadline_ = now;
}

int FramePacer::frameBegun(Clock::time_point now) {
  const Duration lag = now - deadline_;
  if (lag >= interval_ * maxUpdates_) {
    deadline_ = now + interval_;
    ++resyncs_;
    return 1;
  }
  const int updates = lag > Duration::zero() ? 1 + static_cast<int>(lag / interval_) : 1;
  deadline_ += interval_ * updates;
  return updates;
}

}  // namespace platform
