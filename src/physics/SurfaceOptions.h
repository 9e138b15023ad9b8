#pragma once
#include <string>

namespace physics {

// Grip and rolling resistance of the two kinds of ground for the current weather, as the
// options store holds them ("dry_tarmac_grip" and its siblings, chosen by "weatherType").
struct SurfaceValues {
  double tarmacGrip = 0;        // percent of the normal grip, typically 40..100
  double tarmacResistance = 0;  // rolling resistance factor, typically 10..30
  double grassGrip = 0;         // percent, typically 80..100
  double grassResistance = 0;   // typically 1500..3000
};

// Reads the four surface values of the current weather from the options store. The values
// are asked for on every physics step of every car, so building four key strings and looking
// them up each time would cost more than the step itself: the values are kept and read again
// only when the store reports a change (its revision moved).
class SurfaceOptions {
 public:
  const SurfaceValues& current();

  // The values as the store holds them now, without the cache. Negative numbers (a hand-edited
  // file) read as 0: a negative grip or resistance would make the integration blow up.
  static SurfaceValues read();

 private:
  bool valid_ = false;
  unsigned revision_ = 0;
  SurfaceValues values_;
};

}  // namespace physics
