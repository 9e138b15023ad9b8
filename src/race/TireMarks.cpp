#include "race/TireMarks.h"

#include <algorithm>
#include <cmath>

#include "common/Angle.h"
#include "physics/Car.h"
#include "platform/Graphics.h"

namespace race {
namespace {

constexpr double kWheelDistance = 5.0;
constexpr double kWheelSpread = 0.5410520681027777;  // 31 degrees
// Far beyond what darkens any pixel to the 8-bit ceiling; keeps the arithmetic inside int.
constexpr double kStrengthLimit = 4096.0;

int clampedDarkness(int maxDarkness) {
  return std::clamp(maxDarkness, 0, 255);
}

void darken(platform::Bitmap& bitmap, int px, int py, int amount, int ceiling) {
  const platform::Color pixel = bitmap.getPixel(px, py);
  const int alpha = platform::alphaOf(pixel) + amount;
  const int newAlpha = ceiling < alpha ? ceiling : alpha;
  bitmap.setPixel(px, py, (pixel & 0x00ffffffu) | static_cast<platform::Color>(newAlpha) << 24);
}

void soften(platform::Bitmap& bitmap, int px, int py, int faint) {
  if (platform::alphaOf(bitmap.getPixel(px, py)) > faint)
    bitmap.setPixel(px, py, static_cast<platform::Color>(faint) << 24);
}

}  // namespace

std::array<WheelPoint, 4> wheelPoints(double x, double y, double angle) {
  constexpr double kRear = common::kPi + common::kHalfPi;
  constexpr double kFront = common::kHalfPi;
  const double angles[4] = {angle - kWheelSpread - kRear, angle + kWheelSpread - kRear,
                            angle - kWheelSpread - kFront, angle + kWheelSpread - kFront};
  std::array<WheelPoint, 4> points;
  for (int w = 0; w < 4; ++w) {
    points[w] = {static_cast<int>(x + std::cos(angles[w]) * kWheelDistance),
                 static_cast<int>(y + std::sin(angles[w]) * kWheelDistance)};
  }
  return points;
}

int markStrength(double drift, double speed, double throttle, double brake, int budget) {
  const double m = std::trunc((6.0 * drift + 1.0) * budget);
  const double e = std::trunc((speed / 30.0 + throttle / 200.0) * m);
  const double strength = std::trunc(e * (1.0 + brake / 50.0));
  if (!(strength > 0.0)) return 0;  // also a nan from a broken car state
  return static_cast<int>(std::min(strength, kStrengthLimit));
}

TireMarks::TireMarks(int backgroundWidth, int backgroundHeight, platform::Graphics* graphics)
    : backgroundWidth_(std::max(backgroundWidth, 0)),
      backgroundHeight_(std::max(backgroundHeight, 0)),
      tilesPerRow_(backgroundWidth_ / kTileSize + 1) {
  const int count = tilesPerRow_ * (backgroundHeight_ / kTileSize + 1);
  bitmaps_.assign(static_cast<std::size_t>(count), platform::Bitmap(kBitmapSize, kBitmapSize));
  imageHasMarks_.assign(static_cast<std::size_t>(count), 0);
  if (graphics) {
    images_.reserve(bitmaps_.size());
    for (const auto& bitmap : bitmaps_)
      images_.push_back(std::make_unique<platform::Image>(*graphics, bitmap, false));
  }
}

TireMarks::~TireMarks() = default;

int TireMarks::stampAt(int x, int y, int strength, int maxDarkness) {
  if (x < 0 || y < 0 || x >= backgroundWidth_ || y >= backgroundHeight_) return -1;
  const int k = (y / kTileSize) * tilesPerRow_ + x / kTileSize;
  stampTile(k, x % kTileSize, y % kTileSize, strength, maxDarkness);
  return k;
}

void TireMarks::stampTile(int k, int lx, int ly, int strength, int maxDarkness) {
  if (k < 0 || k >= tileCount() || lx < 0 || ly < 0 || lx >= kTileSize || ly >= kTileSize) return;
  platform::Bitmap& bitmap = bitmaps_[static_cast<std::size_t>(k)];
  const int ceiling = clampedDarkness(maxDarkness);
  const int amount = std::max(strength, 0);
  const int cx = lx + 1, cy = ly + 1;
  darken(bitmap, cx, cy, amount, ceiling);
  const int half = amount / 2;
  darken(bitmap, cx - 1, cy, half, ceiling);
  darken(bitmap, cx + 1, cy, half, ceiling);
  darken(bitmap, cx, cy - 1, half, ceiling);
  darken(bitmap, cx, cy + 1, half, ceiling);
  const int quarter = amount / 4;
  darken(bitmap, cx - 1, cy - 1, quarter, ceiling);
  darken(bitmap, cx + 1, cy - 1, quarter, ceiling);
  darken(bitmap, cx - 1, cy + 1, quarter, ceiling);
  darken(bitmap, cx + 1, cy + 1, quarter, ceiling);

  const int faint = ceiling / 16;
  const int ringColumn = cx == 1 ? 0 : (cx == kTileSize ? kTileSize + 1 : -1);
  if (ringColumn >= 0) {
    soften(bitmap, ringColumn, cy, faint);
    soften(bitmap, ringColumn, cy + 1, faint);
    soften(bitmap, ringColumn, cy - 1, faint);
  }
  const int ringRow = cy == 1 ? 0 : (cy == kTileSize ? kTileSize + 1 : -1);
  if (ringRow >= 0) {
    soften(bitmap, cx, ringRow, faint);
    soften(bitmap, cx - 1, ringRow, faint);
    soften(bitmap, cx + 1, ringRow, faint);
  }
}

void TireMarks::lay(const std::vector<physics::Car*>& cars, const TireMarkSettings& settings) {
  const int carCount = static_cast<int>(cars.size());
  if (carCount == 0) return;
  if (carTurn_ >= carCount) carTurn_ = 0;
  const long long depth = static_cast<long long>(settings.depth / 10u);
  const bool oneCarPerFrame = settings.quality == 1;
  const long long budget = oneCarPerFrame ? (carCount * depth + 1) / 2 : depth;
  const int clampedBudget = static_cast<int>(std::min<long long>(budget, 1 << 20));

  for (int c = 0; c < carCount; ++c) {
    if (oneCarPerFrame && c != carTurn_) continue;
    const physics::Car& car = *cars[static_cast<std::size_t>(c)];
    const int strength =
        markStrength(car.getDriftAngle(), car.speed, car.throttle, car.brake, clampedBudget);
    const auto wheels = wheelPoints(car.getX(), car.getY(), car.getAngle());
    int lastTile = -1;
    for (const WheelPoint& wheel : wheels)
      lastTile = stampAt(wheel.x, wheel.y, strength, settings.maxDarkness);
    if (c == carTurn_ && lastTile >= 0) refresh(lastTile);
  }
  advanceTurn(carCount);
}

void TireMarks::advanceTurn(int carCount) {
  carTurn_ += 1;
  if (carTurn_ >= carCount) carTurn_ = 0;
}

void TireMarks::refresh(int k) {
  ++refreshes_;
  if (images_.empty()) return;
  images_[static_cast<std::size_t>(k)]->replacePixels(bitmaps_[static_cast<std::size_t>(k)]);
  imageHasMarks_[static_cast<std::size_t>(k)] = 1;
}

std::vector<int> TireMarks::visibleTiles(double cameraX, double cameraY, int screenWidth,
                                         int screenHeight, double zoom) const {
  if (!(zoom > 0)) return {};
  // The world the screen shows, and a tile more to the right and below: a tile's picture
  // reaches a pixel beyond its own square.
  const long long perRow = tilesPerRow_;
  const long long rows = tileCount() / perRow;
  const auto firstTile = [](double screenEdge, double camera, double scale) {
    return static_cast<long long>(std::floor((screenEdge - camera) / scale / kTileSize));
  };
  const long long firstCol = firstTile(0, cameraX, zoom);
  const long long firstRow = firstTile(0, cameraY, zoom);
  const long long lastCol = firstTile(screenWidth, cameraX, zoom) + 1;
  const long long lastRow = firstTile(screenHeight, cameraY, zoom) + 1;
  std::vector<int> visible;
  for (long long row = std::max(firstRow, 0LL); row <= std::min(lastRow, rows - 1); ++row)
    for (long long col = std::max(firstCol, 0LL); col <= std::min(lastCol, perRow - 1); ++col)
      visible.push_back(static_cast<int>(row * perRow + col));
  return visible;
}

void TireMarks::draw(double cameraX, double cameraY, int screenWidth, int screenHeight,
                     double zoom) const {
  if (images_.empty()) return;
  for (int k : visibleTiles(cameraX, cameraY, screenWidth, screenHeight, zoom)) {
    if (!imageHasMarks_[static_cast<std::size_t>(k)]) continue;
    // The bitmap's ring of one pixel lies outside the tile's square.
    const double x = ((k % tilesPerRow_) * kTileSize - 1) * zoom + cameraX;
    const double y = ((k / tilesPerRow_) * kTileSize - 1) * zoom + cameraY;
    images_[static_cast<std::size_t>(k)]->draw(x, y, 10, zoom, zoom);
  }
}

}  // namespace race
