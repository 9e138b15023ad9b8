#include "background/BackgroundGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <stdexcept>

#include "background/GroundLayer.h"
#include "background/PaintLoop.h"
#include "background/Parallel.h"
#include "background/PngWriter.h"
#include "background/ValueNoise.h"
#include "common/Angle.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLimits.h"

namespace background {

namespace {

using platform::randInt;

// World coordinates to a map cell: × 2, truncated.
track::GridCell toCell(double x, double y) {
  return track::GridCell{static_cast<int>(x / BackgroundGenerator::kCellSize),
                         static_cast<int>(y / BackgroundGenerator::kCellSize)};
}

// A copy of the path with other widths, for the wider maps of the zones stage; the track itself
// is never changed. Widths are kept inside the map builder's limit: a sharp bend between close
// points can ask for a road wider than any track. A hostile path of many tight zigzags could
// still make the widened road take minutes to draw: it then gets its own widths plus a margin,
// which keeps the run-off and open-grass zones but not their widening in bends.
track::TrackData withWidths(const track::TrackData& track, const std::vector<double>& widths) {
  track::TrackData copy;
  copy.extentX = track.extentX;
  copy.extentY = track.extentY;
  copy.points = track.points;
  for (std::size_t i = 0; i < copy.points.size(); ++i) {
    copy.points[i].width =
        std::clamp(widths[i], -track::limits::kMaxCoordinate, track::limits::kMaxCoordinate);
  }
  if (track::rasterisedCells(copy, BackgroundGenerator::kCellSize) >
      track::limits::kMaxRasterCells) {
    constexpr double kPlainMargin = 70.0;
    for (std::size_t i = 0; i < copy.points.size(); ++i) {
      copy.points[i].width = track.points[i].width + kPlainMargin;
    }
  }
  return copy;
}

// How sharply the path turns at each point, per unit of length, plus its road width: large in
// tight bends, so the widened road reaches furthest out there.
std::vector<double> bendWidths(const track::TrackData& track) {
  const std::size_t count = track.points.size();
  std::vector<double> bend(count);
  for (std::size_t i = 0; i < count; ++i) {
    const track::TrackPoint& before = track.points[(i + count - 1) % count];
    const track::TrackPoint& point = track.points[i];
    const track::TrackPoint& after = track.points[(i + 1) % count];
    const double inX = point.x - before.x, inY = point.y - before.y;
    const double outX = after.x - point.x, outY = after.y - point.y;
    const double turn = common::angleBetween(std::atan2(outY, outX), std::atan2(inY, inX));
    const double length = std::sqrt(inX * inX + inY * inY) + std::sqrt(outX * outX + outY * outY);
    // Repeated points have no direction; they add no bend rather than an infinite one.
    bend[i] = (length > 0.0 ? turn * 10000.0 / length : 0.0) + (point.width - 1.0);
  }
  return bend;
}

// Cyclic three-point mean.
std::vector<double> smoothed(const std::vector<double>& values) {
  const std::size_t count = values.size();
  std::vector<double> result(count);
  for (std::size_t i = 0; i < count; ++i) {
    result[i] = (values[(i + count - 1) % count] + values[i] + values[(i + 1) % count]) / 3.0;
  }
  return result;
}

}  // namespace

std::string BackgroundGenerator::stageCaption(int stage) {
  switch (stage) {
    case 1:
      return "\n\nRasterizing level";
    case 2:
      return "\n\nAdding line marks to raster";
    case 3:
      return "\n\nAdding non-track zones to raster";
    case 4:
      return "\n\nRendering clouds";
    case 5:
      return "\n\nAdding path to raster";
    case 6:
      return "\n\nDrawing background";
    case 7:
      return "\n\nGenerating trees";
    case 8:
      return "\n\nSaving image";
    default:
      return "";
  }
}

bool BackgroundGenerator::step(const track::TrackData& track, const std::string& outputPath,
                               const std::vector<track::TrackPoint>& pathMarks, bool allAtOnce) {
  lastError_.clear();
  if ((allAtOnce && stage_ != 0) || stage_ == kDoneStage) {
    release();
    stage_ = 0;
  }
  try {
    if (allAtOnce) {
      // Clouds do not depend on the zones, so their order does not matter.
      for (int stage : {1, 2, 4, 3, 5, 6, 7, 8}) runStage(stage, track, outputPath, pathMarks);
      stage_ = kDoneStage;
    } else {
      runStage(stage_, track, outputPath, pathMarks);
      ++stage_;
    }
  } catch (const std::exception& error) {
    // Later stages would work on what this one left half-done; end the generation here.
    lastError_ = error.what();
    release();
    stage_ = kDoneStage;
    return false;
  }
  return true;
}

void BackgroundGenerator::runStage(int stage, const track::TrackData& track,
                                   const std::string& outputPath,
                                   const std::vector<track::TrackPoint>& pathMarks) {
  switch (stage) {
    case 1:
      rasterize(track);
      break;
    case 2:
      addLineMarks(track);
      break;
    case 3:
      addZones(track);
      break;
    case 4:
      renderClouds();
      break;
    case 5:
      addPath(pathMarks);
      break;
    case 6:
      paint();
      break;
    case 7:
      plantTrees();
      break;
    case 8:
      save(outputPath);
      break;
    default:
      break;
  }
}

void BackgroundGenerator::release() {
  map_.reset();
  picture_ = platform::Bitmap();
  clouds_ = platform::Bitmap();
  trees_.clear();
}

void BackgroundGenerator::rasterize(const track::TrackData& track) {
  if (track.points.empty()) throw std::runtime_error("The track has no path to paint.");
  warning_.clear();
  theme_ = themeOf(track, &warning_);
  if (!warning_.empty()) std::cerr << warning_ << '\n';
  map_ = track::buildSurfaceMap(track, kCellSize);
  extentX_ = track.extentX;
  extentY_ = track.extentY;
  const int width = static_cast<int>(map_->columns / 2);
  const int height = static_cast<int>(map_->rows / 2);
  picture_.resize(width, height, 0x00000000u);
  clouds_.resize(width, height, 0x00000000u);
  trees_.clear();
}

void BackgroundGenerator::addLineMarks(const track::TrackData& track) {
  track::SurfaceMap& map = *map_;
  auto acrossRoad = [&](std::size_t index, std::int32_t value) {
    const track::EdgePoints edges = track::edgePoints(track.pointAt(index), 1.0f);
    track::drawLine(map, toCell(edges.first.x, edges.first.y),
                    toCell(edges.second.x, edges.second.y), value);
  };
  const std::size_t count = track.pointCount();
  acrossRoad(count - 1, kFinishLine);  // the finish line is the file's first point
  acrossRoad(count / 2, kWhiteMark);

  // A bracket framing each start slot: a bar 16 units across the car, ticks pointing backwards.
  for (const track::TrackPoint& slot : track.positions) {
    const double r = slot.rotation;
    const double ax = slot.x + 8 * std::cos(r + common::kHalfPi);
    const double ay = slot.y - 8 * std::sin(r + common::kHalfPi);
    const double bx = slot.x + 8 * std::cos(r - common::kHalfPi);
    const double by = slot.y - 8 * std::sin(r - common::kHalfPi);
    const double tickX = 4 * std::cos(r - common::kPi), tickY = -4 * std::sin(r - common::kPi);
    track::drawLine(map, toCell(ax, ay), toCell(bx, by), kWhiteMark);
    track::drawLine(map, toCell(ax, ay), toCell(ax + tickX, ay + tickY), kWhiteMark);
    track::drawLine(map, toCell(bx, by), toCell(bx + tickX, by + tickY), kWhiteMark);
  }
}

void BackgroundGenerator::addZones(const track::TrackData& track) {
  track::SurfaceMap& map = *map_;
  const std::size_t count = track.pointCount();
  const std::vector<double> widths = smoothed(smoothed(bendWidths(track)));
  const int width = static_cast<int>(map.columns / 2 * 2);
  const int height = static_cast<int>(map.rows / 2 * 2);

  // Noise that is dark near the widened road and random further out: run-off hugs the road,
  // widest in the bends, with a ragged border. The random numbers are drawn first, in the order
  // the picture has always used; the two widened roads are then drawn side by side.
  constexpr std::size_t kGuidedOctaves = 3;  // the coarse ones; the fine ones are random
  std::vector<NoiseOctave> octaves;
  double factor = 1;
  for (int spacing = 50; spacing > 2;) {
    spacing /= 2;
    factor *= 2;
    octaves.emplace_back(spacing, factor, width, height);
    if (octaves.size() > kGuidedOctaves) octaves.back().fillRandom();
  }
  // Open grass lies well clear of a road widened once more; only there do trees grow.
  const int k = randInt() % 3;
  std::vector<double> outerWidths(count);
  for (std::size_t i = 0; i < count; ++i) outerWidths[i] = widths[i] * (1 + 0.5 * k) + 70;
  std::unique_ptr<track::RoadMask> outer;
  parallel::forEachChunk(2, 1, [&](int task, int) {
    if (task == 1) {
      outer = track::buildRoadMask(withWidths(track, outerWidths), kCellSize);
      return;
    }
    const std::unique_ptr<track::RoadMask> guide =
        track::buildRoadMask(withWidths(track, widths), kCellSize);
    for (std::size_t i = 0; i < kGuidedOctaves; ++i) octaves[i].fillGuided(*guide);
  });

  // Run-off where the noise ends below 127: the random octaves only matter near that border.
  const ThresholdAnswers dark(octaves, kGuidedOctaves, 127);
  layerOctavesBelowInParallel(octaves, dark, width, height, [&](int y, const std::uint8_t* below) {
    const std::size_t start = static_cast<std::size_t>(y) * map.columns;
    std::int32_t* cells = map.cells.data() + start;
    const std::uint8_t* outside = outer->cells.data() + start;
    // Grass turns to run-off where the noise is dark, else to open grass beyond the outer
    // road; one select per cell, which the compiler vectorises.
    for (int x = 0; x < width; ++x) {
      const std::int32_t open = outside[x] == track::RoadMask::kOffRoad ? kOpenGrass : kGrass;
      const std::int32_t grass = below[x] != 0 ? kRunOff : open;
      cells[x] = cells[x] == kGrass ? grass : cells[x];
    }
  });
  octaves.clear();
  outer.reset();
  theme_->addZones(map, track);
}

void BackgroundGenerator::renderClouds() {
  const int width = clouds_.width();
  const int height = clouds_.height();
  std::vector<NoiseOctave> octaves;
  double factor = 1;
  for (int spacing = 200; spacing > 1;) {
    spacing /= 2;
    factor *= 2;
    octaves.emplace_back(spacing, factor, width, height);
    octaves.back().fillRandom();
  }
  layerOctavesInParallel(octaves, width, height, [&](int y, const std::uint8_t* row) {
    platform::Color* pixels = clouds_.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) pixels[x] = platform::argb(255, row[x], row[x], row[x]);
  });
}

void BackgroundGenerator::addPath(const std::vector<track::TrackPoint>& marks) {
  const double rows = map_->rows, columns = map_->columns;
  for (const track::TrackPoint& mark : marks) {
    // Checked before the conversion: a huge or undefined coordinate has no integer cell.
    if (!(mark.x > -1.0 && mark.x < columns && mark.y > -1.0 && mark.y < rows)) continue;
    map_->set(static_cast<long long>(mark.y), static_cast<long long>(mark.x), kPathMark);
  }
}

bool BackgroundGenerator::isEdgeLineCell(const track::SurfaceMap& map, long long row,
                                         long long column) {
  return painting::isEdgeLineCell(map, row, column);
}

void BackgroundGenerator::paint() {
  theme_->paint(*map_, clouds_, picture_);
}

void BackgroundGenerator::plantTrees() {
  theme_->plantScenery(*map_, picture_, trees_);
}

void BackgroundGenerator::save(const std::string& outputPath) {
  // The ground the race will feel travels inside the picture.
  const GroundLayer ground = GroundLayer::paintedOn(*map_, *theme_, extentX_, extentY_);
  saveOpaquePng(picture_, outputPath, {PngChunk{GroundLayer::kChunkType, ground.encode()}});
  map_.reset();
}

}  // namespace background
