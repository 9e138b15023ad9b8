// The race picture: background, cars and tire marks, with the HUD and the result screen over it.
#include "common/Angle.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "physics/Car.h"
#include "platform/Image.h"
#include "race/Hud.h"
#include "race/RaceData.h"
#include "race/RaceView.h"
#include "race/ResultScreen.h"
#include "race/TireMarks.h"

namespace race {

void RaceData::drawRace() {
  if (!active_) return;
  background_->draw(camera_.x(), camera_.y(), 0);
  drawCars();
  if (tireMarks_ && config::Options::instance()->getGraphicsInt(config::key::tireMarks) != 0)
    tireMarks_->draw(camera_.x(), camera_.y(), camera_.screenWidth(), camera_.screenHeight());
  hud_->draw(view());
  // The listener may end the race from here ("Quit Race"): nothing of the race is used after.
  results_->runGui(input_);
}

void RaceData::drawCars() const {
  for (const RaceCar& entry : cars_) {
    const physics::Car& c = *entry.car;
    entry.image->drawRot(c.getX() + camera_.x(), c.getY() + camera_.y(), 50,
                         c.getAngle() / common::kPi * 180.0 - 90.0, 0.5, 0.5, 1, 1, entry.color);
  }
}

}  // namespace race
