// The race picture: background, cars and tire marks, with the HUD and the result screen over it.
#include "config/Options.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "physics/Car.h"
#include "platform/Image.h"
#include "platform/Input.h"
#include "race/Hud.h"
#include "race/RaceData.h"
#include "race/RaceView.h"
#include "race/TireMarks.h"

namespace race {
namespace {

constexpr double kPi = 3.1415926535;
constexpr int kPointerIdleFrames = 120;     // two seconds without movement hide the pointer
constexpr int kScrollButtonsFromCars = 16;  // fifteen rows fit in the list

}  // namespace

void RaceData::drawRace() {
  if (!active_) return;
  background_->draw(camera_.x(), camera_.y(), 0);
  drawCars();
  if (tireMarks_ && Options::instance()->getGraphicsInt("tireMarks") != 0)
    tireMarks_->draw(camera_.x(), camera_.y(), camera_.screenWidth(), camera_.screenHeight());
  hud_->draw(view());
  drawResultScreen();
}

void RaceData::drawCars() const {
  for (const RaceCar& entry : cars_) {
    const Car& c = *entry.car;
    entry.image->drawRot(c.getX() + camera_.x(), c.getY() + camera_.y(), 50,
                         c.getAngle() / kPi * 180.0 - 90.0, 0.5, 0.5, 1, 1, entry.color);
  }
}

void RaceData::drawResultScreen() {
  const double mouseX = input_.mouseX(), mouseY = input_.mouseY();
  if (mouseX != lastMouseX_ || mouseY != lastMouseY_) {
    mouseIdleFrames_ = 0;
    mousePointer_->show();
  } else if (++mouseIdleFrames_ == kPointerIdleFrames) {
    mousePointer_->hide();
  }
  lastMouseX_ = static_cast<int>(mouseX);
  lastMouseY_ = static_cast<int>(mouseY);

  resultsGui_->remove(resultsList_.get());
  resultsGui_->remove(quitButton_.get());
  resultsGui_->remove(scrollDownButton_.get());
  resultsGui_->remove(scrollUpButton_.get());
  resultScreenShown_ = laps_->lapsDone(followedCar()) == lapCount_ || paused_;
  scrollButtonsShown_ = resultScreenShown_ && carCount() >= kScrollButtonsFromCars;
  if (resultScreenShown_) {
    resultsGui_->add(resultsList_.get());
    resultsGui_->add(quitButton_.get());
    if (scrollButtonsShown_) {
      resultsGui_->add(scrollDownButton_.get());
      resultsGui_->add(scrollUpButton_.get());
    }
  }
  // The listener may end the race from here ("Quit Race"): nothing of the race is used after.
  resultsGui_->update(input_);
}

}  // namespace race
