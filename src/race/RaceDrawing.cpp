// The race picture: background, cars, tire marks, the followed car's texts, the instrument
// panel, the countdown, the computer driver's debug view and the result screen.
#include <iomanip>
#include <sstream>

#include "config/Options.h"
#include "drivers/Driver.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "physics/Car.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Input.h"
#include "race/RaceData.h"
#include "race/TimeFormat.h"
#include "race/TireMarks.h"

namespace race {
namespace {

constexpr const char* kFontName = "Trebuchet MS";
constexpr double kPi = 3.1415926535;
constexpr double kTextZ = 100;
constexpr double kPanelZ = 1000;
constexpr int kPointerIdleFrames = 120;     // two seconds without movement hide the pointer
constexpr int kScrollButtonsFromCars = 16;  // fifteen rows fit in the list

const platform::Font& textFont() {
  return FontCache::get(kFontName, 20);
}
const platform::Font& bigFont() {
  return FontCache::get(kFontName, 40);
}

void drawText(const std::wstring& text, double x, double y, double z = kTextZ,
              platform::Color color = platform::kWhite) {
  textFont().draw(text, x, y, z, 1, 1, color);
}

// General notation with 16 significant digits ("0.5", "213.25").
std::wstring numberText(double value) {
  std::wostringstream text;
  text << std::setprecision(16) << value;
  return text.str();
}

void drawIfLoaded(const platform::Image* image, double x, double y, double scaleY = 1) {
  if (image) image->draw(x, y, kPanelZ, 1, scaleY);
}

}  // namespace

void RaceData::drawRace() {
  if (!active_) return;
  background_->draw(camera_.x(), camera_.y(), 0);
  drawCars();
  if (tireMarks_ && Options::instance()->getGraphicsInt("tireMarks") != 0)
    tireMarks_->draw(camera_.x(), camera_.y(), camera_.screenWidth(), camera_.screenHeight());
  drawTexts();
  if (showInstruments_ && Options::instance()->getOptionInt("onlyCPU") == 1) drawDebugView();
  if (showInstruments_) drawInstruments();
  drawText(raceCar(followedCar()).name, camera_.screenWidth() / 2, 10);
  drawCountdown();
  drawResultScreen();
}

void RaceData::drawCars() const {
  for (const RaceCar& entry : cars_) {
    const Car& c = *entry.car;
    entry.image->drawRot(c.getX() + camera_.x(), c.getY() + camera_.y(), 50,
                         c.getAngle() / kPi * 180.0 - 90.0, 0.5, 0.5, 1, 1, entry.color);
  }
}

void RaceData::drawTexts() const {
  const int f = followedCar();
  const Car& c = car(f);
  drawText(L"Speed:", 20, 10);
  drawText(std::to_wstring(static_cast<long long>(c.speed * 10)), 160, 10);
  drawText(L"Lap:", 20, 35);
  drawText(std::to_wstring(laps_->lapShown(f)) + L" / " + std::to_wstring(lapCount_), 160, 35);
  drawText(L"Current Lap:", 20, 60);
  drawText(formatTime(laps_->currentLapTime(f)), 160, 60);
  drawText(L"Previous Lap:", 20, 85);
  drawText(formatTime(laps_->previousLapTime(f)), 160, 85);
  drawText(L"Best Lap:", 20, 110);
  drawText(formatTime(laps_->bestLap(f)), 160, 110);
}

void RaceData::drawDebugView() const {
  const Driver& d = driver(followedCar());
  drawText(L"DistWeight:", 20, 135);
  drawText(numberText(d.distanceWeightHere()), 160, 135);
  drawText(L"SpeedWeight:", 20, 160);
  drawText(numberText(d.speedWeight()), 160, 160);
  for (const auto& target : {d.target1(), d.target2()})
    if (target) drawText(L"X", target->x * 4 + camera_.x(), target->y * 4 + camera_.y(), 4);
  if (overlayImage_) overlayImage_->draw(camera_.x(), camera_.y(), 5, 4, 4);
}

void RaceData::drawInstruments() const {
  const Car& c = car(followedCar());
  const int w = camera_.screenWidth(), h = camera_.screenHeight();
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

void RaceData::drawCountdown() const {
  const int c = countdownFrames_;
  const int w = camera_.screenWidth(), h = camera_.screenHeight();
  if (c >= 0) {
    const std::wstring digit = std::to_wstring(c / 60 + 1);
    bigFont().draw(digit, w / 2 + 1, h / 2 - 59, kTextZ, 1, 1, platform::kBlack);
    bigFont().draw(digit, w / 2, h / 2 - 60, kTextZ, 1, 1, platform::kWhite);
  } else if (c > -60) {
    const auto alpha = static_cast<platform::Color>(static_cast<int>(c * 4.25 + 255));
    bigFont().draw(L"START", w / 2 - 19, h / 2 - 59, kTextZ, 1, 1, alpha << 24);
    bigFont().draw(L"START", w / 2 - 20, h / 2 - 60, kTextZ, 1, 1, alpha << 24 | 0xffffffu);
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
