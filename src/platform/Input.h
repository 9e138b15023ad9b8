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
  // Called by the window after each frame: a wheel notch reads as down for exactly one frame.
  void endFrame() {
    setDown(button::kWheelUp, false);
    setDown(button::kWheelDown, false);
  }
  void releaseAll() { down_.fill(false); }

 private:
  std::array<bool, button::kCount> down_{};
  double mouseX_ = 0;
  double mouseY_ = 0;
};

}  // namespace platform
