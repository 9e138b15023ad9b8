#include <gtest/gtest.h>

#include <limits>

#include "common/Angle.h"

namespace {

using common::wrapAngle;

// The game's results depend on these exact literals.
static_assert(common::kPi == 3.1415926535);
static_assert(common::kTwoPi == 6.283185307);
static_assert(common::kHalfPi == 1.57079632675);
static_assert(common::kQuarterPi == 0.785398163375);
static_assert(common::kThreeQuarterPi == 2.356194490125);
static_assert(static_cast<float>(common::kTwoPi) == 6.2831853f);

TEST(WrapAngle, TakesWholeTurnsOffIntoTheRangeAskedFor) {
  EXPECT_DOUBLE_EQ(wrapAngle(-0.5), common::kTwoPi - 0.5);
  EXPECT_DOUBLE_EQ(wrapAngle(7.0), 7.0 - common::kTwoPi);
  // The ends of the range stay as they are.
  EXPECT_EQ(wrapAngle(common::kTwoPi), common::kTwoPi);
  EXPECT_EQ(wrapAngle(0.0), 0.0);
  EXPECT_DOUBLE_EQ(wrapAngle(4.0, -common::kPi), 4.0 - common::kTwoPi);
  EXPECT_EQ(wrapAngle(common::kPi, -common::kPi), common::kPi);
  EXPECT_DOUBLE_EQ(wrapAngle(-4.0f, static_cast<float>(-common::kPi)),
                   -4.0f + static_cast<float>(common::kTwoPi));
}

TEST(WrapAngle, FarAnglesAreReducedFirstAndNonFiniteOnesGiveZero) {
  // One turn at a time from 20 rounds differently from fmod's exact remainder.
  const double stepped = wrapAngle(20.0);
  const double reduced = wrapAngle(20.0, 0.0, 0.0);
  EXPECT_EQ(reduced, std::fmod(20.0, common::kTwoPi));
  EXPECT_NEAR(stepped, reduced, 1e-12);
  const double wild = wrapAngle(1e15);
  EXPECT_GE(wild, 0.0);
  EXPECT_LE(wild, common::kTwoPi);
  EXPECT_EQ(wrapAngle(std::numeric_limits<double>::quiet_NaN()), 0.0);
  EXPECT_EQ(wrapAngle(-std::numeric_limits<float>::infinity()), 0.0f);
}

TEST(AngleBetween, IsTheSmallerWayRound) {
  EXPECT_DOUBLE_EQ(common::angleBetween(0.25, -0.25), 0.5);
  EXPECT_DOUBLE_EQ(common::angleBetween(3.0, -3.0), common::kTwoPi - 6.0);
  EXPECT_EQ(common::angleBetween(1.0, 1.0), 0.0);
}

}  // namespace
