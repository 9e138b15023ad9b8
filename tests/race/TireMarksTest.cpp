#include <gtest/gtest.h>

#include <cmath>

#include "platform/Graphics.h"
#include "race/TireMarks.h"
#include "support/FakeCar.h"

namespace {

using race::TireMarks;

int alphaAt(const TireMarks& marks, int k, int px, int py) {
  return platform::alphaOf(marks.tile(k).getPixel(px, py));
}

int darkestPixel(const TireMarks& marks, int k) {
  int darkest = 0;
  for (int y = 0; y < TireMarks::kBitmapSize; ++y)
    for (int x = 0; x < TireMarks::kBitmapSize; ++x)
      darkest = std::max(darkest, alphaAt(marks, k, x, y));
  return darkest;
}

TEST(TireMarkStamps, OneTilePerHundredPixelsAndNothingOffTheBackground) {
  TireMarks marks(250, 130, nullptr);
  EXPECT_EQ(marks.tilesPerRow(), 3);
  EXPECT_EQ(marks.tileCount(), 6);
  EXPECT_EQ(marks.stampAt(-1, 5, 40, 80), -1);
  EXPECT_EQ(marks.stampAt(250, 5, 40, 80), -1);
  EXPECT_EQ(marks.stampAt(5, 130, 40, 80), -1);
  for (int k = 0; k < marks.tileCount(); ++k) EXPECT_EQ(darkestPixel(marks, k), 0);
  EXPECT_EQ(marks.stampAt(249, 129, 40, 80), 5);
}

TEST(TireMarkStamps, BrushAtTheCornerSoftensTheRing) {
  TireMarks marks(250, 130, nullptr);
  EXPECT_EQ(marks.stampAt(0, 0, 40, 80), 0);
  EXPECT_EQ(alphaAt(marks, 0, 1, 1), 40);
  EXPECT_EQ(alphaAt(marks, 0, 2, 1), 20);
  EXPECT_EQ(alphaAt(marks, 0, 1, 2), 20);
  EXPECT_EQ(alphaAt(marks, 0, 2, 2), 10);
  // Ring pixels drawn over the neighbours stay at most 80 / 16.
  for (auto [x, y] : {std::pair{0, 1}, {0, 2}, {0, 0}, {1, 0}, {2, 0}})
    EXPECT_LE(alphaAt(marks, 0, x, y), 5) << x << "," << y;
  EXPECT_EQ(marks.tile(0).getPixel(1, 1) & 0x00ffffffu, 0u);  // black
}

TEST(TireMarkStamps, FarEdgeOfATileUsesTheOuterRing) {
  TireMarks marks(250, 130, nullptr);
  EXPECT_EQ(marks.stampAt(99, 99, 200, 160), 0);
  EXPECT_EQ(alphaAt(marks, 0, 100, 100), 160);
  for (auto [x, y] : {std::pair{101, 100}, {101, 101}, {101, 99}, {100, 101}, {99, 101}})
    EXPECT_LE(alphaAt(marks, 0, x, y), 10) << x << "," << y;
  EXPECT_EQ(alphaAt(marks, 1, 1, 1), 0);  // the neighbour's own pixels are untouched
}

TEST(TireMarkStamps, DarknessStopsAtTheCeiling) {
  TireMarks marks(250, 130, nullptr);
  for (int i = 0; i < 50; ++i) marks.stampAt(150, 60, 7, 160);
  EXPECT_EQ(darkestPixel(marks, 1), 160);
  EXPECT_EQ(alphaAt(marks, 1, 51, 61), 160);
  // A ceiling beyond an 8-bit alpha is held at 255 instead of wrapping round.
  TireMarks deep(250, 130, nullptr);
  for (int i = 0; i < 50; ++i) deep.stampAt(150, 60, 100, 300);
  EXPECT_EQ(darkestPixel(deep, 1), 255);
  EXPECT_EQ(alphaAt(deep, 1, 51, 61), 255);
}

TEST(TireMarkStrength, GrowsWithDriftSpeedThrottleAndBrake) {
  EXPECT_EQ(race::markStrength(0, 0, 0, 0, 2), 0);  // standing still leaves no mark
  EXPECT_EQ(race::markStrength(0, 30, 0, 0, 2), 2);
  EXPECT_EQ(race::markStrength(0, 30, 0, 50, 2), 4);
  EXPECT_EQ(race::markStrength(0.5, 30, 100, 0, 2), 12);  // m = 8, e = 12
  EXPECT_EQ(race::markStrength(0, -30, 0, 0, 2), 0);
  EXPECT_EQ(race::markStrength(std::nan(""), 30, 0, 0, 2), 0);
  EXPECT_GT(race::markStrength(3, 1e12, 100, 100, 1 << 20), 255);  // saturates, no overflow
}

TEST(TireMarkWheels, FourPointsFiveUnitsFromTheCentre) {
  const auto wheels = race::wheelPoints(100, 100, 0);
  // Angle 0 drives down the screen: wheels 1 and 2 are the pair below the centre, 3 and 4 the
  // pair above it, each pair 31° either side of the car's axis (truncated toward zero).
  const int expected[4][2] = {{102, 104}, {97, 104}, {97, 95}, {102, 95}};
  for (int w = 0; w < 4; ++w) {
    EXPECT_EQ(wheels[w].x, expected[w][0]) << w;
    EXPECT_EQ(wheels[w].y, expected[w][1]) << w;
  }
}

TEST(TireMarkLaying, QualityOneServesOneCarPerFrameWithALargerBudget) {
  track::TrackData track;
  std::vector<FakeCar> cars;
  for (int i = 0; i < 4; ++i) cars.emplace_back(track, 50.0 + 100.0 * i, 50.0);
  std::vector<physics::Car*> pointers;
  for (auto& car : cars) {
    car.speed = 30;
    pointers.push_back(&car);
  }
  TireMarks marks(400, 100, nullptr);
  race::TireMarkSettings settings{20, 1, 255};
  marks.lay(pointers, settings);
  // Car 0 alone, with the budget (4 × 2 + 1) / 2 = 4 per wheel.
  EXPECT_EQ(darkestPixel(marks, 0), 4);
  for (int k = 1; k < 4; ++k) EXPECT_EQ(darkestPixel(marks, k), 0);
  EXPECT_EQ(marks.turn(), 1);
  EXPECT_EQ(marks.refreshCount(), 1);
  for (int frame = 1; frame < 4; ++frame) marks.lay(pointers, settings);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(darkestPixel(marks, k), 4);
  EXPECT_EQ(marks.turn(), 0);

  // Default quality: every car every frame with budget 2; only the car whose turn it is
  // refreshes a picture.
  TireMarks every(400, 100, nullptr);
  settings.quality = 2;
  every.lay(pointers, settings);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(darkestPixel(every, k), 2);
  EXPECT_EQ(every.refreshCount(), 1);
}

TEST(TireMarkDrawing, OnlyTilesOnScreenPlusAMargin) {
  TireMarks marks(2000, 1500, nullptr);  // 21 per row, 16 rows
  auto visible = marks.visibleTiles(0, 0, 800, 600);
  EXPECT_EQ(visible.size(), 10u * 8u);  // columns 0..9, rows 0..7
  EXPECT_EQ(visible.front(), 0);
  EXPECT_EQ(visible.back(), 7 * 21 + 9);

  visible = marks.visibleTiles(-1050, -250, 800, 600);  // first column 10, first row 2
  EXPECT_EQ(visible.front(), 2 * 21 + 10);
  EXPECT_EQ(visible.back(), 9 * 21 + 19);

  visible = marks.visibleTiles(-1200, -900, 800, 600);  // the bottom right corner
  EXPECT_EQ(visible.back(), marks.tileCount() - 1);
  for (int k : visible) EXPECT_LT(k, marks.tileCount());

  TireMarks small(300, 200, nullptr);  // centred on a larger screen
  EXPECT_EQ(small.visibleTiles(250, 200, 800, 600).size(), 12u);

  // At 2× the screen shows half the world: columns 0..5, rows 0..4.
  visible = marks.visibleTiles(0, 0, 800, 600, 2.0);
  EXPECT_EQ(visible.size(), 6u * 5u);
  EXPECT_EQ(visible.back(), 4 * 21 + 5);
}

TEST(TireMarkDrawing, ClearTilesAreNotDrawn) {
  platform::Graphics graphics(800, 600);
  TireMarks marks(400, 300, &graphics);
  marks.draw(0, 0, 800, 600);
  EXPECT_TRUE(graphics.queued().empty());

  track::TrackData track;
  FakeCar car(track, 150, 150);
  car.speed = 30;
  std::vector<physics::Car*> cars{&car};
  marks.lay(cars, race::TireMarkSettings{20, 2, 255});
  marks.draw(0, 0, 800, 600);
  ASSERT_EQ(graphics.queued().size(), 1u);  // the one tile the car's marks have shown
  EXPECT_EQ(graphics.queued()[0].x, 99);
  EXPECT_EQ(graphics.queued()[0].y, 99);

  // Zoomed, the tile is scaled with the background: its pixel for world (150, 150), bitmap
  // pixel (51, 51), lands where the camera puts that world point.
  graphics.flush();
  marks.draw(-50, -30, 800, 600, 2.0);
  ASSERT_EQ(graphics.queued().size(), 1u);
  const platform::DrawCall& tile = graphics.queued()[0];
  EXPECT_EQ(tile.scaleX, 2);
  EXPECT_EQ(tile.x + 51 * tile.scaleX, 150 * 2 - 50);
  EXPECT_EQ(tile.y + 51 * tile.scaleY, 150 * 2 - 30);
}

}  // namespace
