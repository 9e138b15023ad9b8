#pragma once
#include <array>
#include <string>
#include <vector>

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
  // A key held down repeats its press at the keyboard's rate, as typing expects.
  void press(int id) {
    if (id < 0 || id >= button::kCount) return;
    setDown(id, true);
    pressedThisFrame_[static_cast<std::size_t>(id)] = true;
    presses_.push_back(id);
  }
  void release(int id) {
    if (id < 0 || id >= button::kCount) return;
    if (pressedThisFrame_[static_cast<std::size_t>(id)]) {
      releaseAfterFrame_[static_cast<std::size_t>(id)] = true;
    } else {
      setDown(id, false);
    }
  }
  // The buttons pressed in this frame, in the order they came (repeats included): what a text
  // field edits with and what a "press a key" capture takes.
  const std::vector<int>& presses() const { return presses_; }

  // Text typed in this frame (UTF-8), as the keyboard layout and input method compose it. Only
  // collected while something asks for it: see requestTextInput.
  const std::string& typedText() const { return typed_; }
  void typeText(const std::string& utf8) { typed_ += utf8; }
  // A text field with the focus asks for typed text in every frame it keeps the focus; the
  // window switches the platform's text input on while asked and off one frame after the last
  // asking (so an input method's window never stays up over the game).
  void requestTextInput() const { textInputRequested_ = true; }
  bool textInputRequested() const { return textInputRequested_; }

  // Called by the window after each frame: a wheel notch reads as down for exactly one frame, and
  // releases held back for a tap take effect.
  void endFrame() {
    presses_.clear();
    typed_.clear();
    textInputRequested_ = false;
    setDown(button::kWheelUp, false);
    setDown(button::kWheelDown, false);
    for (std::size_t id = 0; id < down_.size(); ++id) {
      if (releaseAfterFrame_[id]) down_[id] = false;
    }
    pressedThisFrame_.fill(false);
    releaseAfterFrame_.fill(false);
  }
  void releaseAll() {
    presses_.clear();
    down_.fill(false);
    pressedThisFrame_.fill(false);
    releaseAfterFrame_.fill(false);
  }

 private:
  std::array<bool, button::kCount> down_{};
  std::array<bool, button::kCount> pressedThisFrame_{};
  std::array<bool, button::kCount> releaseAfterFrame_{};
  std::vector<int> presses_;
  std::string typed_;
  mutable bool textInputRequested_ = false;
  double mouseX_ = 0;
  double mouseY_ = 0;
};

}  // namespace platform
