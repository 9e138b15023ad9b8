#include "platform/FramePacer.h"

namespace platform {

FramePacer::FramePacer(Duration interval, Duration maxLag) : interval_(interval), maxLag_(maxLag) {}

void FramePacer::start(Clock::time_point now) {
  deadline_ = now;
}

bool FramePacer::frameBegun(Clock::time_point now) {
  const bool stalled = now - deadline_ > maxLag_;
  if (stalled) {
    deadline_ = now;
    ++resyncs_;
  }
  deadline_ += interval_;
  return stalled;
}

}  // namespace platform
