// The race picture: background, cars and tire marks, scaled by the camera's zoom, with the HUD,
// the minimap, the start lights, the banners and the result screen over it.
#include "common/Angle.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "physics/Car.h"
#include "platform/Image.h"
#include "race/Hud.h"
#include "race/Minimap.h"
#include "race/OverlayShapes.h"
#include "race/RaceData.h"
#include "race/RaceNotices.h"
#include "race/RaceView.h"
#include "race/ResultScreen.h"
#include "race/StartLights.h"
#include "race/TireMarks.h"

namespace race {
namespace {

// The followed car's ring: under the cars, over the marks; a car length across and more.
constexpr double kMarkerZ = 45;
constexpr double kMarkerSize = 2.0;  // car lengths
constexpr platform::Color kMarkerColor = 0xc0ffd040u;

}  // namespace

void RaceData::drawRace() {
  if (!active_) return;
  const double zoom = camera_.zoom();
  background_->draw(camera_.x(), camera_.y(), 0, zoom, zoom);
  drawCars();
  if (tireMarks_ && config::Options::instance()->getGraphicsInt(config::key::tireMarks) != 0)
    tireMarks_->draw(camera_.x(), camera_.y(), camera_.screenWidth(), camera_.screenHeight(), zoom);
  drawOverlays();
  // The listener may end the race from here ("Quit Race"): nothing of the race is used after.
  results_->runGui(input_);
}

void RaceData::drawCars() const {
  const double zoom = camera_.zoom();
  for (const RaceCar& entry : cars_) {
    const physics::Car& c = *entry.car;
    entry.image->drawRot(camera_.screenX(c.getX()), camera_.screenY(c.getY()), 50,
                         c.getAngle() / common::kPi * 180.0 - 90.0, 0.5, 0.5, zoom, zoom,
                         entry.color);
  }
  const physics::Car& followed = car(followedCar());
  shapes_->ring(camera_.screenX(followed.getX()), camera_.screenY(followed.getY()),
                followed.getLength() * kMarkerSize * zoom, kMarkerZ, kMarkerColor);
}

void RaceData::drawOverlays() const {
  const RaceView v = view();
  const int w = camera_.screenWidth(), h = camera_.screenHeight();
  // The result table, when it is up, tells everything the HUD and the minimap would.
  if (!results_->shown()) {
    hud_->draw(v);
    if (config::Options::instance()->getGraphicsInt(config::key::minimap) != 0)
      minimap_->draw(v, *shapes_);
  }
  startLights_->draw(countdownFrames_, w, h, camera_.screenY(car(followedCar()).getY()), *shapes_);
  // The table's heading (paused, finished) stands above the result table.
  const double finishY = std::max(4, ResultScreen::listTop(h) - 60);
  notices_->draw(followedCar(), *laps_, *standings_, paused_, w, h, finishY, *shapes_);
}

}  // namespace race
