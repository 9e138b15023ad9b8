#pragma once
#include <array>

#include "platform/Buttons.h"

namespace platform {

// Polled input: which buttons are held in this frame and where the mouse is.
// The window's backend writes it from SDL events; tests script it with the setters.
class Input {
 public:
  virtual ~Input() = default;

  virtual bool down(int id) const {
    return id >= 0 && id < button::kCount && down_[static_cast<std::size_t>(id)];
  }
  // Window pixels.
  virtual double mouseX() const { return mouseX_; }
  virtual double mouseY() const { return mouseY_; }

  void setDown(int id, bool isDown) {
    if (id >= 0 && id < button::kCount) down_[static_cast<std::size_t>(id)] = isDown;
  }
  void setMouse(double x, double y) {
    mouseX_ = x;
    mouseY_ = y;
  }
  // A press and its release from the device. A quick tap (a touchpad click, a scripted click)
  // can press and release within one frame; it still reads as down for that frame, so a game
  // that polls once per frame never misses it.
  void press(int id) {
    if (id < 0 || id >= button::kCount) return;
    setDown(id, true);
    pressedThisFrame_[static_cast<std::size_t>(id)] = true;
  }
  void release(int id) {
    if (id < 0 || id >= button::kCount) return;
    if (pressedThisFrame_[static_cast<std::size_t>(id)]) {
      releaseAfterFrame_[static_cast<std::size_t>(id)] = true;
    } else {
      setDown(id, false);
    }
  }
  // Called by the window after each frame: a wheel notch reads as down for exactly one frame, and
  // releases held back for a tap take effect.
  void endFrame() {
    setDown(button::kWheelUp, false);
    setDown(button::kWheelDown, false);
    for (std::size_t id = 0; id < down_.size(); ++id) {
      if (releaseAfterFrame_[id]) down_[id] = false;
    }
    pressedThisFrame_.fill(false);
    releaseAfterFrame_.fill(false);
  }
  void releaseAll() {
    down_.fill(false);
    pressedThisFrame_.fill(false);
    releaseAfterFrame_.fill(false);
  }

 private:
  std::array<bool, button::kCount> down_{};
  std::array<bool, button::kCount> pressedThisFrame_{};
  std::array<bool, button::kCount> releaseAfterFrame_{};
  double mouseX_ = 0;
  double mouseY_ = 0;
};

}  // namespace platform
