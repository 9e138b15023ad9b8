#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "background/Compositing.h"
#include "background/PngWriter.h"
#include "background/Scenery.h"
#include "background/ValueNoise.h"
#include "background/Zones.h"
#include "platform/Random.h"
#include "support/TestSupport.h"
#include "track/RoadMask.h"
#include "track/SurfaceMap.h"

namespace {

std::vector<std::uint8_t> layered(const std::vector<background::NoiseOctave>& octaves, int width,
                                  int height) {
  std::vector<std::uint8_t> picture(static_cast<std::size_t>(width) * height);
  background::layerOctaves(octaves, width, height, [&](int y, const std::uint8_t* row) {
    std::copy(row, row + width, picture.begin() + static_cast<std::ptrdiff_t>(y) * width);
  });
  return picture;
}

TEST(ValueNoise, NodesShowThroughAndPixelsBetweenStayInRange) {
  platform::setFixedSeed(1);
  const int width = 37, height = 23, spacing = 6;
  std::vector<background::NoiseOctave> octaves;
  octaves.emplace_back(spacing, 1.0, width, height);
  octaves[0].fillRandom();
  const background::NoiseOctave& octave = octaves[0];
  EXPECT_EQ(octave.nodeColumns(), (width - 1) / spacing + 2);
  EXPECT_EQ(octave.nodeRows(), (height - 1) / spacing + 2);
  const auto picture = layered(octaves, width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int value = picture[static_cast<std::size_t>(y) * width + x];
      const int i = x / spacing, j = y / spacing;
      if (x % spacing == 0 && y % spacing == 0) {
        EXPECT_EQ(value, octave.node(i, j));  // other nodes are a full spacing away
      }
      const int corners[] = {octave.node(i, j), octave.node(i + 1, j), octave.node(i, j + 1),
                             octave.node(i + 1, j + 1)};
      EXPECT_GE(value, *std::min_element(corners, corners + 4) - 1);
      EXPECT_LE(value, *std::max_element(corners, corners + 4));
    }
  }
}

TEST(ValueNoise, LaterOctavesBlendInByTheirFactor) {
  std::vector<background::NoiseOctave> octaves;
  track::SurfaceMap allRoad(40, 40);
  std::fill(allRoad.cells.begin(), allRoad.cells.end(), 3);
  octaves.emplace_back(10, 1.0, 40, 40);
  octaves.back().fillGuided(allRoad, 0);  // nothing is 0: every node is 255 inside the map
  octaves.emplace_back(10, 2.0, 40, 40);
  octaves.back().fillGuided(allRoad, 3);  // everything is 3 inside: nodes 0, but 255 outside
  EXPECT_EQ(octaves[0].node(2, 2), 255);
  EXPECT_EQ(octaves[1].node(2, 2), 0);
  // A node at the map's corner sees a quarter of its square inside the map.
  EXPECT_EQ(octaves[1].node(0, 0), 255 * 75 / 100);
  const auto picture = layered(octaves, 40, 40);
  EXPECT_EQ(picture[20 * 40 + 20], 127);  // (255 + 0) / 2, truncated
}

TEST(ValueNoise, GuidedByARoadMaskAsByTheMapItCopies) {
  track::SurfaceMap map(50, 70);
  track::RoadMask mask(50, 70);
  for (std::size_t i = 0; i < map.cells.size(); ++i) {
    if ((i * 7919) % 13 < 5) {  // scattered road, some of it at the borders
      map.cells[i] = track::SurfaceMap::kRoad;
      mask.cells[i] = track::RoadMask::kOnRoad;
    }
  }
  background::NoiseOctave byMap(12, 2.0, 70, 50), byMask(12, 2.0, 70, 50);
  byMap.fillGuided(map, track::SurfaceMap::kRoad);
  byMask.fillGuided(mask);
  for (int j = 0; j < byMap.nodeRows(); ++j) {
    for (int i = 0; i < byMap.nodeColumns(); ++i) {
      EXPECT_EQ(byMask.node(i, j), byMap.node(i, j)) << i << "," << j;
    }
  }
}

// The zones stage asks only which pixels end dark; skipping the fine octaves where they cannot
// change that must give the answers of the whole picture, at every threshold.
TEST(ValueNoise, BelowAThresholdAsTheWholeLayeredPictureSays) {
  platform::setFixedSeed(5);
  const int width = 703, height = 97;
  track::RoadMask road(height, width);
  for (std::uint32_t row = 0; row < road.rows; ++row) {  // road across and along: dark nodes
    for (std::uint32_t column = 0; column < road.columns; ++column) {
      const bool across = row >= 30 && row < 55, along = column >= 400 && column < 430;
      if (across || along) road.cells[row * road.columns + column] = track::RoadMask::kOnRoad;
    }
  }
  std::vector<background::NoiseOctave> octaves;
  double factor = 1;
  for (int spacing : {25, 12, 6, 3, 1}) {
    factor *= 2;
    octaves.emplace_back(spacing, factor, width, height);
    if (octaves.size() <= 2) {
      octaves.back().fillGuided(road);
    } else {
      octaves.back().fillRandom();
    }
  }
  const auto picture = layered(octaves, width, height);
  for (int threshold : {40, 127, 200}) {
    const background::ThresholdAnswers answers(octaves, 2, threshold);
    std::atomic<std::size_t> differing{0};
    background::layerOctavesBelowInParallel(
        octaves, answers, width, height, [&](int y, const std::uint8_t* below) {
          for (int x = 0; x < width; ++x) {
            const bool dark = picture[static_cast<std::size_t>(y) * width + x] < threshold;
            if ((below[x] != 0) != dark) ++differing;
          }
        });
    EXPECT_EQ(differing.load(), 0u) << threshold;
  }
}

TEST(Compositing, SourceOverBlendsAndClips) {
  platform::Bitmap target(4, 4, platform::argb(255, 100, 100, 100));
  platform::Bitmap source(3, 3, platform::argb(255, 10, 20, 30));
  source.setPixel(1, 1, 0);                                   // transparent: target shows
  source.setPixel(2, 2, platform::argb(128, 200, 200, 200));  // half: a mix
  background::compositing::sourceOver(source, target, 2, 2);  // partly outside the target
  EXPECT_EQ(target.getPixel(1, 1), platform::argb(255, 100, 100, 100));
  EXPECT_EQ(target.getPixel(2, 2), platform::argb(255, 10, 20, 30));
  EXPECT_EQ(target.getPixel(3, 3), platform::argb(255, 100, 100, 100));
  background::compositing::sourceOver(source, target, -2, -2);
  EXPECT_EQ(target.getPixel(0, 0), platform::argb(255, 149, 149, 149));

  // Transparent over transparent stays transparent instead of dividing by zero.
  platform::Bitmap empty(2, 2);
  platform::Bitmap clear(2, 2);
  background::compositing::sourceOver(clear, empty, 0, 0);
  EXPECT_EQ(empty.getPixel(0, 0), 0u);
}

TEST(Compositing, ShadowIsSoftBlackAndHalfStrength) {
  platform::Bitmap square(60, 60);
  for (int y = 20; y < 40; ++y) {
    for (int x = 20; x < 40; ++x) square.setPixel(x, y, platform::argb(255, 0, 200, 0));
  }
  const platform::Bitmap shadow = background::compositing::blurredShadow(square);
  EXPECT_EQ(shadow.getPixel(30, 30) & 0x00ffffffu, 0u);
  EXPECT_NEAR(platform::alphaOf(shadow.getPixel(30, 30)), 127, 2);
  EXPECT_EQ(platform::alphaOf(shadow.getPixel(2, 2)), 0);
  const int rim = platform::alphaOf(shadow.getPixel(19, 30));
  EXPECT_GT(rim, 20);
  EXPECT_LT(rim, 110);
  EXPECT_EQ(rim, platform::alphaOf(shadow.getPixel(40, 30)));  // symmetric
}

TEST(Scenery, ExactlyThePiecesWhoseVisiblePixelsMissTheRoadArePlaced) {
  // A ring: its middle and corners are transparent and may lie over the road.
  platform::Bitmap ring(9, 9);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      const int d2 = (x - 4) * (x - 4) + (y - 4) * (y - 4);
      if (d2 >= 4 && d2 <= 16) ring.setPixel(x, y, platform::argb(255, 0, 120, 0));
    }
  }
  // A 100 × 70 picture's map with single cells of road and marks: on the edges of the blocks
  // the placing works in, in the corners and in the middle of the picture.
  track::SurfaceMap map(140, 200);
  map.set(31, 32, background::zone::kRoad);
  map.set(32, 31, background::zone::kWhiteMark);
  map.set(139, 199, background::zone::kFinishLine);
  map.set(0, 96, background::zone::kPathMark);
  map.set(70, 100, background::zone::kRoad);
  map.set(100, 20, background::zone::kWater);  // off the road
  std::vector<background::scenery::Planned> plan;
  for (int top = -10; top <= 70; top += 3) {
    for (int left = -10; left <= 100; left += 2) {
      plan.push_back({background::SceneryItem{static_cast<int>(plan.size()), 0, 9}, left, top,
                      [&ring] { return ring; }});
    }
  }
  platform::Bitmap picture(100, 70, platform::argb(255, 90, 90, 90));
  std::vector<background::SceneryItem> placed;
  background::scenery::paintAndPlace(plan, map, picture, placed);

  std::vector<int> expected;
  for (const auto& piece : plan) {
    if (!background::scenery::coversRoad(ring, map, piece.left, piece.top)) {
      expected.push_back(piece.item.x);
    }
  }
  std::vector<int> drawn;
  for (const auto& item : placed) drawn.push_back(item.x);
  EXPECT_EQ(drawn, expected);
  EXPECT_LT(expected.size(), plan.size() - 20);
  // The ring's transparent middle over the road at pixel (50, 35) does not keep it out.
  EXPECT_FALSE(background::scenery::coversRoad(ring, map, 46, 31));
  EXPECT_TRUE(background::scenery::coversRoad(ring, map, 48, 31));
}

TEST(PngWriter, SavedPictureReadsBackAndReplacesTheOldFile) {
  testsupport::TempDir dir;
  platform::Bitmap picture(37, 11);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 37; ++x) picture.setPixel(x, y, platform::argb(255, x * 7, y * 20, x ^ y));
  }
  const std::string path = dir.write("out.png", "old contents");
  background::saveOpaquePng(picture, path);
  const platform::Bitmap loaded = platform::Bitmap::loadPng(path);
  ASSERT_EQ(loaded.width(), 37);
  ASSERT_EQ(loaded.height(), 11);
  EXPECT_TRUE(std::equal(loaded.data(), loaded.data() + 37 * 11, picture.data()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left

  EXPECT_THROW(background::saveOpaquePng(picture, dir.folder() + "missing/out.png"),
               std::runtime_error);
  EXPECT_THROW(background::saveOpaquePng(platform::Bitmap(), dir.folder() + "empty.png"),
               std::runtime_error);
}

}  // namespace
