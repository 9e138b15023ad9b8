#pragma once
#include <array>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Image.h"

namespace physics {
class Car;
}  // namespace physics
namespace platform {
class Graphics;
}

namespace race {

// The options that shape the marks, read once per frame by the race.
struct TireMarkSettings {
  unsigned depth = 20;   // "tireMarksDepth": a frame's mark strength × 10
  int quality = 2;       // "tireMarksQuality": 1 serves one car per frame
  int maxDarkness = 80;  // "tireMarksMaxDarkness": the ceiling of a mark pixel's alpha, 0..255
};

struct WheelPoint {
  int x = 0;
  int y = 0;
};

// The four points a car marks: 5 world units from its centre, 31° either side of its rear and
// front directions. x, y in world units; angle = Car::getAngle().
std::array<WheelPoint, 4> wheelPoints(double x, double y, double angle);

// The strength of one frame's mark: more when the car drifts, drives fast, accelerates or brakes.
// drift radians 0..π, speed metres per second, throttle and brake percent 0..100, budget usually
// 2. The result is never negative and saturates well above what an 8-bit alpha can take.
int markStrength(double drift, double speed, double throttle, double brake, int budget);

// Dark marks left by the wheels, kept in tiles of 100 × 100 background pixels. Each tile is a
// 102 × 102 transparent bitmap whose outer ring overlaps the neighbours by one pixel, so a brush
// at a tile's edge is not cut off; a mark pixel is black and its darkness is its alpha.
class TireMarks {
 public:
  static constexpr int kTileSize = 100;
  static constexpr int kBitmapSize = kTileSize + 2;

  // Background size in pixels. With a graphics each tile also gets a picture to draw; without
  // one (simulation only) the marks are kept in the bitmaps alone.
  TireMarks(int backgroundWidth, int backgroundHeight, platform::Graphics* graphics);
  ~TireMarks();
  TireMarks(const TireMarks&) = delete;
  TireMarks& operator=(const TireMarks&) = delete;

  int tilesPerRow() const { return tilesPerRow_; }
  int tileCount() const { return static_cast<int>(bitmaps_.size()); }
  const platform::Bitmap& tile(int k) const { return bitmaps_[static_cast<std::size_t>(k)]; }
  // The car whose turn it is to refresh a picture (and, with quality 1, to mark).
  int turn() const { return carTurn_; }

  // Stamps a mark at background pixel (x, y); off the background nothing happens. Returns the
  // tile stamped, or -1.
  int stampAt(int x, int y, int strength, int maxDarkness);
  // A 3 × 3 brush (weights 1, ½, ¼) around bitmap pixel (lx + 1, ly + 1) of tile k, lx and ly
  // 0..99; darkness only grows, up to maxDarkness. Ring pixels the brush touched at the tile's
  // edge are then kept faint (maxDarkness / 16), as they are drawn over the neighbouring tile.
  void stampTile(int k, int lx, int ly, int strength, int maxDarkness);

  // One frame's marks of every car (or of the car whose turn it is, with quality 1); then the
  // turn moves on. Refreshes at most one tile picture.
  void lay(const std::vector<physics::Car*>& cars, const TireMarkSettings& settings);
  // Moves the turn on without marking (a race with marks drawn but not laid keeps the rhythm).
  void advanceTurn(int carCount);

  // The tiles that can be on a screen of this size with this camera (screen pixel = world ×
  // zoom + camera), in tile order.
  std::vector<int> visibleTiles(double cameraX, double cameraY, int screenWidth, int screenHeight,
                                double zoom = 1.0) const;
  // Draws the visible tiles at z 10, scaled by the zoom like the background under them.
  void draw(double cameraX, double cameraY, int screenWidth, int screenHeight,
            double zoom = 1.0) const;
  // How many tile pictures have been rebuilt (for tests and benchmarks).
  long refreshCount() const { return refreshes_; }

 private:
  void refresh(int k);

  int backgroundWidth_;
  int backgroundHeight_;
  int tilesPerRow_;
  std::vector<platform::Bitmap> bitmaps_;
  std::vector<std::unique_ptr<platform::Image>> images_;
  // Whether a tile's picture has ever been refreshed: one that has not is still clear, and
  // blending a clear picture over the track would only cost time.
  std::vector<char> imageHasMarks_;
  int carTurn_ = 0;
  long refreshes_ = 0;
};

}  // namespace race
