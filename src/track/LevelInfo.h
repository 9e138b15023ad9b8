#pragma once
#include "track/ImportHandler.h"

namespace track {

// Reads a track file for the track list: title, background and start positions, no path.
class LevelInfo : public ImportHandler {
 public:
  std::unique_ptr<TrackData> buildTrack() override;
};

}  // namespace track
