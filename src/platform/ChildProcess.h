#pragma once
#include <string>
#include <vector>

namespace platform {

// A program run in the background with its standard output and error collected, for work that
// must not hold up the window (a headless race of the computer drivers). Started without a
// shell, so no argument can inject a command. Reading never blocks: the window polls once a
// frame.
class ChildProcess {
 public:
  ChildProcess() = default;
  // A child still running is stopped and waited for: nothing outlives its owner.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` (found as platform::findProgram finds it) with `args`. False, with `error`
  // filled, when it cannot be found or started, or when a child of this object still runs.
  bool start(const std::string& program, const std::vector<std::string>& args,
             std::string* error = nullptr);
  // Collects what the child has written since the last call and notices its end. True while
  // the child runs.
  bool poll();
  // Ends a running child (SIGTERM) and waits for it; its exit status is then -1.
  void stop();

  bool running() const { return pid_ > 0; }
  // Standard output and standard error so far, interleaved as written.
  const std::string& output() const { return output_; }
  // The exit status of the ended child; -1 while it runs, when it was stopped or killed by a
  // signal, and before the first start.
  int exitStatus() const { return exitStatus_; }

 private:
  void readAvailable();
  void closePipe();

  int pid_ = 0;
  int pipe_ = -1;
  std::string output_;
  int exitStatus_ = -1;
};

}  // namespace platform
