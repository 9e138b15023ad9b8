#pragma once

namespace common {

// Whether segment A-B and segment P-Q cross, computed in single precision (coordinates in any
// one unit, typically world units). The bounds are strict: touching an end point or running
// along the other segment does not count, and neither does a segment of no length.
bool segmentsCross(double ax, double ay, double bx, double by, double px, double py, double qx,
                   double qy);

}  // namespace common
