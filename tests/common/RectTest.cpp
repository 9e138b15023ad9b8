#include <gtest/gtest.h>

#include "common/Rect.h"

namespace {

TEST(Rect, ContainsOnlyWhatLiesStrictlyInside) {
  constexpr common::Rect rect{10, 20, 30, 40};
  EXPECT_TRUE(rect.strictlyContains(11, 21));
  EXPECT_TRUE(rect.strictlyContains(29, 39));
  EXPECT_FALSE(rect.strictlyContains(10, 30));  // on the left edge
  EXPECT_FALSE(rect.strictlyContains(20, 40));  // on the bottom edge
  EXPECT_FALSE(rect.strictlyContains(31, 30));
  EXPECT_FALSE(common::Rect{}.strictlyContains(0, 0));
}

}  // namespace
