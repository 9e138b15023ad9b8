#pragma once
#include <string>

namespace track {
struct TrackData;
}  // namespace track

namespace app {

// What the menus need of the race: the chosen track file and its record. Between races the
// record is the light summary (title, background, start positions); loadTrack replaces it by
// the full track, which the background generator needs. The race implements it through an
// adapter, tests with a plain loader.
class TrackChoice {
 public:
  virtual ~TrackChoice() = default;
  // `fileName` relative to the tracks folder, e.g. "harbour_loop.rst".
  virtual void selectTrack(const std::string& fileName) = 0;
  virtual void loadTrack() = 0;
  virtual std::string getTrackFile() const = 0;
  // The current record, or null when the file could not be read.
  virtual const track::TrackData* track() const = 0;
};

}  // namespace app
