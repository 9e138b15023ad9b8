#pragma once
#include "platform/Color.h"

namespace gui {

// The two-state fade of pictures and the pointer: show/hide start a fade that advances by
// `step` alpha levels per frame (step 10: a full fade in 26 frames).
class Fade {
 public:
  explicit Fade(bool visible) : targetVisible_(visible), alpha_(visible ? 255 : 0) {}

  // Called once per frame before drawing.
  void advance();
  // Reverses a fade in progress from the current alpha.
  void show();
  void hide();

  void setStep(int step) { step_ = step; }
  int step() const { return step_; }
  int alpha() const { return alpha_; }
  bool fading() const { return fading_; }
  bool targetVisible() const { return targetVisible_; }
  // White with the current alpha: the tint that fades a picture without changing its colours.
  platform::Color colour() const { return static_cast<platform::Color>(alpha_) << 24 | 0xffffffu; }

 private:
  bool targetVisible_;
  bool fading_ = false;
  int alpha_;
  int step_ = 10;
};

}  // namespace gui
