#pragma once
#include <cstddef>

#include "editor/TrackDocument.h"
#include "editor/Viewport.h"

namespace editor {

// What the pointer can take hold of on the canvas. Indices count path points in file order
// (0 is the finish line) and grid places in slot order.
enum class HandleKind {
  None,
  Point,      // a path point: drag to move it
  RightEdge,  // the right-hand road edge at a point (as driven): drag to set the width
  LeftEdge,   // the left-hand edge
  Segment,    // the centre line from a point to the next: click to insert a point
  Place,      // a grid place: drag to move it
  PlaceKnob,  // the knob in front of the selected grid place: drag to turn it
};

struct Handle {
  HandleKind kind = HandleKind::None;
  std::size_t index = 0;
  bool operator==(const Handle&) const = default;
};

struct ScreenPoint {
  double x = 0;
  double y = 0;
};

// Sizes on the screen, pixels: handles keep their size at every zoom.
inline constexpr double kPointRadius = 6.0;
inline constexpr double kPickRadius = 9.0;
inline constexpr double kKnobDistance = 24.0;

// Where the width handle of path point `index` on the given side lies on the screen: on the
// road's edge, where the game puts it (track::edgePoints).
ScreenPoint edgeHandle(const TrackDocument& document, const Viewport& view, std::size_t index,
                       bool rightEdge);
// The turning knob of a grid place: in front of the car, in its direction of travel.
ScreenPoint knobOf(const track::TrackPoint& place, const Viewport& view);

// The handle under the screen point (sx, sy). The knob and width handles exist only for the
// selected place or point; then come the places (drawn on top), the points and the centre line.
Handle handleAt(const TrackDocument& document, const Viewport& view, const Handle& selected,
                double sx, double sy);

}  // namespace editor
