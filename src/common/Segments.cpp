#include "common/Segments.h"

#include <cmath>

namespace common {

bool segmentsCross(double ax, double ay, double bx, double by, double px, double py, double qx,
                   double qy) {
  const float fax = static_cast<float>(ax), fay = static_cast<float>(ay);
  const float fbx = static_cast<float>(bx), fby = static_cast<float>(by);
  const float fpx = static_cast<float>(px), fpy = static_cast<float>(py);
  const float fqx = static_cast<float>(qx), fqy = static_cast<float>(qy);
  const float den = (fbx - fax) * (fqy - fpy) - (fby - fay) * (fqx - fpx);
  if (std::fabs(den) < 1e-6f) return false;
  const float t = ((fqx - fpx) * (fay - fpy) - (fqy - fpy) * (fax - fpx)) / den;
  if (!(t > 0.0f && t < 1.0f)) return false;
  const float u = ((fay - fpy) * (fbx - fax) - (fby - fay) * (fax - fpx)) / den;
  return u > 0.0f && u < 1.0f;
}

}  // namespace common
