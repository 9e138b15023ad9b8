#pragma once

#include "app/ScreenWidgets.h"

namespace platform {
class Input;
}

namespace app {

// The animated intro: the background fades in, the logo appears after one second and rises
// while it slows down; Space (or frame 500) fades in the menu background, and 30 frames later
// the intro is over. All timings are in frames of 1/60 s.
class IntroScreen {
 public:
  static constexpr int kLogoWidth = 587;
  static constexpr int kLogoStartFrame = 60;
  static constexpr int kTimeoutFrame = 500;
  static constexpr int kFadeOutFrames = 30;

  IntroScreen(ScreenWidgets& widgets, int screenWidth, int screenHeight);

  // Replaces the screen by the intro's pictures and starts counting from frame 0.
  void buildIntro();
  // One frame; true when the intro has ended and the main menu should replace it.
  bool update(const platform::Input& input);

  int introFrame() const { return introFrame_; }
  // -1 until Space is seen or the intro times out.
  int introEndFrame() const { return introEndFrame_; }
  float logoSpeed() const { return logoSpeed_; }
  float logoY() const { return logoY_; }

 private:
  ScreenWidgets& widgets_;
  int screenWidth_;
  int screenHeight_;
  int introFrame_ = 0;
  int introEndFrame_ = -1;
  float logoSpeed_ = 2.0f;
  float logoY_ = 0.0f;
};

}  // namespace app
