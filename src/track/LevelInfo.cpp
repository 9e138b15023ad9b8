#include "track/LevelInfo.h"

std::unique_ptr<TrackData> LevelInfo::buildTrack() {
  auto track = std::make_unique<TrackData>();
  track->title = title();
  track->background = background();
  track->theme = theme();
  track->positions = startPositions();
  return track;
}
