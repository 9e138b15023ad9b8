#pragma once
#include <cstdint>
#include <vector>

#include "track/SurfaceMap.h"

namespace drivers {

// How far every cell of a surface map lies from the nearest cell that is not road
// (SurfaceMap::kRoad): the room a line has there. Distances are in cells (map units), measured
// between cell centres with steps of 1 and √2; everything off the map counts as not road.
class RoadClearance {
 public:
  explicit RoadClearance(const track::SurfaceMap& map);

  // The room at a point in map units (x = column, y = row): 0 off the road or off the map,
  // about 12 in the middle of a road 100 world units wide.
  double at(double x, double y) const;

 private:
  std::int64_t rows_ = 0;
  std::int64_t columns_ = 0;
  std::vector<float> cells_;
};

}  // namespace drivers
