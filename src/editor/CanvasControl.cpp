#include "editor/CanvasControl.h"

#include <cmath>

#include "platform/Buttons.h"
#include "platform/Input.h"

namespace editor {

namespace button = platform::button;

void CanvasControl::frame(const platform::Input& input, bool mayTakeMouse) {
  const double mx = input.mouseX(), my = input.mouseY();
  const bool over = mayTakeMouse && view_.contains(mx, my);
  const bool left = input.down(button::kMouseLeft);
  const bool right = input.down(button::kMouseRight);

  hovered_ = over && drag_ == Drag::None ? handleAt(document_, view_, selected_, mx, my) : Handle{};
  if (drag_ == Drag::None && over) {
    if (left && !leftWasDown_) {
      press(input);
    } else if (right && !rightWasDown_) {
      drag_ = Drag::Pan;
    }
    turnWheel(input);
  }
  if (drag_ == Drag::Pan) {
    if (right) {
      view_.pan(mx - lastMouseX_, my - lastMouseY_);
    } else {
      drag_ = Drag::None;
    }
  } else if (drag_ != Drag::None) {
    if (left) {
      moveDrag(input);
    } else {
      release();
    }
  }
  leftWasDown_ = left;
  rightWasDown_ = right;
  lastMouseX_ = mx;
  lastMouseY_ = my;
}

void CanvasControl::startDrag(Drag drag, const Handle& handle, double grabX, double grabY) {
  drag_ = drag;
  dragged_ = handle;
  grabX_ = grabX;
  grabY_ = grabY;
  document_.beginGesture();
}

void CanvasControl::press(const platform::Input& input) {
  const double wx = view_.toWorldX(input.mouseX()), wy = view_.toWorldY(input.mouseY());
  const Handle hit = handleAt(document_, view_, selected_, input.mouseX(), input.mouseY());
  const TrackContent& content = document_.content();
  switch (hit.kind) {
    case HandleKind::Point: {
      selected_ = hit;
      const track::TrackPoint& p = content.path[hit.index];
      startDrag(Drag::Point, hit, p.x - wx, p.y - wy);
      break;
    }
    case HandleKind::RightEdge:
    case HandleKind::LeftEdge:
      startDrag(Drag::Edge, hit, 0, 0);
      break;
    case HandleKind::Place: {
      selected_ = hit;
      const track::TrackPoint& p = content.places[hit.index];
      startDrag(Drag::Place, hit, p.x - wx, p.y - wy);
      break;
    }
    case HandleKind::PlaceKnob:
      startDrag(Drag::Knob, hit, 0, 0);
      break;
    case HandleKind::Segment:
    case HandleKind::None: {
      // The new point and the drag that places it are one step.
      document_.beginGesture();
      if (hit.kind == HandleKind::Segment) {
        document_.insertPoint(hit.index, wx, wy);
        selected_ = {HandleKind::Point, hit.index + 1};
      } else {
        document_.addPoint(wx, wy);
        selected_ = {HandleKind::Point, document_.content().path.size() - 1};
      }
      drag_ = Drag::Point;
      dragged_ = selected_;
      grabX_ = grabY_ = 0;
      break;
    }
  }
}

void CanvasControl::moveDrag(const platform::Input& input) {
  const double wx = view_.toWorldX(input.mouseX()), wy = view_.toWorldY(input.mouseY());
  const TrackContent& content = document_.content();
  switch (drag_) {
    case Drag::Point:
      document_.movePoint(dragged_.index, wx + grabX_, wy + grabY_);
      break;
    case Drag::Place:
      document_.movePlace(dragged_.index, wx + grabX_, wy + grabY_);
      break;
    case Drag::Knob: {
      if (dragged_.index >= content.places.size()) break;
      const track::TrackPoint& p = content.places[dragged_.index];
      // Screen y grows downward; the race's rotation counts upward.
      document_.rotatePlace(dragged_.index, std::atan2(-(wy - p.y), wx - p.x));
      break;
    }
    case Drag::Edge: {
      if (dragged_.index >= content.path.size()) break;
      const track::TrackData& track = document_.track();
      const std::size_t n = track.points.size();
      const track::TrackPoint& p = track.points[(dragged_.index + n - 1) % n];
      // How far the pointer lies across the road, toward the right-hand edge.
      const double across = (wx - p.x) * std::cos(p.rotation) + (wy - p.y) * std::sin(p.rotation);
      const double width = dragged_.kind == HandleKind::RightEdge ? 2 * (across + p.offset)
                                                                  : 2 * (-across - p.offset);
      document_.setWidth(dragged_.index, width);
      break;
    }
    case Drag::None:
    case Drag::Pan:
      break;
  }
}

void CanvasControl::release() {
  drag_ = Drag::None;
  document_.endGesture();
}

void CanvasControl::turnWheel(const platform::Input& input) {
  const int notches =
      (input.down(button::kWheelUp) ? 1 : 0) - (input.down(button::kWheelDown) ? 1 : 0);
  if (notches == 0) return;
  if (input.down(button::kControl) || input.down(button::kRightControl)) {
    view_.zoomAt(notches > 0 ? kZoomStep : 1 / kZoomStep, input.mouseX(), input.mouseY());
    return;
  }
  const Handle target = hovered_.kind == HandleKind::Point ? hovered_ : selected_;
  if (target.kind != HandleKind::Point) return;
  document_.changeWidth(target.index, notches * kWidthStep);
}

void CanvasControl::forgetMissing() {
  const TrackContent& content = document_.content();
  const auto missing = [&](const Handle& h) {
    switch (h.kind) {
      case HandleKind::Place:
      case HandleKind::PlaceKnob:
        return h.index >= content.places.size();
      case HandleKind::None:
        return false;
      default:
        return h.index >= content.path.size();
    }
  };
  if (missing(selected_)) selected_ = {};
  if (missing(hovered_)) hovered_ = {};
  if (drag_ != Drag::None && drag_ != Drag::Pan && missing(dragged_)) {
    drag_ = Drag::None;
    document_.endGesture();
  }
}

}  // namespace editor
