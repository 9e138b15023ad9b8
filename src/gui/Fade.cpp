#include "gui/Fade.h"

namespace gui {

void Fade::advance() {
  if (!fading_) return;
  if (targetVisible_) {
    alpha_ += step_;
    if (alpha_ >= 255) {
      alpha_ = 255;
      fading_ = false;
    }
  } else {
    alpha_ -= step_;
    if (alpha_ <= 0) {
      alpha_ = 0;
      fading_ = false;
    }
  }
}

void Fade::show() {
  if (targetVisible_) return;
  targetVisible_ = true;
  fading_ = true;
}

void Fade::hide() {
  if (!targetVisible_) return;
  targetVisible_ = false;
  fading_ = true;
}

}  // namespace gui
