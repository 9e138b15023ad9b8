#pragma once
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/Color.h"

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

// The plain shapes the race's overlays are built of (panels, lamps, dots, the followed car's
// ring), in the colour asked for, whose alpha makes them see-through. Each is made once, at the
// size and in the colour it is drawn, and kept: the software renderer blends a picture drawn
// untinted at its own size many times faster than a tinted or stretched one. Positions and sizes
// in screen pixels, rounded to whole ones.
class OverlayShapes {
 public:
  explicit OverlayShapes(platform::Graphics& graphics);
  ~OverlayShapes();
  OverlayShapes(const OverlayShapes&) = delete;
  OverlayShapes& operator=(const OverlayShapes&) = delete;

  // Top-left corner at (x, y), w × h pixels. `fade` (0 .. 255) makes a shape more see-through
  // than its colour for a moment (the start lights going out) without making a new picture for
  // every step of the fade.
  void rect(double x, double y, double w, double h, double z, platform::Color color,
            int fade = 255) const;
  // A filled circle centred on (x, y), `diameter` pixels across (typically 4 .. 70).
  void disc(double x, double y, double diameter, double z, platform::Color color,
            int fade = 255) const;
  // A circle's outline, its line about a tenth of the diameter thick.
  void ring(double x, double y, double diameter, double z, platform::Color color) const;

  // How many shapes are kept (for tests: drawing the same shapes again makes none).
  std::size_t keptShapes() const { return pictures_.size(); }

 private:
  enum class Kind { Rect, Disc, Ring };
  const platform::Image& picture(Kind kind, int w, int h, platform::Color color) const;
  void drawRound(Kind kind, double x, double y, double diameter, double z, platform::Color color,
                 int fade) const;

  platform::Graphics& graphics_;
  mutable std::map<std::tuple<Kind, int, int, platform::Color>, std::unique_ptr<platform::Image>>
      pictures_;
  // Shapes let go of when too many were kept: the frame being drawn may still use them, so they
  // stay until the next time.
  mutable std::vector<std::unique_ptr<platform::Image>> retired_;
};

}  // namespace race
