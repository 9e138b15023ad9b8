#pragma once
#include "platform/Bitmap.h"

namespace track {
struct TrackData;
}

namespace app {

// What the race setup tells of a chosen track besides its title.
struct TrackFacts {
  double lengthMetres = 0;  // once round the path (10 world units = 1 metre)
  int gridPlaces = 0;       // start positions
};
// `track` with its path (the full loader's).
TrackFacts factsOf(const track::TrackData& track);

// A picture of the track at most width × height pixels (e.g. 150 × 100), keeping its shape:
// its background picture scaled down when there is one, otherwise the road drawn from the
// path over grass. Empty for a track without a path and without a picture.
platform::Bitmap trackThumbnail(const track::TrackData& track, const platform::Bitmap* background,
                                int width, int height);

}  // namespace app
