#include "app/IntroScreen.h"

#include <memory>

#include "gui/GUI_Component_Image.h"
#include "gui/Sprite.h"
#include "platform/Buttons.h"
#include "platform/Input.h"

namespace app {

namespace {
// The pictures the intro moves and shows after they are built.
constexpr const char* kLogo = "gui_kelvaneImg";
constexpr const char* kMenuCover = "gui_bgImg2";
}  // namespace

IntroScreen::IntroScreen(ScreenWidgets& widgets, int screenWidth, int screenHeight)
    : widgets_(widgets), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

void IntroScreen::buildIntro() {
  widgets_.clear();
  introFrame_ = 0;
  introEndFrame_ = -1;
  logoSpeed_ = 2.0f;
  logoY_ = static_cast<float>(screenHeight_ / 2);

  auto logo = std::make_unique<gui::GUI_Component_Image>(
      kLogo, gui::guiImagePath("projectkelvane.png"), 1, (screenWidth_ - kLogoWidth) / 2,
      static_cast<int>(logoY_), false);
  logo->setFadeStep(2);
  widgets_.add(std::move(logo));

  auto background = std::make_unique<gui::GUI_Component_Image>(
      "gui_bgImg", gui::guiImagePath("intro_bg.png"), 0, 0, 0, screenWidth_, screenHeight_, false);
  background->setFadeStep(1);
  background->show();
  widgets_.add(std::move(background));

  widgets_.add(std::make_unique<gui::GUI_Component_Image>(
      kMenuCover, gui::guiImagePath("bg.png"), 2, 0, 0, screenWidth_, screenHeight_, false));
}

bool IntroScreen::update(const platform::Input& input) {
  ++introFrame_;
  if (introFrame_ >= kLogoStartFrame) {
    if (auto* logo = dynamic_cast<gui::GUI_Component_Image*>(widgets_.find(kLogo))) {
      logo->show();
      logo->setPosition((screenWidth_ - kLogoWidth) / 2, static_cast<int>(logoY_));
    }
    // The position is set before the logo moves, so it is first drawn at its starting height.
    logoSpeed_ = logoSpeed_ * 0.99f;
    if (logoSpeed_ < 0.1f) logoSpeed_ = 0.0f;
    logoY_ -= logoSpeed_;
  }
  if (input.down(platform::button::kSpace) || introFrame_ == kTimeoutFrame) {
    // Holding Space keeps pushing the end ahead, so the intro ends 30 frames after release.
    introEndFrame_ = introFrame_ + kFadeOutFrames;
    if (auto* cover = widgets_.find(kMenuCover)) cover->show();
  }
  return introFrame_ == introEndFrame_;
}

}  // namespace app
