#pragma once
#include <string>

#include "app/TrackChoice.h"
#include "race/RaceData.h"

namespace app {

// The menus' view of the race's chosen track.
class RaceTrackChoice : public TrackChoice {
 public:
  explicit RaceTrackChoice(race::RaceData& race) : race_(race) {}
  void selectTrack(const std::string& fileName) override { race_.selectTrack(fileName); }
  void loadTrack() override { race_.loadTrack(); }
  std::string getTrackFile() const override { return race_.getTrackFile(); }
  const track::TrackData* track() const override { return race_.getTrack(); }

 private:
  race::RaceData& race_;
};

}  // namespace app
