#include "race/Hud.h"

#include <string>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "physics/Car.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "race/Camera.h"
#include "race/DebugView.h"
#include "race/HudText.h"
#include "race/LapTable.h"
#include "race/RaceAssets.h"
#include "race/RaceView.h"
#include "race/TimeFormat.h"

namespace race {
namespace {

constexpr double kPanelZ = 1000;

void drawIfLoaded(const platform::Image* image, double x, double y, double scaleY = 1) {
  if (image) image->draw(x, y, kPanelZ, 1, scaleY);
}

}  // namespace

Hud::Hud(platform::Graphics& graphics, int updateInterval)
    : graphics_(graphics), debugView_(std::make_unique<DebugView>(graphics, updateInterval)) {}

Hud::~Hud() = default;

void Hud::start() {
  powerBar_ = loadInstrumentPicture(graphics_, kPowerBarPicture);
  brakeBar_ = loadInstrumentPicture(graphics_, kBrakeBarPicture);
  throttleBar_ = loadInstrumentPicture(graphics_, kThrottleBarPicture);
  steerBar_ = loadInstrumentPicture(graphics_, kSteerBarPicture);
  wheelIndicator_ = loadInstrumentPicture(graphics_, kWheelIndicatorPicture);
  debugView_->reset();
}

void Hud::end() {
  debugView_->reset();
}

void Hud::update(const RaceView& view) {
  debugView_->update(view);
}

void Hud::draw(const RaceView& view) const {
  drawTexts(view);
  if (instrumentsShown_ && config::Options::instance()->getOptionInt(config::key::onlyCPU) == 1)
    debugView_->draw(view);
  if (instrumentsShown_) drawInstruments(view);
  const Camera& camera = view.camera();
  drawHudText(view.raceCar(camera.followedCar()).name, camera.screenWidth() / 2, 10);
  drawCountdown(view);
}

void Hud::drawTexts(const RaceView& view) const {
  const int f = view.camera().followedCar();
  const physics::Car& c = view.car(f);
  const LapTable& laps = view.laps();
  drawHudText(L"Speed:", 20, 10);
  drawHudText(std::to_wstring(static_cast<long long>(c.speed * 10)), 160, 10);
  drawHudText(L"Lap:", 20, 35);
  drawHudText(std::to_wstring(laps.lapShown(f)) + L" / " + std::to_wstring(laps.lapCount()), 160,
              35);
  drawHudText(L"Current Lap:", 20, 60);
  drawHudText(formatTime(laps.currentLapTime(f)), 160, 60);
  drawHudText(L"Previous Lap:", 20, 85);
  drawHudText(formatTime(laps.previousLapTime(f)), 160, 85);
  drawHudText(L"Best Lap:", 20, 110);
  drawHudText(formatTime(laps.bestLap(f)), 160, 110);
}

void Hud::drawInstruments(const RaceView& view) const {
  const Camera& camera = view.camera();
  const physics::Car& c = view.car(camera.followedCar());
  const int w = camera.screenWidth(), h = camera.screenHeight();
  const float b = static_cast<float>(c.brake * 0.41);
  const float t = static_cast<float>(c.throttle * 0.41);
  drawIfLoaded(powerBar_.get(), w - 60, h - 60);
  drawIfLoaded(powerBar_.get(), w - 34, h - 60);
  drawIfLoaded(brakeBar_.get(), w - 59, (h - 18) - b, b);
  drawIfLoaded(throttleBar_.get(), w - 33, (h - 18) - t, t);
  drawIfLoaded(steerBar_.get(), w - 60, h - 70);
  if (wheelIndicator_)
    wheelIndicator_->drawRot(w - 39 + c.getSteer() * 21, h - 69, kPanelZ, 0, 0.5, 0.5);
}

void Hud::drawCountdown(const RaceView& view) const {
  const int c = view.countdownFrames();
  const int w = view.camera().screenWidth(), h = view.camera().screenHeight();
  if (c >= 0) {
    const std::wstring digit = std::to_wstring(c / 60 + 1);
    const platform::Font& font = countdownFont();
    font.draw(digit, w / 2 + 1, h / 2 - 59, kHudTextZ, 1, 1, platform::kBlack);
    font.draw(digit, w / 2, h / 2 - 60, kHudTextZ, 1, 1, platform::kWhite);
  } else if (c > -60) {
    const auto alpha = static_cast<platform::Color>(static_cast<int>(c * 4.25 + 255));
    const platform::Font& font = countdownFont();
    font.draw(L"START", w / 2 - 19, h / 2 - 59, kHudTextZ, 1, 1, alpha << 24);
    font.draw(L"START", w / 2 - 20, h / 2 - 60, kHudTextZ, 1, 1, alpha << 24 | 0xffffffu);
  }
}

}  // namespace race
