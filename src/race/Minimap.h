#pragma once
#include <memory>

#include "platform/Bitmap.h"

namespace track {
struct TrackData;
}

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

class OverlayShapes;
class RaceView;

// A rectangle on the screen, pixels.
struct ScreenArea {
  double x = 0, y = 0, w = 0, h = 0;
  bool contains(double px, double py) const {
    return px >= x && py >= y && px <= x + w && py <= y + h;
  }
};

// The whole track in the screen's top right corner: the road's outline on a see-through panel,
// drawn once at the start of a race from the surface map into one picture, and every car as a
// dot in its colour, the followed car's larger and ringed in white.
class Minimap {
 public:
  // The picture fits a square of about a quarter of the screen's smaller side (120 .. 220
  // pixels), keeping the track's proportions. The track needs its surface map.
  Minimap(platform::Graphics& graphics, const track::TrackData& track, int screenWidth,
          int screenHeight);
  ~Minimap();
  Minimap(const Minimap&) = delete;
  Minimap& operator=(const Minimap&) = delete;

  // Where the minimap stands on the screen: its panel, picture and dots all lie inside.
  const ScreenArea& area() const { return area_; }
  // The picture as drawn over the area: the white road with a dark outline on the panel.
  const platform::Bitmap& picture() const { return picture_; }
  // The screen pixel of a world position.
  double screenX(double worldX) const { return area_.x + roadX_ + worldX * scale_; }
  double screenY(double worldY) const { return area_.y + roadY_ + worldY * scale_; }

  // The picture at z 150, the dots above it.
  void draw(const RaceView& view, const OverlayShapes& shapes) const;

 private:
  void paintRoad(const track::TrackData& track, int width, int height);
  void paintFinishLine(const track::TrackData& track);
  // Sets a pixel of the road's picture (x, y from its top left corner), over the panel.
  void paint(int x, int y, platform::Color color);

  double scale_ = 1;           // screen pixels per world unit
  int roadX_ = 0, roadY_ = 0;  // where the road's picture starts in the panel
  ScreenArea area_;
  platform::Bitmap picture_;
  std::unique_ptr<platform::Image> image_;
};

}  // namespace race
