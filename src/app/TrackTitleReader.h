#pragma once
#include <atomic>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "app/TrackScan.h"

namespace app {

// Reads the track list's files on a thread of its own, so the menu shows at once however many
// tracks there are and its rows fill in as the titles arrive. The thread only reads files: it
// never touches SDL or a widget. The main thread collects what arrived with take(), once a
// frame. Stops (and waits for the file being read) when it goes.
class TrackTitleReader {
 public:
  // One entry read: its index in the list handed to the constructor.
  struct Arrival {
    std::size_t index = 0;
    TrackListEntry entry;
  };

  // Starts reading `entries` (as listTrackFolders gives them) in their order.
  explicit TrackTitleReader(std::vector<TrackListEntry> entries);
  ~TrackTitleReader();
  TrackTitleReader(const TrackTitleReader&) = delete;
  TrackTitleReader& operator=(const TrackTitleReader&) = delete;

  // The entries read since the last call, in the order they were read.
  std::vector<Arrival> take();
  // Whether every entry has been read (and handed over by take() or still waiting there).
  bool finished() const { return finished_; }

 private:
  void run();

  std::vector<TrackListEntry> entries_;
  std::mutex mutex_;
  std::vector<Arrival> arrived_;  // guarded by mutex_
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace app
