#include "drivers/DriverLevel.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace drivers {

namespace {

constexpr std::array<const char*, 3> kNames = {"easy", "medium", "hard"};

}  // namespace

const char* levelName(DriverLevel level) {
  return kNames[static_cast<std::size_t>(level)];
}

std::optional<DriverLevel> parseLevel(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (lower == kNames[i]) return static_cast<DriverLevel>(i);
  }
  return std::nullopt;
}

const DrivingStyle& styleOf(DriverLevel level) {
  static const std::array<DrivingStyle, 3> styles = {{
      // Easy: about the pace the drivers always had. A third of the grip, gentle braking, a lazy
      // eye on the road and a rough line with room to spare, re-planned at half the effort.
      {.gripShare = 0.3,
       .braking = 6,
       .nearReach = 0.025,
       .nearMinimum = 10,
       .farReach = 0.05,
       .farMinimum = 20,
       .lineMargin = 6,
       .smoothingPasses = 60,
       .stretchPasses = 30,
       .planningShare = 0.5},
      // Medium: a race for most players, quicker than anyone who only floors it.
      {.gripShare = 0.6,
       .braking = 8,
       .nearReach = 0.015,
       .nearMinimum = 8,
       .farReach = 0.03,
       .farMinimum = 20,
       .lineMargin = 4,
       .smoothingPasses = 300,
       .stretchPasses = 100,
       .planningShare = 1},
      // Hard: close to what the car can do, on a line that uses the whole road.
      {.gripShare = 0.85,
       .braking = 10,
       .nearReach = 0.015,
       .nearMinimum = 8,
       .farReach = 0.03,
       .farMinimum = 20,
       .lineMargin = 3,
       .smoothingPasses = 300,
       .stretchPasses = 100,
       .planningShare = 1},
  }};
  return styles[static_cast<std::size_t>(level)];
}

}  // namespace drivers
