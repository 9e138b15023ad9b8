#pragma once
#include <string>
#include <vector>

#include "editor/Handles.h"
#include "editor/TrackChecks.h"
#include "editor/TrackDocument.h"
#include "editor/Viewport.h"
#include "platform/Color.h"

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace editor {

// What the canvas shows of the track, in this order from the bottom: grass, the background
// picture (one pixel per world unit, as in the race), the road at its widths, the finish and
// halfway lines where the race counts laps, the path's handles, the grid places as cars and the
// places the checks point at.
class TrackPainter {
 public:
  // Layers of the canvas, all below the panels and menus.
  static constexpr double kGroundLayer = 2;
  static constexpr double kPictureLayer = 3;
  static constexpr double kRoadLayer = 4;
  static constexpr double kLinesLayer = 5;
  static constexpr double kHandlesLayer = 6;
  static constexpr double kPlacesLayer = 7;
  static constexpr double kMarksLayer = 8;

  struct Scene {
    const TrackDocument* document = nullptr;
    const Viewport* view = nullptr;
    const platform::Image* picture = nullptr;  // the background; null for plain grass
    Handle selected;
    Handle hovered;
    const std::vector<Finding>* findings = nullptr;
  };

  explicit TrackPainter(platform::Graphics& graphics) : graphics_(graphics) {}

  // Queues the canvas's drawing for this frame; the canvas covers the whole window below the
  // panels.
  void paint(const Scene& scene);

 private:
  void paintGround(const Scene& scene);
  void paintRoad(const Scene& scene);
  void paintLapLines(const Scene& scene);
  void paintPlaces(const Scene& scene);
  void paintHandles(const Scene& scene);
  void paintFindings(const Scene& scene);
  void label(const std::wstring& text, double x, double y, double z, platform::Color color);

  platform::Graphics& graphics_;
};

}  // namespace editor
