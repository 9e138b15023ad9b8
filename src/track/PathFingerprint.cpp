#include "track/PathFingerprint.h"

#include <bit>
#include <cstdint>
#include <cstdio>

namespace track {
namespace {

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ull;

void mix(std::uint64_t& hash, double value) {
  // +0.0 and -0.0 are one position.
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value == 0.0 ? 0.0 : value);
  for (int byte = 0; byte < 8; ++byte) {
    hash ^= (bits >> (8 * byte)) & 0xffu;
    hash *= kFnvPrime;
  }
}

}  // namespace

std::string pathFingerprint(const std::vector<TrackPoint>& filePoints) {
  std::uint64_t hash = kFnvOffset;
  for (const TrackPoint& point : filePoints) {
    mix(hash, point.x);
    mix(hash, point.y);
    mix(hash, point.width);
    mix(hash, point.offset);
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace track
