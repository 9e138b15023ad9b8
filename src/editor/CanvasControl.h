#pragma once
#include "editor/Handles.h"
#include "editor/TrackDocument.h"
#include "editor/Viewport.h"

namespace platform {
class Input;
}

namespace editor {

// What the mouse does on the canvas. Left button: a press on a point, an edge handle, a grid
// place or its knob drags it; on the centre line it inserts a point there, anywhere else it adds
// a point at the end of the path; either new point can be dragged into place at once. Right
// button: drags the view. Wheel: the width of the point under the pointer (or the selected one);
// with Control held it zooms around the pointer. Every drag is one undo step.
class CanvasControl {
 public:
  // World units a wheel notch widens or narrows the road; the factor a notch zooms by.
  static constexpr double kWidthStep = 4.0;
  static constexpr double kZoomStep = 1.25;

  CanvasControl(TrackDocument& document, Viewport& view) : document_(document), view_(view) {}

  // One frame of input. `mayTakeMouse`: no widget above the canvas has the pointer.
  void frame(const platform::Input& input, bool mayTakeMouse);

  const Handle& selected() const { return selected_; }
  const Handle& hovered() const { return hovered_; }
  void select(const Handle& handle) { selected_ = handle; }
  bool dragging() const { return drag_ != Drag::None; }
  // After the track changed under the canvas (undo, another file): what no longer exists is
  // no longer selected, and a drag in progress ends.
  void forgetMissing();

 private:
  enum class Drag { None, Point, Edge, Place, Knob, Pan };

  void press(const platform::Input& input);
  void moveDrag(const platform::Input& input);
  void release();
  void turnWheel(const platform::Input& input);
  void startDrag(Drag drag, const Handle& handle, double grabX, double grabY);

  TrackDocument& document_;
  Viewport& view_;
  Handle selected_;
  Handle hovered_;
  Drag drag_ = Drag::None;
  Handle dragged_;
  // World offset from the pointer to what it holds, so nothing jumps when taken.
  double grabX_ = 0;
  double grabY_ = 0;
  double lastMouseX_ = 0;
  double lastMouseY_ = 0;
  bool leftWasDown_ = false;
  bool rightWasDown_ = false;
};

}  // namespace editor
