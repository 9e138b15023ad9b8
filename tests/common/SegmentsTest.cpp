#include <gtest/gtest.h>

#include "common/Segments.h"

namespace {

TEST(SegmentsCross, StrictBoundsAndParallelSegments) {
  EXPECT_TRUE(common::segmentsCross(0, -1, 0, 1, -1, 0, 1, 0));
  // Touching an end point or ending on the line does not count.
  EXPECT_FALSE(common::segmentsCross(0, -1, 0, 1, -1, 1, 1, 1));
  EXPECT_FALSE(common::segmentsCross(0, -1, 0, 1, -1, 0, 0, 0));
  EXPECT_FALSE(common::segmentsCross(0, -1, 0, 1, 1, -1, 1, 1));     // parallel
  EXPECT_FALSE(common::segmentsCross(0, -1, 0, 1, 0.5, 0, 0.5, 0));  // no movement
}

}  // namespace
