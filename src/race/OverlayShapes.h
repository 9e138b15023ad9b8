#pragma once
#include <map>
#include <memory>
#include <tuple>

#include "platform/Color.h"

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

// The plain shapes the race's overlays are built of (panels, lamps, dots, the followed car's
// ring): white pictures tinted with the colour asked for, whose alpha makes them see-through.
// Each is made once at the size it is drawn and kept, since the software renderer blends a
// picture drawn at its own size far faster than a stretched one. Positions and sizes in screen
// pixels, rounded to whole ones.
class OverlayShapes {
 public:
  explicit OverlayShapes(platform::Graphics& graphics);
  ~OverlayShapes();
  OverlayShapes(const OverlayShapes&) = delete;
  OverlayShapes& operator=(const OverlayShapes&) = delete;

  // Top-left corner at (x, y), w × h pixels.
  void rect(double x, double y, double w, double h, double z, platform::Color color) const;
  // A filled circle centred on (x, y), `diameter` pixels across (typically 4 .. 70).
  void disc(double x, double y, double diameter, double z, platform::Color color) const;
  // A circle's outline, its line about a tenth of the diameter thick.
  void ring(double x, double y, double diameter, double z, platform::Color color) const;

  // How many shapes are kept (for tests: drawing the same shapes again makes none).
  std::size_t keptShapes() const { return pictures_.size(); }

 private:
  enum class Kind { Rect, Disc, Ring };
  const platform::Image& picture(Kind kind, int w, int h) const;
  void drawRound(Kind kind, double x, double y, double diameter, double z,
                 platform::Color color) const;

  platform::Graphics& graphics_;
  mutable std::map<std::tuple<Kind, int, int>, std::unique_ptr<platform::Image>> pictures_;
};

}  // namespace race
