#pragma once
#include <cmath>
#include <concepts>

// Angles are radians. The game's constants are the decimal literals it has always used, not
// full-precision values: every result of a race depends on their last bits.
namespace common {

inline constexpr double kPi = 3.1415926535;
inline constexpr double kTwoPi = 2 * kPi;               // 6.283185307
inline constexpr double kHalfPi = kPi / 2;              // 1.57079632675
inline constexpr double kQuarterPi = kPi / 4;           // 0.785398163375
inline constexpr double kThreeQuarterPi = 3 * kPi / 4;  // 2.356194490125

// `angle` (radians) brought into [lowest, lowest + 2π] by whole turns, taken off one at a time
// as the game always has: each step rounds, and the results depend on it. An angle further
// than `reduceBeyond` (radians) from zero is first reduced exactly with fmod, so that a wild
// value cannot keep the loop spinning; 1000 in most places, 0 where every angle is reduced so.
// A value that is not finite gives 0. Typical calls: wrapAngle(a) into 0..2π,
// wrapAngle(a, -kPi) into -π..π.
template <std::floating_point T>
T wrapAngle(T angle, T lowest = T(0), T reduceBeyond = T(1000)) {
  constexpr T kTurn = static_cast<T>(kTwoPi);
  if (!std::isfinite(angle)) return T(0);
  if (std::fabs(angle) > reduceBeyond) angle = std::fmod(angle, kTurn);
  const T highest = lowest + kTurn;
  while (angle > highest) angle -= kTurn;
  while (angle < lowest) angle += kTurn;
  return angle;
}

// The smaller angle (radians, 0..π) between two directions given within one turn of each
// other, e.g. two results of atan2.
inline double angleBetween(double a, double b) {
  const double difference = std::fabs(a - b);
  return difference > kPi ? kTwoPi - difference : difference;
}

}  // namespace common
