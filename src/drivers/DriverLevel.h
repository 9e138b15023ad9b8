#pragma once
#include <optional>
#include <string>

namespace drivers {

// How hard the computer drivers race. The network and the path search are the same at every
// level; the level sets how fast they dare to go, how far ahead they look and how much work
// goes into their line.
enum class DriverLevel { Easy, Medium, Hard };

// What a level changes in the way a computer driver races.
struct DrivingStyle {
  // Share of the lateral grip the car holds in a steady bend (measured on the car model; less
  // in the wet) taken in bends, 0.3..1.
  double gripShare = 0.8;
  // Deceleration planned for when braking before a bend, m/s² (the car manages about 13).
  double braking = 9;
  // How far ahead the near target (the one it steers for) and the far one lie: metres per
  // (m/s)² of the car's speed, so 0.015 puts a target 6 m ahead at 20 m/s and 24 m at 40 m/s;
  // at least the minimum, in map units (2.5 map units = 1 metre).
  double nearReach = 0.015;
  double nearMinimum = 8;
  double farReach = 0.03;
  double farMinimum = 20;
  // Cells the line keeps from the road's edge, and the sweeps of smoothing the first line and
  // each re-planned stretch of it get.
  double lineMargin = 4;
  int smoothingPasses = 300;
  int stretchPasses = 100;
  // Share of the planning budget ("skill") spent per turn on re-planning the line.
  double planningShare = 1;
};

// "easy", "medium" or "hard".
const char* levelName(DriverLevel level);
// The level of a name in any case; nothing for anything else.
std::optional<DriverLevel> parseLevel(const std::string& name);
const DrivingStyle& styleOf(DriverLevel level);

}  // namespace drivers
