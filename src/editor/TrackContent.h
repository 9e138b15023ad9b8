#pragma once
#include <string>
#include <vector>

#include "track/TrackData.h"

namespace editor {

// A track as its file holds it and as the editor changes it. The path is in file order: point 0
// is the finish line and the road runs from each point to the next, the last one closing the
// loop back to point 0. Path points keep x, y, width and offset (world units); the loader works
// their rotation out. Start places keep x, y (the front of the car) and rotation.
struct TrackContent {
  std::vector<track::TrackPoint> path;
  std::vector<track::TrackPoint> places;
  std::string title;
  std::string background;
  std::string theme;  // the landscape the background painter paints; empty for its default

  bool operator==(const TrackContent& other) const;
};

// The track as the game loads it from such a file: the path in the game's order with its cross
// directions and extents (track::setPathFromFile), the places as start positions.
track::TrackData trackOf(const TrackContent& content);
// What a loaded track's file holds.
TrackContent contentOf(const track::TrackData& track);

}  // namespace editor
