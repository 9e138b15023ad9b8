#pragma once
#include <memory>

#include "platform/Color.h"

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

// The plain shapes the race's overlays are built of (panels, lamps, dots, the followed car's
// ring): each is one small white picture, scaled to size and tinted with the colour asked for,
// whose alpha makes it see-through. Positions and sizes in screen pixels.
class OverlayShapes {
 public:
  explicit OverlayShapes(platform::Graphics& graphics);
  ~OverlayShapes();
  OverlayShapes(const OverlayShapes&) = delete;
  OverlayShapes& operator=(const OverlayShapes&) = delete;

  // Top-left corner at (x, y), w × h pixels.
  void rect(double x, double y, double w, double h, double z, platform::Color color) const;
  // A filled circle centred on (x, y), `diameter` pixels across (typically 4 .. 60).
  void disc(double x, double y, double diameter, double z, platform::Color color) const;
  // A circle's outline, its line about a tenth of the diameter thick.
  void ring(double x, double y, double diameter, double z, platform::Color color) const;

 private:
  std::unique_ptr<platform::Image> pixel_;
  std::unique_ptr<platform::Image> disc_;
  std::unique_ptr<platform::Image> ring_;
};

}  // namespace race
