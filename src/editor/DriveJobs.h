#pragma once
#include <string>

#include "platform/ChildProcess.h"
#include "track/TrackData.h"

namespace editor {

// The game's program, started for test drives and computer laps (beside the editor or on the
// PATH).
inline constexpr const char* kGameProgram = "kelvane";

// A folder of temporary track files for the game to race, removed with everything in it when
// the editor ends. Each copy carries the track's background picture along (as a link), so the
// race shows the picture the track has.
class TemporaryTracks {
 public:
  TemporaryTracks() = default;
  ~TemporaryTracks();
  TemporaryTracks(const TemporaryTracks&) = delete;
  TemporaryTracks& operator=(const TemporaryTracks&) = delete;

  // Saves `track` as `fileName` (".rst") in the folder; `picture` is the background picture's
  // full path, or empty. Returns the copy's path, or empty with `error` filled.
  std::string write(const track::TrackData& track, const std::string& fileName,
                    const std::string& picture, std::string* error);

 private:
  std::string folder_;  // made on first use, ends with '/'
};

// A race of the computer drivers on a copy of the track, run by the game headless in a process
// of its own (`kelvane --race COPY --cars N --laps 1 --headless`), so the editor stays free
// while it runs. The window polls it once a frame.
class ComputerLap {
 public:
  // Starts the race; false with `error` filled when the game cannot be started.
  bool start(const std::string& trackCopy, int cars, std::string* error);
  // True while the race runs; the result is ready once it has ended.
  bool poll();
  bool running() const { return process_.running(); }
  void stop() { process_.stop(); }
  // What the race showed: whether every car finished and the fastest lap, or why not.
  std::string result() const;

  // The result as read from the game's output and exit status (0: every car finished; 2: some
  // did not; otherwise the race could not be run). `cars` is how many raced.
  static std::string resultOf(const std::string& output, int exitStatus, int cars);

 private:
  platform::ChildProcess process_;
  int cars_ = 0;
};

// Starts the game's race on `trackCopy` in a window of its own with `cars` computer cars, as a
// player would watch it (`kelvane --race COPY --cars N`). False with `error` filled when the
// game cannot be started.
bool startTestDrive(const std::string& trackCopy, int cars, std::string* error);

}  // namespace editor
