#include <gtest/gtest.h>

#include <cstdint>

#include "SmallTrack.h"
#include "background/BackgroundGenerator.h"
#include "background/GroundLayer.h"
#include "platform/Random.h"
#include "support/TestSupport.h"
#include "track/Geometry.h"

namespace {

// FNV-1a over the pixels, row by row.
std::uint64_t pictureHash(const platform::Bitmap& picture) {
  std::uint64_t hash = 14695981039346656037ull;
  const std::size_t count = static_cast<std::size_t>(picture.width()) * picture.height();
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ picture.data()[i]) * 1099511628211ull;
  }
  return hash;
}

TEST(Themes, AFileWithoutAThemePaintsTheMeadowAsBefore) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  platform::setFixedSeed(2008);
  BackgroundGenerator generator;
  ASSERT_TRUE(generator.step(*track, dir.folder() + "loop.png", {}, true));
  EXPECT_EQ(pictureHash(generator.picture()), 15025609943718731396ull);
}

TEST(GroundLayer, TheRaceFeelsTheGroundThePictureShows) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  platform::setFixedSeed(5);
  BackgroundGenerator generator;
  ASSERT_TRUE(generator.step(*track, dir.folder() + "loop.png", {}, true));
  const std::unique_ptr<SurfaceMap> road = buildSurfaceMap(*track, GroundLayer::kCellSize);
  SurfaceMap dressed = *road;
  dressSurfaceMap(dressed, *track, dir.folder() + "loop.png");
  std::size_t sand = 0;
  for (std::size_t i = 0; i < road->cells.size(); ++i) {
    if (road->cells[i] == SurfaceMap::kRoad) {
      ASSERT_EQ(dressed.cells[i], SurfaceMap::kRoad);
    } else {
      ASSERT_TRUE(dressed.cells[i] == SurfaceMap::kGrass || dressed.cells[i] == SurfaceMap::kSand);
      sand += dressed.cells[i] == SurfaceMap::kSand;
    }
  }
  EXPECT_GT(sand, 20u);  // the run-off in the bends

  // A picture drawn elsewhere has no layer: off the road lies the theme's ground.
  platform::Bitmap(20, 20, 0xff00ff00u).savePng(dir.folder() + "drawn.png");
  SurfaceMap plain = *road;
  dressSurfaceMap(plain, *track, dir.folder() + "drawn.png");
  EXPECT_EQ(plain.cells, road->cells);
}

}  // namespace
