#include "app/TrackTitleReader.h"

#include <utility>

namespace app {

TrackTitleReader::TrackTitleReader(std::vector<TrackListEntry> entries)
    : entries_(std::move(entries)), thread_([this] { run(); }) {}

TrackTitleReader::~TrackTitleReader() {
  stop_ = true;
  thread_.join();
}

void TrackTitleReader::run() {
  for (std::size_t i = 0; i < entries_.size() && !stop_; ++i) {
    TrackListEntry entry = entries_[i];
    readTrackEntry(entry);
    const std::lock_guard<std::mutex> lock(mutex_);
    arrived_.push_back({i, std::move(entry)});
  }
  finished_ = true;
}

std::vector<TrackTitleReader::Arrival> TrackTitleReader::take() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(arrived_, {});
}

}  // namespace app
