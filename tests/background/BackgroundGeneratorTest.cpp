#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <utility>

#include "background/BackgroundGenerator.h"
#include "platform/Random.h"
#include "support/SmallTrack.h"
#include "support/TestSupport.h"
#include "track/Geometry.h"

namespace {

using Generator = background::BackgroundGenerator;

// One generation of the small loop, run stage by stage, with what each stage left behind.
struct Generation {
  testsupport::TempDir dir;
  std::unique_ptr<track::TrackData> track;
  std::string output;
  std::vector<double> widthsBefore;
  std::vector<int> stages;        // stage() after each call
  track::SurfaceMap road;         // the plain road map
  track::SurfaceMap beforePaint;  // the working map as the painting stage found it
  std::vector<Generator::TreeSpot> trees;
  std::unique_ptr<Generator> generator = std::make_unique<Generator>();

  Generation() {
    track = bgtest::loadRoundedLoop(dir.folder());
    output = dir.folder() + "loop.png";
    for (const auto& p : track->points) widthsBefore.push_back(p.width);
    road = *track::buildSurfaceMap(*track, Generator::kCellSize);
    platform::setFixedSeed(11);
    for (int call = 1; call <= 9; ++call) {
      if (generator->stage() == 6) beforePaint = *generator->map();
      EXPECT_TRUE(generator->step(*track, output, {}, false)) << generator->lastError();
      if (generator->stage() == 8) trees = generator->trees();
      stages.push_back(generator->stage());
    }
  }
};

class GenerationTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { generation = new Generation(); }
  static void TearDownTestSuite() {
    delete generation;
    generation = nullptr;
  }
  static Generation* generation;
};
Generation* GenerationTest::generation = nullptr;

TEST_F(GenerationTest, NineCallsMakeAPictureAndATenthStartsAgain) {
  const Generation& g = *generation;
  EXPECT_EQ(g.stages, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(std::filesystem::exists(g.output));
  EXPECT_EQ(g.generator->map(), nullptr);  // released after saving
  EXPECT_EQ(g.generator->stageCaption(1), "\n\nRasterizing level");
  EXPECT_EQ(g.generator->stageCaption(9), "");

  // The path point widths are the ones the track came with.
  ASSERT_EQ(g.track->points.size(), g.widthsBefore.size());
  for (std::size_t i = 0; i < g.widthsBefore.size(); ++i) {
    EXPECT_EQ(g.track->points[i].width, g.widthsBefore[i]);
  }

  Generator again;
  ASSERT_TRUE(again.step(*g.track, g.output, {}, false));
  EXPECT_EQ(again.stage(), 1);
  EXPECT_EQ(again.picture().width(), 0);  // the first call only starts the generation
}

TEST_F(GenerationTest, PictureCoversTwoByTwoCellsAndIsOpaque) {
  const Generation& g = *generation;
  const platform::Bitmap& picture = g.generator->picture();
  // The map has an odd number of rows and columns: its last ones are not painted.
  ASSERT_EQ(g.road.columns % 2, 1u);
  EXPECT_EQ(picture.width(), static_cast<int>(g.road.columns / 2));
  EXPECT_EQ(picture.height(), static_cast<int>(g.road.rows / 2));
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      ASSERT_EQ(platform::alphaOf(picture.getPixel(x, y)), 255) << x << "," << y;
    }
  }
  const platform::Bitmap saved = platform::Bitmap::loadPng(g.output);
  ASSERT_EQ(saved.width(), picture.width());
  ASSERT_EQ(saved.height(), picture.height());
  EXPECT_TRUE(
      std::equal(saved.data(), saved.data() + saved.width() * saved.height(), picture.data()));
}

TEST_F(GenerationTest, ZonesKeepTheRoadAndLeaveOpenGrassFarFromIt) {
  const Generation& g = *generation;
  const track::SurfaceMap& map = g.beforePaint;
  std::size_t runOff = 0, openGrass = 0;
  for (std::size_t i = 0; i < map.cells.size(); ++i) {
    const std::int32_t cell = map.cells[i];
    if (g.road.cells[i] == Generator::kRoad) {
      // Only the finish line and white marks are drawn over the road.
      EXPECT_TRUE(cell == Generator::kRoad || cell == Generator::kFinishLine ||
                  cell == Generator::kWhiteMark)
          << cell;
    } else {
      runOff += cell == Generator::kRunOff;
      openGrass += cell == Generator::kOpenGrass;
    }
  }
  EXPECT_GT(runOff, 100u);
  EXPECT_GT(openGrass, map.cells.size() / 10);

  // The open-grass road is at least 70 units wider than the road: 35 units (70 cells) each side.
  const long long clearance = 60;
  for (long long r = 0; r < map.rows; r += 3) {
    for (long long c = 0; c < map.columns; c += 3) {
      if (map.at(r, c) != Generator::kOpenGrass) continue;
      for (long long d = -clearance; d <= clearance; d += 4) {
        ASSERT_NE(g.road.at(r + d, c), Generator::kRoad) << r << "," << c;
        ASSERT_NE(g.road.at(r, c + d), Generator::kRoad) << r << "," << c;
      }
    }
  }
}

TEST_F(GenerationTest, TreesStandOnlyOnOpenGrassOnePerBlock) {
  const Generation& g = *generation;
  ASSERT_FALSE(g.trees.empty());
  std::set<std::pair<int, int>> blocks;
  for (const auto& tree : g.trees) {
    EXPECT_EQ(g.beforePaint.at(2LL * tree.y, 2LL * tree.x), Generator::kOpenGrass);
    EXPECT_GE(tree.size, 70);
    EXPECT_LE(tree.size, 98);
    EXPECT_EQ(tree.size % 2, 0);
    EXPECT_TRUE(blocks.insert({(tree.x + 30) / 60, (tree.y + 30) / 60}).second);
  }
}

TEST_F(GenerationTest, EdgeLineIsLightAndPlainRoadDark) {
  const Generation& g = *generation;
  const track::SurfaceMap& map = g.beforePaint;
  const platform::Bitmap& picture = g.generator->picture();
  // No tree or shadow reaches the road: every road pixel shows the asphalt.
  std::size_t edgePixels = 0, plainPixels = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      int road = 0, edge = 0;
      for (int r = 2 * y; r <= 2 * y + 1; ++r) {
        for (int c = 2 * x; c <= 2 * x + 1; ++c) {
          road += map.at(r, c) == Generator::kRoad;
          edge += Generator::isEdgeLineCell(map, r, c);
        }
      }
      if (road < 4) continue;
      const int green = platform::greenOf(picture.getPixel(x, y));
      if (edge == 0) {
        EXPECT_LE(green, 99) << x << "," << y;
        ++plainPixels;
      } else if (edge == 4 && green >= 108) {
        ++edgePixels;
      }
    }
  }
  EXPECT_GT(plainPixels, 1000u);
  EXPECT_GT(edgePixels, 200u);
}

track::SurfaceMap bandMap(std::uint32_t firstRow, std::uint32_t lastRow) {
  track::SurfaceMap map(40, 12);
  for (std::uint32_t r = firstRow; r <= lastRow; ++r) {
    for (std::uint32_t c = 0; c < map.columns; ++c) map.set(r, c, Generator::kRoad);
  }
  return map;
}

std::vector<long long> edgeRows(const track::SurfaceMap& map) {
  std::vector<long long> rows;
  for (long long r = 0; r < map.rows; ++r) {
    if (Generator::isEdgeLineCell(map, r, 6)) rows.push_back(r);
  }
  return rows;
}

TEST(EdgeLine, RunsTwoToFourCellsInsideTheBorder) {
  // Road rows 10..29: rows 10 and 29 are its border rows.
  EXPECT_EQ(edgeRows(bandMap(10, 29)), (std::vector<long long>{12, 13, 14, 25, 26, 27}));
  // A road along the map's top border gets no line from the cells beyond the map.
  EXPECT_EQ(edgeRows(bandMap(0, 19)), (std::vector<long long>{15, 16, 17}));
  // Grass and marks are never painted with it.
  EXPECT_FALSE(Generator::isEdgeLineCell(bandMap(10, 29), 5, 6));
}

TEST(Generation, SameSeedSamePicture) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  Generator first, second;
  platform::setFixedSeed(3);
  ASSERT_TRUE(first.step(*track, dir.folder() + "a.png", {}, true));
  EXPECT_EQ(first.stage(), background::BackgroundGenerator::kDoneStage);
  platform::setFixedSeed(3);
  ASSERT_TRUE(second.step(*track, dir.folder() + "b.png", {}, true));
  const auto& a = first.picture();
  const auto& b = second.picture();
  ASSERT_EQ(a.width(), b.width());
  ASSERT_EQ(a.height(), b.height());
  EXPECT_TRUE(std::equal(a.data(), a.data() + a.width() * a.height(), b.data()));
  EXPECT_EQ(testsupport::readFile(dir.folder() + "a.png"),
            testsupport::readFile(dir.folder() + "b.png"));
}

TEST(Generation, PathMarksArePaintedRed) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  Generator generator;
  // Four cells of one pixel, plus marks outside the map that are ignored.
  const std::vector<track::TrackPoint> marks = {{300, 600}, {301, 600}, {300, 601},
                                                {301, 601}, {-5, 3},    {1e6, 4}};
  while (generator.stage() != 6)
    ASSERT_TRUE(generator.step(*track, dir.folder() + "p.png", marks, false));
  EXPECT_EQ(generator.map()->at(600, 300), Generator::kPathMark);
  ASSERT_TRUE(generator.step(*track, dir.folder() + "p.png", marks, false));
  EXPECT_EQ(generator.picture().getPixel(150, 300), platform::argb(255, 252, 0, 0));
}

TEST(Generation, FailuresAreReportedNotThrown) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  Generator generator;
  const std::string unwritable = dir.folder() + "no/such/folder/loop.png";
  EXPECT_FALSE(generator.step(*track, unwritable, {}, true));
  EXPECT_EQ(generator.stage(), background::BackgroundGenerator::kDoneStage);
  EXPECT_NE(generator.lastError().find(unwritable), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(unwritable));

  // A track without a path fails at once, and stepping on does not touch the missing map.
  track::TrackData empty;
  Generator stepwise;
  EXPECT_TRUE(stepwise.step(empty, dir.folder() + "e.png", {}, false));
  EXPECT_FALSE(stepwise.step(empty, dir.folder() + "e.png", {}, false));
  EXPECT_EQ(stepwise.stage(), background::BackgroundGenerator::kDoneStage);
  EXPECT_FALSE(stepwise.lastError().empty());

  // The next generation starts afresh and succeeds.
  ASSERT_TRUE(generator.step(*track, dir.folder() + "ok.png", {}, true)) << generator.lastError();
  EXPECT_TRUE(generator.lastError().empty());
  EXPECT_TRUE(std::filesystem::exists(dir.folder() + "ok.png"));
}

}  // namespace

namespace {

// Thousands of tight zigzags ask the zones stage for roads thousands of units wide at every
// point; the stage must fall back to plain margins instead of drawing them for minutes.
TEST(Generation, AHostileZigzagPathStillPaintsItsZones) {
  testsupport::TempDir dir;
  track::TrackData track;
  for (int i = 0; i < 4000; ++i) {
    track.points.push_back(
        track::TrackPoint{100.0 + i * 0.25, 100.0 + (i % 2) * 3.0, 10.0, 0.0, 0.0});
  }
  track.extentX = 1110;
  track.extentY = 113;
  Generator generator;
  ASSERT_TRUE(generator.step(track, dir.folder() + "zigzag.png", {}, true))
      << generator.lastError();
  EXPECT_EQ(generator.stage(), background::BackgroundGenerator::kDoneStage);
  EXPECT_EQ(track.points[17].width, 10.0);
}

}  // namespace
