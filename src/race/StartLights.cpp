#include "race/StartLights.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/Audio.h"
#include "platform/Font.h"
#include "race/HudText.h"
#include "race/OverlayShapes.h"

namespace race {
namespace {

constexpr int kSampleRate = 44100;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kLowBeepHz = 660, kLowBeepSeconds = 0.16;
constexpr double kGoToneHz = 1320, kGoToneSeconds = 0.5;
constexpr double kCueVolume = 0.6;

constexpr double kZ = 120;
constexpr double kLamp = 44, kGap = 14, kFrame = 12;
constexpr double kHousingWidth = StartLights::kLamps * kLamp + (StartLights::kLamps + 1) * kGap;
constexpr double kHousingHeight = kLamp + 2 * kFrame;
constexpr int kNumeralHeight = 60;
// Pixels between the followed car and the lights: clear of the cars beside it on the grid.
constexpr double kCarClearance = 70;
constexpr platform::Color kHousing = 0xd8101214u;  // see-through dark
constexpr platform::Color kLampOff = 0xff34363au;
constexpr platform::Color kRed = 0xffff2a1au;
constexpr platform::Color kGreen = 0xff30e060u;

}  // namespace

std::vector<float> signalTone(double frequency, double seconds, int sampleRate) {
  const int count = std::max(0, static_cast<int>(seconds * sampleRate));
  const double attack = 0.004 * sampleRate, release = 0.3 * count;
  std::vector<float> wave(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tone =
        std::sin(kTwoPi * frequency * t) + 0.3 * std::sin(kTwoPi * 3 * frequency * t);
    double envelope = std::min(1.0, i / attack);
    if (count - i < release) envelope *= (count - i) / release;
    wave[static_cast<std::size_t>(i)] = static_cast<float>(tone / 1.3 * envelope);
  }
  return wave;
}

StartLights::StartLights(int framesPerSecond) : framesPerSecond_(std::max(framesPerSecond, 1)) {}

StartLights::~StartLights() = default;

void StartLights::start(platform::Audio* audio) {
  lastLit_ = 0;
  wentGreen_ = false;
  cuesPlayed_ = 0;
  beep_.reset();
  goTone_.reset();
  if (!audio) return;
  beep_ = std::make_unique<platform::Sample>(
      *audio, signalTone(kLowBeepHz, kLowBeepSeconds, kSampleRate), kSampleRate);
  goTone_ = std::make_unique<platform::Sample>(
      *audio, signalTone(kGoToneHz, kGoToneSeconds, kSampleRate), kSampleRate);
}

int StartLights::lampsLit(int countdownFrames) const {
  if (countdownFrames < 0) return 0;
  return std::clamp(kLamps - countdownFrames / framesPerSecond_, 0, kLamps);
}

bool StartLights::green(int countdownFrames) const {
  return countdownFrames < 0 && countdownFrames > -framesPerSecond_;
}

int StartLights::numeral(int countdownFrames) const {
  const int lit = lampsLit(countdownFrames);
  return lit > 0 ? kLamps + 1 - lit : 0;
}

void StartLights::update(int countdownFrames) {
  const int lit = lampsLit(countdownFrames);
  if (lit > lastLit_) play(beep_.get());
  lastLit_ = lit;
  if (green(countdownFrames) && !wentGreen_) {
    wentGreen_ = true;
    play(goTone_.get());
  }
}

void StartLights::play(const platform::Sample* sample) {
  ++cuesPlayed_;
  if (sample) sample->play(0.0, kCueVolume);
}

int StartLights::fadeLevel(int countdownFrames) const {
  if (!green(countdownFrames)) return 255;
  return 255 * (countdownFrames + framesPerSecond_) / framesPerSecond_;
}

void StartLights::draw(int countdownFrames, int screenWidth, int screenHeight, double carScreenY,
                       const OverlayShapes& shapes) const {
  const bool go = green(countdownFrames);
  if (countdownFrames < 0 && !go) return;
  const int alpha = fadeLevel(countdownFrames);
  const double left = screenWidth / 2 - kHousingWidth / 2;
  // The lamps and the numeral under them, kept clear of the car.
  const double height = kHousingHeight + 8 + kNumeralHeight;
  const double top = carScreenY >= screenHeight / 2 ? carScreenY - kCarClearance - height
                                                    : carScreenY + kCarClearance;
  shapes.rect(left, top, kHousingWidth, kHousingHeight, kZ, kHousing, alpha);
  drawLamps(countdownFrames, left, top, shapes);

  const int number = numeral(countdownFrames);
  if (number == 0 && !go) return;
  const std::wstring text = go ? L"GO" : std::to_wstring(number);
  const platform::Font& font = hudFont(kNumeralHeight);
  const double x = screenWidth / 2 - font.textWidth(text) / 2;
  const double y = top + kHousingHeight + 8;
  font.draw(text, x + 2, y + 2, kZ, 1, 1, platform::withAlpha(platform::kBlack, alpha * 3 / 4));
  font.draw(text, x, y, kZ + 1, 1, 1, platform::withAlpha(go ? kGreen : platform::kWhite, alpha));
}

void StartLights::drawLamps(int countdownFrames, double left, double top,
                            const OverlayShapes& shapes) const {
  const bool go = green(countdownFrames);
  const int alpha = fadeLevel(countdownFrames);
  const int lit = lampsLit(countdownFrames);
  for (int k = 0; k < kLamps; ++k) {
    const double x = left + kGap + k * (kLamp + kGap) + kLamp / 2;
    const double y = top + kFrame + kLamp / 2;
    const bool on = go || k < lit;
    const platform::Color light = go ? kGreen : kRed;
    if (on) shapes.disc(x, y, kLamp * 1.45, kZ, platform::withAlpha(light, 85), alpha);  // glow
    shapes.disc(x, y, kLamp, kZ + 1, on ? light : kLampOff, alpha);
    // A highlight makes the lamp look like glass.
    shapes.disc(x - kLamp * 0.15, y - kLamp * 0.15, kLamp * 0.35, kZ + 2,
                platform::withAlpha(platform::kWhite, on ? 90 : 30), alpha);
  }
}

}  // namespace race
