#include <gtest/gtest.h>

#include <vector>

#include "platform/Random.h"

namespace {

std::vector<double> draws() {
  std::vector<double> values;
  for (int i = 0; i < 20; ++i) values.push_back(platform::random(0, 255));
  for (int i = 0; i < 20; ++i) values.push_back(platform::randInt());
  return values;
}

}  // namespace

TEST(Random, FixedSeedRepeatsTheSequenceAndIgnoresClockSeeding) {
  platform::setFixedSeed(1234);
  const auto first = draws();
  platform::setFixedSeed(1234);
  platform::seedFromClock();  // must not disturb a fixed seed
  EXPECT_TRUE(platform::hasFixedSeed());
  EXPECT_EQ(draws(), first);
  platform::setFixedSeed(1235);
  EXPECT_NE(draws(), first);
}

TEST(Random, ValuesStayInTheirRanges) {
  platform::setFixedSeed(7);
  double lowest = 1e9, highest = -1e9;
  for (int i = 0; i < 20000; ++i) {
    const double value = platform::random(-2.5, 4.0);
    ASSERT_GE(value, -2.5);
    ASSERT_LT(value, 4.0);
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
    const int n = platform::randInt();
    ASSERT_GE(n, 0);
  }
  // The whole range is used, not just a corner of it.
  EXPECT_LT(lowest, -2.4);
  EXPECT_GT(highest, 3.9);
  EXPECT_DOUBLE_EQ(platform::random(3, 3), 3.0);
}
