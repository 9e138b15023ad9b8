#pragma once
#include <chrono>

namespace platform {

// Schedules frame deadlines on a steady clock: frame n is due at start + n × interval, so
// sleeping late now and then never makes the rate drift. A frame that finds itself more than
// `maxLag` behind its deadline (the machine stalled, the window was dragged) starts a new
// schedule from the present instead of running a burst of catch-up frames.
class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;
  using Duration = std::chrono::nanoseconds;

  // interval: usually 16.666666 ms; maxLag: how far behind is still caught up, a few frames.
  FramePacer(Duration interval, Duration maxLag);

  void start(Clock::time_point now);
  // When the next frame should run.
  Clock::time_point deadline() const { return deadline_; }
  // Called as a frame begins, at `now`: moves the deadline on by one interval, or restarts the
  // schedule when the frame is too late. Returns true when it restarted.
  bool frameBegun(Clock::time_point now);
  long resyncs() const { return resyncs_; }

 private:
  Duration interval_;
  Duration maxLag_;
  Clock::time_point deadline_{};
  long resyncs_ = 0;
};

}  // namespace platform
