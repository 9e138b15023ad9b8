#include <gtest/gtest.h>

#include <cmath>

#include "track/StartGrid.h"

namespace {

// A long thin loop: the finish at (1000, 100), the road 100 wide, driven left to right along
// y = 100 and back along y = 500.
std::vector<track::TrackPoint> loop() {
  return {{1000, 100, 100, 0, 0},
          {2000, 100, 100, 0, 0},
          {2000, 500, 100, 0, 0},
          {100, 500, 100, 0, 0},
          {100, 100, 100, 0, 0}};
}

}  // namespace

TEST(StartGrid, TwoStaggeredColumnsBehindTheFinishFacingTheWayOfTravel) {
  const std::vector<track::TrackPoint> grid = track::startgrid::layOut(loop(), 5);
  ASSERT_EQ(grid.size(), 5u);
  for (int slot = 0; slot < 5; ++slot) {
    const track::TrackPoint& place = grid[static_cast<std::size_t>(slot)];
    const double behind = track::startgrid::kFront + (slot / 2) * track::startgrid::kRowSpacing +
                          (slot % 2) * track::startgrid::kRowSpacing * 0.5;
    EXPECT_NEAR(place.x, 1000 - behind, 1e-9) << slot;
    // The first column left of the centre line as driven (up the screen), the second right.
    EXPECT_NEAR(place.y, 100 + (slot % 2 == 0 ? -22 : 22), 1e-9) << slot;
    EXPECT_NEAR(place.rotation, 0, 1e-12);  // facing right
  }
  // The race's limit and no loop to stand on.
  EXPECT_EQ(track::startgrid::layOut(loop(), 40).size(),
            static_cast<std::size_t>(track::startgrid::kMaxPlaces));
  EXPECT_TRUE(track::startgrid::layOut({{5, 5, 60, 0, 0}}, 4).empty());
}

TEST(StartGrid, AGridLongerThanItsStretchFollowsTheBendBehindTheFinish) {
  // Finish just after the corner at (100, 100): the later rows stand on the side before it,
  // driven up the screen.
  std::vector<track::TrackPoint> bend = {{130, 100, 100, 0, 0},
                                         {2000, 100, 100, 0, 0},
                                         {2000, 500, 100, 0, 0},
                                         {100, 500, 100, 0, 0},
                                         {100, 100, 100, 0, 0}};
  const std::vector<track::TrackPoint> grid = track::startgrid::layOut(bend, 6);
  const track::TrackPoint& last = grid.back();
  EXPECT_NEAR(last.rotation, 1.5707963267948966, 1e-9);
  EXPECT_GT(last.y, 100);
  EXPECT_NEAR(last.x, 122, 1e-9);  // the right-hand column, 22 right of x = 100 as driven up
}
