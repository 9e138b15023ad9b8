#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "background/BackgroundGenerator.h"
#include "background/GroundLayer.h"
#include "background/Parallel.h"
#include "platform/Random.h"
#include "support/SmallTrack.h"
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

constexpr std::uint64_t kMeadowHash = 14807258831908820569ull;

// The small loop painted with a theme (seed 2008), with its race map dressed from the picture.
struct Painted {
  testsupport::TempDir dir;
  std::unique_ptr<track::TrackData> track;
  background::BackgroundGenerator generator;
  track::SurfaceMap before;  // the working map as the painting stage found it
  std::unique_ptr<track::SurfaceMap> ground;
  bool painted = false;

  // `shiftX`: world units the loop is moved right, leaving open ground at the left edge.
  explicit Painted(const std::string& theme, double shiftX = 0) {
    track = bgtest::loadRoundedLoop(dir.folder());
    if (!track) return;
    track->theme = theme;
    for (auto* list : {&track->points, &track->positions}) {
      for (track::TrackPoint& p : *list) p.x += shiftX;
    }
    track->extentX += static_cast<std::int32_t>(shiftX);
    platform::setFixedSeed(2008);
    const std::string output = dir.folder() + "loop.png";
    // The stages in the order of a generation in one go.
    generator.rasterize(*track);
    generator.addLineMarks(*track);
    generator.renderClouds();
    generator.addZones(*track);
    before = *generator.map();
    generator.paint();
    generator.plantTrees();
    generator.save(output);
    ground = track::buildSurfaceMap(*track, background::GroundLayer::kCellSize);
    background::dressSurfaceMap(*ground, *track, output);
    painted = true;
  }

  std::size_t count(std::int32_t kind) const {
    return static_cast<std::size_t>(std::count(ground->cells.begin(), ground->cells.end(), kind));
  }
};

TEST(Themes, AFileWithoutAThemePaintsTheMeadowAsBefore) {
  const Painted meadow("");
  ASSERT_TRUE(meadow.painted);
  EXPECT_EQ(pictureHash(meadow.generator.picture()), kMeadowHash);
  EXPECT_TRUE(meadow.generator.warning().empty());
}

TEST(Themes, AnUnknownThemePaintsTheMeadowWithAWarning) {
  const Painted moon("moon");
  ASSERT_TRUE(moon.painted);
  EXPECT_EQ(pictureHash(moon.generator.picture()), kMeadowHash);
  EXPECT_NE(moon.generator.warning().find("\"moon\""), std::string::npos);
  EXPECT_NE(moon.generator.warning().find("meadow"), std::string::npos);
  EXPECT_EQ(moon.generator.theme()->name(), "meadow");
}

// Every theme paints the road as asphalt, its edge line light and its finish line light, with
// nothing of the scenery over them; and the race feels the theme's own ground off the road.
TEST(Themes, EveryThemeKeepsTheRoadClearAndMapsItsGround) {
  struct Expected {
    std::int32_t ground;
    std::int32_t runOff;
  };
  const std::map<std::string, Expected> expected = {
      {"meadow", {track::SurfaceMap::kGrass, track::SurfaceMap::kSand}},
      {"desert", {track::SurfaceMap::kSand, track::SurfaceMap::kSand}},
      {"winter", {track::SurfaceMap::kSnow, track::SurfaceMap::kGravel}},
      {"coast", {track::SurfaceMap::kGrass, track::SurfaceMap::kSand}},
      {"quarry", {track::SurfaceMap::kGravel, track::SurfaceMap::kSand}}};
  ASSERT_EQ(background::themeNames().size(), expected.size());
  for (const std::string& name : background::themeNames()) {
    SCOPED_TRACE(name);
    const Painted painted(name);
    ASSERT_TRUE(painted.painted);
    EXPECT_EQ(painted.generator.theme()->name(), name);
    const track::SurfaceMap& map = painted.before;
    const platform::Bitmap& picture = painted.generator.picture();
    std::size_t plain = 0, lines = 0, finish = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        int road = 0, edge = 0, marks = 0;
        for (long long r = 2LL * y; r <= 2LL * y + 1; ++r) {
          for (long long c = 2LL * x; c <= 2LL * x + 1; ++c) {
            road += map.at(r, c) == background::BackgroundGenerator::kRoad;
            edge += background::BackgroundGenerator::isEdgeLineCell(map, r, c);
            marks += map.at(r, c) == background::BackgroundGenerator::kFinishLine;
          }
        }
        const platform::Color pixel = picture.getPixel(x, y);
        const int red = platform::redOf(pixel), green = platform::greenOf(pixel);
        const int blue = platform::blueOf(pixel);
        const int spread = std::max({red, green, blue}) - std::min({red, green, blue});
        if (road == 4 && edge == 0) {  // plain asphalt: grey, neither dark as a shadow nor bright
          ASSERT_LE(spread, 30) << x << "," << y;
          ASSERT_GE(green, 15) << x << "," << y;
          ASSERT_LE(green, 165) << x << "," << y;
          ++plain;
        } else if (edge == 4) {
          ASSERT_LE(spread, 12) << x << "," << y;
          lines += green >= 110;
        } else if (marks >= 2 && road + marks == 4) {  // the finish line is one cell wide
          ASSERT_LE(spread, 12) << x << "," << y;
          finish += green >= 90;
        }
      }
    }
    EXPECT_GT(plain, 1000u);
    EXPECT_GT(lines, 200u);
    EXPECT_GT(finish, 5u);

    const Expected& kinds = expected.at(name);
    EXPECT_EQ(painted.generator.theme()->surfaceOf(background::BackgroundGenerator::kGrass),
              kinds.ground);
    EXPECT_EQ(painted.generator.theme()->surfaceOf(background::BackgroundGenerator::kRunOff),
              kinds.runOff);
    EXPECT_GT(painted.count(kinds.ground), painted.ground->cells.size() / 3);
    EXPECT_GT(painted.count(kinds.runOff), 20u);
  }
}

// The painter shares its rows among threads; the picture must not show how many there were.
TEST(Themes, EveryThemePaintsTheSamePictureOnOneThreadAsOnSeveral) {
  for (const std::string& name : background::themeNames()) {
    SCOPED_TRACE(name);
    background::parallel::setThreadCount(1);
    const Painted alone(name);
    background::parallel::setThreadCount(5);
    const Painted shared(name);
    background::parallel::setThreadCount(0);
    ASSERT_TRUE(alone.painted && shared.painted);
    EXPECT_EQ(pictureHash(alone.generator.picture()), pictureHash(shared.generator.picture()));
    EXPECT_EQ(alone.ground->cells, shared.ground->cells);
  }
}

TEST(Themes, TheCoastFloodsTheRoomAtTheEdgeAndTheCarsMeetAWall) {
  const Painted coast("coast", 300);
  ASSERT_TRUE(coast.painted);
  EXPECT_GT(coast.count(track::SurfaceMap::kWater), 1000u);  // the strip left of the loop
  EXPECT_EQ(coast.ground->at(60, 10), track::SurfaceMap::kWater);
  // Between the road and the water lies a beach.
  EXPECT_GT(coast.count(track::SurfaceMap::kSand), 200u);
}

TEST(GroundLayer, TheRaceFeelsTheGroundThePictureShows) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  platform::setFixedSeed(5);
  background::BackgroundGenerator generator;
  ASSERT_TRUE(generator.step(*track, dir.folder() + "loop.png", {}, true));
  const std::unique_ptr<track::SurfaceMap> road =
      track::buildSurfaceMap(*track, background::GroundLayer::kCellSize);
  track::SurfaceMap dressed = *road;
  background::dressSurfaceMap(dressed, *track, dir.folder() + "loop.png");
  std::size_t sand = 0;
  for (std::size_t i = 0; i < road->cells.size(); ++i) {
    if (road->cells[i] == track::SurfaceMap::kRoad) {
      ASSERT_EQ(dressed.cells[i], track::SurfaceMap::kRoad);
    } else {
      ASSERT_TRUE(dressed.cells[i] == track::SurfaceMap::kGrass ||
                  dressed.cells[i] == track::SurfaceMap::kSand);
      sand += dressed.cells[i] == track::SurfaceMap::kSand;
    }
  }
  EXPECT_GT(sand, 20u);  // the run-off in the bends

  // A picture drawn elsewhere has no layer: off the road lies the theme's ground.
  platform::Bitmap(20, 20, 0xff00ff00u).savePng(dir.folder() + "drawn.png");
  track::SurfaceMap plain = *road;
  background::dressSurfaceMap(plain, *track, dir.folder() + "drawn.png");
  EXPECT_EQ(plain.cells, road->cells);
}

}  // namespace
