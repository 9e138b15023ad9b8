#include "race/Hud.h"

#include <cmath>
#include <cstdio>
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
#include "race/OverlayShapes.h"
#include "race/RaceAssets.h"
#include "race/RaceView.h"
#include "race/Standings.h"
#include "race/TimeFormat.h"

namespace race {
namespace {

constexpr double kPanelZ = 1000;
// The texts' panel: dark and see-through, so they read over grass, sand, snow and tarmac
// alike, with the game's orange along its top.
constexpr double kBackingZ = kHudTextZ - 1;
constexpr platform::Color kBacking = 0xa8101418u;
constexpr platform::Color kAccent = 0xffff8c1au;
constexpr platform::Color kQuiet = 0xffc8d0d8u;  // the gap, less loud than the position
constexpr int kPositionHeight = 32;
constexpr double kMetresPerSecondToKmh = 3.6;

void drawIfLoaded(const platform::Image* image, double x, double y, double scaleY = 1) {
  if (image) image->draw(x, y, kPanelZ, 1, scaleY);
}

std::wstring gapText(const Gap& gap, int placeAhead) {
  const std::wstring to = L" to P" + std::to_wstring(placeAhead);
  if (gap.laps > 0)
    return L"+" + std::to_wstring(gap.laps) + (gap.laps == 1 ? L" LAP" : L" LAPS") + to;
  wchar_t seconds[32];
  std::swprintf(seconds, 32, L"+%.2f s", static_cast<double>(gap.seconds));
  return seconds + to;
}

// The record row, when the track has a record, stands between the best lap and the position.
int recordRowHeight(const RaceView& view) {
  return view.recordLap() ? 25 : 0;
}

}  // namespace

std::wstring speedText(double metresPerSecond) {
  const double kmh = std::isfinite(metresPerSecond) ? metresPerSecond * kMetresPerSecondToKmh : 0;
  return std::to_wstring(std::lround(kmh)) + L" km/h";
}

Hud::Hud(platform::Graphics& graphics, const OverlayShapes& shapes, int updateInterval)
    : graphics_(graphics),
      shapes_(shapes),
      debugView_(std::make_unique<DebugView>(graphics, updateInterval)) {}

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
  drawStanding(view);
  if (instrumentsShown_ && config::Options::instance()->getOptionInt(config::key::onlyCPU) == 1)
    debugView_->draw(view);
  if (instrumentsShown_) drawInstruments(view);
  drawName(view);
}

void Hud::drawTexts(const RaceView& view) const {
  const int f = view.camera().followedCar();
  const physics::Car& c = view.car(f);
  const LapTable& laps = view.laps();
  shapes_.rect(8, 4, 292, 178 + recordRowHeight(view), kBackingZ, kBacking);
  shapes_.rect(8, 4, 292, 3, kBackingZ, kAccent);
  drawHudText(L"Speed:", 20, 10);
  drawHudText(speedText(c.speed), 160, 10);
  drawHudText(L"Lap:", 20, 35);
  drawHudText(std::to_wstring(laps.lapShown(f)) + L"/" + std::to_wstring(laps.lapCount()), 160, 35);
  drawHudText(L"Current Lap:", 20, 60);
  drawHudText(formatTime(laps.currentLapTime(f)), 160, 60);
  drawHudText(L"Previous Lap:", 20, 85);
  drawHudText(formatTime(laps.previousLapTime(f)), 160, 85);
  drawHudText(L"Best Lap:", 20, 110);
  drawHudText(formatTime(laps.bestLap(f)), 160, 110);
  if (const auto record = view.recordLap()) {
    drawHudText(L"Record Lap:", 20, 135);
    drawHudText(formatTime(static_cast<float>(*record)), 160, 135);
  }
}

void Hud::drawStanding(const RaceView& view) const {
  const int f = view.camera().followedCar();
  const Standings& standings = view.standings();
  const int place = standings.position(f);
  const int y = 138 + recordRowHeight(view);
  hudFont(kPositionHeight)
      .draw(L"POS " + std::to_wstring(place) + L"/" + std::to_wstring(standings.carCount()), 20, y,
            kHudTextZ, 1, 1, platform::kWhite);
  if (view.laps().finished(f)) return;
  if (place == 1) {
    drawHudText(L"Leading", 160, y + 8, kHudTextZ, kQuiet);
  } else if (const auto gap = standings.gapAhead(f)) {
    drawHudText(gapText(*gap, place - 1), 160, y + 8, kHudTextZ, kQuiet);
  }
}

void Hud::drawName(const RaceView& view) const {
  const Camera& camera = view.camera();
  const std::wstring& name = view.raceCar(camera.followedCar()).name;
  const double x = camera.screenWidth() / 2;
  shapes_.rect(x - 8, 6, hudFont(20).textWidth(name) + 16, 28, kBackingZ, kBacking);
  drawHudText(name, x, 10);
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

}  // namespace race
