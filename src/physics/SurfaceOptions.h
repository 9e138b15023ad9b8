#pragma once
#include <cstdint>
#include <string>

namespace physics {

// How one kind of ground holds and slows a car.
struct SurfaceGrip {
  double grip = 0;        // percent of the normal grip, typically 30..100
  double resistance = 0;  // rolling resistance factor: 10..30 on tarmac, 800..3000 off it
};

// Grip and rolling resistance of every kind of ground for the current weather, as the options
// store holds them ("dry_tarmac_grip", "dry_sand_resistance" and their siblings, chosen by
// "weatherType").
struct SurfaceValues {
  SurfaceGrip tarmac;
  SurfaceGrip grass;
  SurfaceGrip sand;
  SurfaceGrip snow;
  SurfaceGrip gravel;

  // The values for a cell of the race's surface map: grass for 0, sand, snow and gravel for
  // their kinds, tarmac for any other value inside the map. Water and the ground beyond the
  // map are walls, which the car never stands on; should it be put there, it reads grass.
  const SurfaceGrip& of(std::int32_t cell) const;
};

// Reads the surface values of the current weather from the options store. The values are asked
// for on every physics step of every car, so building the key strings and looking them up each
// time would cost more than the step itself: the values are kept and read again only when the
// store reports a change (its revision moved).
class SurfaceOptions {
 public:
  const SurfaceValues& current();

  // The values as the store holds them now, without the cache, for Options::weather() (an
  // unknown weather type races as "dry"). Negative numbers (a hand-edited file) read as 0: a
  // negative grip or resistance would make the integration blow up. A missing key of "dry" or
  // "wet" has its default; a weather type of the player's own that lacks the sand, snow or
  // gravel keys drives on those as on its grass.
  static SurfaceValues read();

 private:
  bool valid_ = false;
  unsigned revision_ = 0;
  SurfaceValues values_;
};

}  // namespace physics
