#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/Angle.h"
#include "drivers/DrivingFeatures.h"

namespace {

using namespace drivers::driving;

track::TrackPoint at(double x, double y) {
  track::TrackPoint p;
  p.x = x;
  p.y = y;
  return p;
}

TEST(DrivingFeatures, BearingIsLinearWithinSeventeenDegreesAndSaturatesBeyond) {
  const double a = 0.294524311265625;
  for (double u = -3.2; u <= 3.2; u += 0.01) {
    const double expected = std::clamp(0.5 + 0.5 * u / a, 0.0, 1.0);
    EXPECT_NEAR(bearingFromOffset(u), expected, 1e-9) << "u = " << u;
  }
  EXPECT_DOUBLE_EQ(bearingFromOffset(0), 0.5);
}

TEST(DrivingFeatures, BearingOfTargetsAroundACarDrivingDownTheScreen) {
  // getAngle() 0: the car drives along +y; its right hand is on the screen's left (-x).
  const double x = 400;
  const double y = 400;  // map (100, 100)
  EXPECT_NEAR(bearingFeature(0, x, y, at(100, 130)), 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(bearingFeature(0, x, y, at(70, 130)), 1.0);   // ahead right
  EXPECT_DOUBLE_EQ(bearingFeature(0, x, y, at(130, 130)), 0.0);  // ahead left
  // Slightly right; the same when the heading carries whole extra turns.
  const double slight = bearingFeature(0, x, y, at(99, 130));
  EXPECT_GT(slight, 0.5);
  EXPECT_LT(slight, 1.0);
  EXPECT_NEAR(bearingFeature(-2 * common::kTwoPi, x, y, at(99, 130)), slight, 1e-6);
  // Across the ±pi seam: a car driving along -x (getAngle pi/2) with the target slightly to
  // its right (up the screen, -y).
  EXPECT_GT(bearingFeature(common::kHalfPi, x, y, at(70, 99)), 0.5);
  EXPECT_LT(bearingFeature(common::kHalfPi, x, y, at(70, 101)), 0.5);
}

TEST(DrivingFeatures, EffortFollowsSkillOnlyWithinOneToThirtyFive) {
  for (int skill : {0, 36, -4, 5}) EXPECT_EQ(planningEffort(skill), 10) << skill;
  EXPECT_EQ(planningEffort(1), 6);
  EXPECT_EQ(planningEffort(35), 40);
}

}  // namespace
