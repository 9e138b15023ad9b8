#pragma once
#include <memory>

#include "platform/Bitmap.h"

struct TrackData;

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

// The whole track in the screen's top right corner: the road's outline, drawn once at the start
// of a race from the surface map into a picture, on a see-through panel, and every car as a dot
// in its colour, the followed car's larger and ringed in white.
class Minimap {
 public:
  // The picture fits a square of about a quarter of the screen's smaller side (120 .. 220
  // pixels), keeping the track's proportions. The track needs its surface map.
  Minimap(platform::Graphics& graphics, const TrackData& track, int screenWidth, int screenHeight);
  ~Minimap();
  Minimap(const Minimap&) = delete;
  Minimap& operator=(const Minimap&) = delete;

  // Where the minimap stands on the screen: its panel, picture and dots all lie inside.
  const ScreenArea& area() const { return area_; }
  // The road picture as drawn (white road with a dark outline on transparent ground).
  const platform::Bitmap& picture() const { return picture_; }
  // The screen pixel of a world position.
  double screenX(double worldX) const { return pictureX_ + worldX * scale_; }
  double screenY(double worldY) const { return pictureY_ + worldY * scale_; }

  // Panel and picture at z 150, dots above them.
  void draw(const RaceView& view, const OverlayShapes& shapes) const;

 private:
  void paintRoad(const TrackData& track);
  void paintFinishLine(const TrackData& track);

  double scale_ = 1;  // screen pixels per world unit
  double pictureX_ = 0, pictureY_ = 0;
  ScreenArea area_;
  platform::Bitmap picture_;
  std::unique_ptr<platform::Image> image_;
};

}  // namespace race
