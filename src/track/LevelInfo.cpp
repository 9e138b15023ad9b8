#include "track/LevelInfo.h"

#include "track/PathFingerprint.h"

namespace track {

std::unique_ptr<TrackData> LevelInfo::buildTrack() {
  auto track = std::make_unique<TrackData>();
  track->title = title();
  track->background = background();
  track->theme = theme();
  track->positions = startPositions();
  track->pathFingerprint = pathFingerprint(pathPoints());
  return track;
}

}  // namespace track
