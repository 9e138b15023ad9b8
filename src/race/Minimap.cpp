#include "race/Minimap.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "physics/Car.h"
#include "platform/Image.h"
#include "race/Camera.h"
#include "race/OverlayShapes.h"
#include "race/RaceView.h"
#include "track/Geometry.h"
#include "track/TrackData.h"

namespace race {
namespace {

constexpr double kMapCell = 4.0;  // world units per surface map cell
constexpr double kMargin = 12;    // from the screen's edges, pixels
constexpr int kPadding = 8;       // panel around the road, room for a dot at its edge
constexpr double kPanelZ = 150;
constexpr platform::Color kPanelColor = 0x80000000u;
constexpr platform::Color kRoadColor = 0x00e8e8e8u;  // alpha from the road's coverage
constexpr platform::Color kOutlineColor = 0xd0101010u;
constexpr platform::Color kFinishColor = 0xffe02020u;
constexpr double kDot = 6, kFollowedDot = 10;

double pictureSide(int screenWidth, int screenHeight) {
  return std::clamp(std::min(screenWidth, screenHeight) * 0.26, 120.0, 220.0);
}

}  // namespace

Minimap::Minimap(platform::Graphics& graphics, const track::TrackData& track, int screenWidth,
                 int screenHeight) {
  const track::SurfaceMap* map = track.surfaceMap.get();
  const double worldW = map ? map->columns * kMapCell : 1, worldH = map ? map->rows * kMapCell : 1;
  const double side = pictureSide(screenWidth, screenHeight);
  scale_ = side / std::max({worldW, worldH, 1.0});
  const int width = std::max(1, static_cast<int>(std::ceil(worldW * scale_)));
  const int height = std::max(1, static_cast<int>(std::ceil(worldH * scale_)));
  roadX_ = roadY_ = kPadding;
  picture_.resize(width + 2 * kPadding, height + 2 * kPadding, kPanelColor);
  area_ = {screenWidth - kMargin - picture_.width(), kMargin, static_cast<double>(picture_.width()),
           static_cast<double>(picture_.height())};
  if (map) paintRoad(track, width, height);
  paintFinishLine(track);
  image_ = std::make_unique<platform::Image>(graphics, picture_, false);
}

void Minimap::paint(int x, int y, platform::Color color) {
  // Over the panel, which is black: the colour keeps its share, the panel shows through the rest.
  const double alpha = platform::alphaOf(color) / 255.0;
  const double panel = platform::alphaOf(kPanelColor) / 255.0;
  const double total = alpha + panel * (1 - alpha);
  const auto channel = [&](std::uint8_t c) {
    return static_cast<std::uint32_t>(std::lround(c * alpha / total));
  };
  picture_.setPixel(
      roadX_ + x, roadY_ + y,
      platform::argb(static_cast<std::uint32_t>(std::lround(total * 255)),
                     channel(platform::redOf(color)), channel(platform::greenOf(color)),
                     channel(platform::blueOf(color))));
}

Minimap::~Minimap() = default;

void Minimap::paintRoad(const track::TrackData& track, int w, int h) {
  const track::SurfaceMap& map = *track.surfaceMap;
  // How much of each picture pixel is road: every map cell adds to the pixel under its centre.
  std::vector<int> cells(static_cast<std::size_t>(w) * h, 0), road(cells.size(), 0);
  const double cellSize = kMapCell * scale_;
  for (std::uint32_t r = 0; r < map.rows; ++r) {
    const int py = std::min(h - 1, static_cast<int>((r + 0.5) * cellSize));
    for (std::uint32_t c = 0; c < map.columns; ++c) {
      const int px = std::min(w - 1, static_cast<int>((c + 0.5) * cellSize));
      const std::size_t k = static_cast<std::size_t>(py) * w + px;
      ++cells[k];
      if (map.at(r, c) == track::SurfaceMap::kRoad) ++road[k];
    }
  }
  auto coverage = [&](int x, int y) {
    const std::size_t k = static_cast<std::size_t>(y) * w + x;
    return cells[k] > 0 ? static_cast<double>(road[k]) / cells[k] : 0.0;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double here = coverage(x, y);
      if (here > 0) {
        // A narrow road covers little of a pixel; it is still drawn clearly.
        const double alpha = std::min(1.0, here * 1.6) * 255;
        paint(x, y, static_cast<platform::Color>(alpha) << 24 | kRoadColor);
        continue;
      }
      bool besideRoad = false;
      for (int dy = -1; dy <= 1 && !besideRoad; ++dy)
        for (int dx = -1; dx <= 1 && !besideRoad; ++dx)
          besideRoad = x + dx >= 0 && y + dy >= 0 && x + dx < w && y + dy < h &&
                       coverage(x + dx, y + dy) > 0.3;
      if (besideRoad) paint(x, y, kOutlineColor);
    }
  }
}

void Minimap::paintFinishLine(const track::TrackData& track) {
  if (track.points.empty()) return;
  const track::EdgePoints edges = track::edgePoints(track.points.back(), 1.0f);
  constexpr int kSteps = 16;
  for (int s = 0; s <= kSteps; ++s) {
    const double t = static_cast<double>(s) / kSteps;
    const int x = static_cast<int>((edges.first.x + t * (edges.second.x - edges.first.x)) * scale_);
    const int y = static_cast<int>((edges.first.y + t * (edges.second.y - edges.first.y)) * scale_);
    if (x >= 0 && y >= 0 && roadX_ + x < picture_.width() - kPadding &&
        roadY_ + y < picture_.height() - kPadding)
      paint(x, y, kFinishColor);
  }
}

void Minimap::draw(const RaceView& view, const OverlayShapes& shapes) const {
  image_->draw(area_.x, area_.y, kPanelZ);
  const int followed = view.camera().followedCar();
  for (int c = 0; c < view.carCount(); ++c) {
    const physics::Car& car = view.car(c);
    // A car off the road's picture (never on a real track) stays on its edge.
    const double x =
        std::clamp(screenX(car.getX()), area_.x + kPadding, area_.x + area_.w - kPadding);
    const double y =
        std::clamp(screenY(car.getY()), area_.y + kPadding, area_.y + area_.h - kPadding);
    const platform::Color color = view.raceCar(c).color | 0xff000000u;
    if (c == followed) {
      shapes.disc(x, y, kFollowedDot + 4, kPanelZ + 3, platform::kWhite);
      shapes.disc(x, y, kFollowedDot, kPanelZ + 4, color);
    } else {
      shapes.disc(x, y, kDot + 2, kPanelZ + 2, platform::kBlack);
      shapes.disc(x, y, kDot, kPanelZ + 2, color);
    }
  }
}

}  // namespace race
