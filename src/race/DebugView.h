#pragma once
#include <memory>

namespace platform {
class Bitmap;
class Graphics;
class Image;
}  // namespace platform

namespace race {

class RaceView;

// The computer driver's view for whoever watches the computer race: the followed driver's
// weights, its two targets and its planned line over the track. The line is drawn into an
// overlay picture of map cells (4 world units each) that is redrawn now and then as the plan
// changes, not every frame.
class DebugView {
 public:
  // updateInterval: milliseconds per frame, 16 in the game.
  DebugView(platform::Graphics& graphics, int updateInterval);
  ~DebugView();
  DebugView(const DebugView&) = delete;
  DebugView& operator=(const DebugView&) = delete;

  // A new race, or none: no overlay, and the rhythm starts again.
  void reset();
  // Once in every racing frame, before drawing. The overlay is redrawn from the followed
  // driver's line at the start of each 1.5-second cycle and one second into it.
  void update(const RaceView& view);
  // The followed driver's weights (texts below the lap times), its targets ("X") and the
  // overlay, stretched over the background.
  void draw(const RaceView& view) const;

  // The planned line as last drawn, one pixel per map cell; null before the first redraw.
  const platform::Bitmap* overlayBitmap() const { return overlayBitmap_.get(); }

 private:
  void redrawOverlay(const RaceView& view);

  platform::Graphics& graphics_;
  int framesPerSecond_;
  int cycleFrames_;
  int frame_ = 0;
  std::unique_ptr<platform::Bitmap> overlayBitmap_;
  std::unique_ptr<platform::Image> overlayImage_;
};

}  // namespace race
