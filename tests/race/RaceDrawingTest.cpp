#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "RaceFixture.h"
#include "config/OptionKeys.h"
#include "physics/Car.h"
#include "platform/Buttons.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "race/Minimap.h"
#include "race/RaceNotices.h"
#include "race/ResultScreen.h"
#include "race/StartLights.h"

namespace {

using platform::DrawCall;

class RacePicture : public RaceFixture {
 protected:
  race::RaceData& startMeadow(int cars, int onlyCpu) {
    installTrack("meadow_loop.rst");
    setOptions(cars, 2, onlyCpu);
    auto& race = makeRace("meadow_loop.rst");
    EXPECT_TRUE(race.startRace()) << race.lastError();
    return race;
  }
  // Draws one frame and keeps its draw calls.
  std::vector<DrawCall> frame() {
    graphics_->flush();
    race_->drawRace();
    std::vector<DrawCall> calls = graphics_->queued();
    graphics_->flush();
    return calls;
  }
  static const DrawCall* text(const std::vector<DrawCall>& calls, const std::wstring& t,
                              platform::Color color = platform::kWhite) {
    for (const DrawCall& call : calls)
      if (call.kind == DrawCall::Kind::Text && call.text == t && call.color == color) return &call;
    return nullptr;
  }
  static const DrawCall* imageAt(const std::vector<DrawCall>& calls, double x, double y, double z) {
    for (const DrawCall& call : calls)
      if (call.kind == DrawCall::Kind::Image && call.z == z && call.x == x && call.y == y)
        return &call;
    return nullptr;
  }
  void press(int key) {
    input_.setDown(key, true);
    race_->updateRace();
    input_.setDown(key, false);
  }
};

TEST_F(RacePicture, StartLightsComeOnOneASecondWithANumeralThenGoGreen) {
  auto& race = startMeadow(2, 1);
  const race::StartLights& lights = race.startLights();
  race.updateRace();  // 185 frames left: the first lamp, "3"
  EXPECT_EQ(lights.lampsLit(race.countdownFrames()), 1);
  auto calls = frame();
  const DrawCall* three = text(calls, L"3");
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(three->font->height(), 60);
  EXPECT_NEAR(three->x + three->font->textWidth(L"3") / 2, 400, 1);  // centred
  EXPECT_NE(text(calls, L"3", 0xbf000000u), nullptr);                // on its shadow
  for (int i = 0; i < 62; ++i) race.updateRace();
  EXPECT_EQ(lights.lampsLit(race.countdownFrames()), 2);
  EXPECT_NE(text(frame(), L"2"), nullptr);
  for (int i = 0; i < 62; ++i) race.updateRace();
  EXPECT_EQ(lights.lampsLit(race.countdownFrames()), 3);
  EXPECT_NE(text(frame(), L"1"), nullptr);
  EXPECT_EQ(lights.cuesPlayed(), 3);  // a beep as each lamp came on

  skipCountdown();  // the first racing frame: green, "GO" and the high tone
  EXPECT_TRUE(lights.green(race.countdownFrames()));
  EXPECT_EQ(lights.cuesPlayed(), 4);
  calls = frame();
  bool go = false;
  for (const DrawCall& call : calls) go |= call.text == L"GO";
  EXPECT_TRUE(go);
  for (int i = 0; i < 62; ++i) race.updateRace();  // a second later the lights are gone
  for (const DrawCall& call : frame()) EXPECT_NE(call.text, L"GO");
  EXPECT_EQ(lights.cuesPlayed(), 4);
}

TEST(StartTone, ShortAndWithinFullScaleFadingInAndOut) {
  const std::vector<float> tone = race::signalTone(660, 0.16, 44100);
  ASSERT_EQ(tone.size(), 7056u);
  float peak = 0;
  for (float v : tone) peak = std::max(peak, std::abs(v));
  EXPECT_LE(peak, 1.0f);
  EXPECT_GT(peak, 0.5f);
  EXPECT_LT(std::abs(tone.front()), 0.01f);
  EXPECT_LT(std::abs(tone.back()), 0.01f);
}

TEST_F(RacePicture, FollowedCarTextsAndName) {
  auto& race = startMeadow(3, 1);
  race.updateRace();
  auto calls = frame();
  const DrawCall* name = text(calls, L"Player1");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->x, 400);
  EXPECT_EQ(name->y, 10);
  for (auto [label, y] : {std::pair{L"Speed:", 10},
                          {L"Lap:", 35},
                          {L"Current Lap:", 60},
                          {L"Previous Lap:", 85},
                          {L"Best Lap:", 110}}) {
    const DrawCall* call = text(calls, label);
    ASSERT_NE(call, nullptr) << platform::narrow(label);
    EXPECT_EQ(call->x, 20);
    EXPECT_EQ(call->y, y);
    EXPECT_EQ(call->font->height(), 20);
  }
  const DrawCall* laps = text(calls, L"1/2");
  ASSERT_NE(laps, nullptr);
  EXPECT_EQ(laps->x, 160);
  EXPECT_EQ(laps->y, 35);
  EXPECT_NE(text(calls, L"--:--:--.---"), nullptr);
  EXPECT_EQ(text(calls, L"DistWeight:"), nullptr);  // the debug view waits for Backspace
}

TEST_F(RacePicture, EscapeHeadsTheTableWithPausedUntilTheRaceGoesOn) {
  auto& race = startMeadow(2, 0);
  race.updateRace();
  EXPECT_EQ(text(frame(), race::RaceNotices::kPaused), nullptr);
  press(platform::button::kEscape);
  ASSERT_TRUE(race.paused());
  const auto calls = frame();
  const DrawCall* heading = text(calls, race::RaceNotices::kPaused);
  ASSERT_NE(heading, nullptr);
  EXPECT_LT(heading->y, race::ResultScreen::listTop(600));  // above the table, over it
  EXPECT_GT(heading->z, 1000);
  for (int i = 0; i < 20; ++i) race.updateRace();  // Escape rests after acting
  press(platform::button::kEscape);
  EXPECT_EQ(text(frame(), race::RaceNotices::kPaused), nullptr);
}

TEST_F(RacePicture, CarsAreTurnedToTheirHeadingAndTinted) {
  auto& race = startMeadow(3, 1);
  race.updateRace();
  int cars = 0;
  for (const DrawCall& call : frame()) {
    if (call.z != 50) continue;
    const physics::Car& car = race.car(cars);
    EXPECT_TRUE(call.rotated);
    EXPECT_DOUBLE_EQ(call.x, car.getX() + race.cameraX());
    EXPECT_DOUBLE_EQ(call.angle, car.getAngle() / 3.1415926535 * 180 - 90);
    EXPECT_EQ(call.color, race.raceCar(cars).color);
    ++cars;
  }
  EXPECT_EQ(cars, 3);
}

TEST_F(RacePicture, InstrumentPanelAndDebugViewAfterBackspace) {
  auto& race = startMeadow(2, 1);
  skipCountdown();
  for (int i = 0; i < 100; ++i) race.updateRace();
  press(platform::button::kBackspace);
  ASSERT_TRUE(race.showInstruments());
  auto calls = frame();
  EXPECT_NE(imageAt(calls, 740, 540, 1000), nullptr);  // brake bar frame
  EXPECT_NE(imageAt(calls, 766, 540, 1000), nullptr);  // throttle bar frame
  EXPECT_NE(imageAt(calls, 740, 530, 1000), nullptr);  // steering bar
  const physics::Car& car = race.car(0);
  const DrawCall* wheel = imageAt(calls, 761 + car.getSteer() * 21, 531, 1000);
  ASSERT_NE(wheel, nullptr);
  EXPECT_TRUE(wheel->rotated);
  const float throttle = static_cast<float>(car.throttle * 0.41);
  const DrawCall* bar = imageAt(calls, 767, 582 - throttle, 1000);
  ASSERT_NE(bar, nullptr);
  EXPECT_FLOAT_EQ(static_cast<float>(bar->scaleY), throttle);

  const DrawCall* weight = text(calls, L"SpeedWeight:");
  ASSERT_NE(weight, nullptr);
  EXPECT_EQ(weight->y, 215);  // below the HUD's panel
  bool overlay = false;
  for (const DrawCall& call : calls) overlay |= call.z == 5 && call.scaleX == 4;
  EXPECT_TRUE(overlay);

  // Any "onlyCPU" value but 1 hides the debug view, not the panel.
  config::Options::instance()->setOptionInt(config::key::onlyCPU, 2);
  calls = frame();
  EXPECT_EQ(text(calls, L"SpeedWeight:"), nullptr);
  EXPECT_NE(imageAt(calls, 740, 540, 1000), nullptr);
}

TEST_F(RacePicture, ZoomScalesTheWorldAroundTheFollowedCarAndIsStored) {
  config::Options::instance()->setGraphicsInt(config::key::zoom, 200);
  auto& race = startMeadow(3, 1);
  skipCountdown();
  for (int i = 0; i < 200; ++i) race.updateRace();
  EXPECT_EQ(race.camera().zoom(), 2.0);
  const physics::Car& followed = race.car(0);
  auto calls = frame();
  int cars = 0;
  bool background = false, marker = false;
  for (const DrawCall& call : calls) {
    background |= call.z == 0 && call.scaleX == 2 && call.x == race.cameraX();
    if (call.z == 50) {
      EXPECT_EQ(call.scaleX, 2);
      EXPECT_DOUBLE_EQ(call.x, race.car(cars).getX() * 2 + race.cameraX());
      ++cars;
    }
    // The ring marks the followed car, under it.
    marker |= call.z == 45 && std::abs(call.x + call.image->width() / 2.0 -
                                       (followed.getX() * 2 + race.cameraX())) < 1e-6;
  }
  EXPECT_TRUE(background);
  EXPECT_EQ(cars, 3);
  EXPECT_TRUE(marker);
  // The view leads the car: it stands behind the middle of the screen, against its travel.
  const double screenX = followed.getX() * 2 + race.cameraX();
  const double screenY = followed.getY() * 2 + race.cameraY();
  const double travelX = followed.getX() - followed.getPreviousX();
  const double travelY = followed.getY() - followed.getPreviousY();
  EXPECT_LT((screenX - 400) * travelX + (screenY - 300) * travelY, 0);

  press(platform::button::kMinus);
  EXPECT_EQ(race.camera().zoom(), 1.5);
  EXPECT_EQ(config::Options::instance()->getGraphicsInt(config::key::zoom), 150);
  for (int i = 0; i < 20; ++i) race.updateRace();
  press(platform::button::kKeypadPlus);
  EXPECT_EQ(race.camera().zoom(), 2.0);
}

TEST_F(RacePicture, MinimapOfAShippedTrackStaysInItsCornerAndHidesWithItsKey) {
  installTrack("grand_valley.rst");
  setOptions(8, 2, 1);
  auto& race = makeRace("grand_valley.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  skipCountdown();
  for (int i = 0; i < 300; ++i) race.updateRace();
  const race::Minimap& minimap = *race.minimap();
  const race::ScreenArea& area = minimap.area();
  // In the top right corner, clear of the HUD's panel and of the instruments.
  EXPECT_GE(area.x, 300);
  EXPECT_LE(area.x + area.w, 800);
  EXPECT_GE(area.y, 0);
  EXPECT_LE(area.y + area.h, 600 - 70);
  int road = 0;
  const platform::Bitmap& picture = minimap.picture();
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      road += platform::alphaOf(picture.getPixel(x, y)) > 128;
  EXPECT_GT(road, 500);

  int drawn = 0, dots = 0;
  for (const DrawCall& call : frame()) {
    if (call.z < 150 || call.z >= 160) continue;
    ++drawn;
    const double w = call.image->width() * call.scaleX, h = call.image->height() * call.scaleY;
    EXPECT_TRUE(area.contains(call.x, call.y) && area.contains(call.x + w, call.y + h))
        << call.x << ", " << call.y << " z " << call.z;
    dots += call.z >= 152;
  }
  EXPECT_GE(dots, 8);  // a dot for every car
  EXPECT_GT(drawn, dots);

  press(platform::button::kM);
  EXPECT_EQ(config::Options::instance()->getGraphicsInt(config::key::minimap), 0);
  for (const DrawCall& call : frame()) EXPECT_FALSE(call.z >= 150 && call.z < 160);
}

}  // namespace
