#pragma once
#include <chrono>

namespace platform {

// Where the frame loop reads the time and waits. The game uses the steady clock; tests hand in
// their own to script slow frames and stalls.
class FrameClock {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~FrameClock() = default;
  virtual Clock::time_point now() = 0;
  virtual void sleepUntil(Clock::time_point wakeUp) = 0;
};
// The process's steady clock and a real sleep.
FrameClock& steadyFrameClock();

// Schedules updates on a steady clock: update n is due at start + n × interval, so sleeping late
// now and then never makes the rate drift. A frame that comes late runs the updates it missed
// before it draws, so the game keeps pace with the wall clock while drawing falls behind; a
// frame later than `maxUpdates` intervals (the machine stalled, a debugger stopped it) starts a
// new schedule from the present instead, so nothing jumps ahead.
class FramePacer {
 public:
  using Clock = FrameClock::Clock;
  using Duration = std::chrono::nanoseconds;

  // interval: usually 16.666666 ms; maxUpdates: the most updates one drawn frame runs, 5.
  FramePacer(Duration interval, int maxUpdates);

  void start(Clock::time_point now);
  // When the next update is due.
  Clock::time_point deadline() const { return deadline_; }
  // Called as a frame begins, at `now`: how many updates it runs before drawing (1 on time, up
  // to maxUpdates when late), with the deadline moved past them. A frame too late for that
  // restarts the schedule and runs one.
  int frameBegun(Clock::time_point now);
  long resyncs() const { return resyncs_; }

 private:
  Duration interval_;
  int maxUpdates_;
  Clock::time_point deadline_{};
  long resyncs_ = 0;
};

}  // namespace platform
