#include "track/LevelInfo.h"

namespace track {

std::unique_ptr<TrackData> LevelInfo::buildTrack() {
  auto track = std::make_unique<TrackData>();
  track->title = title();
  track->background = background();
  track->theme = theme();
  track->positions = startPositions();
  return track;
}

}  // namespace track
