#include <gtest/gtest.h>

#include <cmath>

#include "RaceFixture.h"
#include "config/OptionKeys.h"
#include "physics/Car.h"
#include "platform/Buttons.h"
#include "platform/Font.h"
#include "platform/Text.h"

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

TEST_F(RacePicture, CountdownDigitWithShadowThenFadingStart) {
  auto& race = startMeadow(2, 1);
  race.updateRace();  // 185 frames left: "4"
  auto calls = frame();
  const DrawCall* shadow = text(calls, L"4", platform::kBlack);
  const DrawCall* digit = text(calls, L"4");
  ASSERT_NE(shadow, nullptr);
  ASSERT_NE(digit, nullptr);
  EXPECT_EQ(digit->x, 400);
  EXPECT_EQ(digit->y, 240);
  EXPECT_EQ(shadow->x, 401);
  EXPECT_EQ(shadow->y, 241);
  EXPECT_EQ(digit->z, 100);
  EXPECT_EQ(digit->font->height(), 40);
  for (int i = 0; i < 7; ++i) race.updateRace();  // 178 left: "3"
  EXPECT_NE(text(frame(), L"3"), nullptr);

  skipCountdown();  // -1
  calls = frame();
  const DrawCall* start = text(calls, L"START", 0xfaffffffu);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->x, 380);
  EXPECT_NE(text(calls, L"START", 0xfa000000u), nullptr);
  for (int i = 0; i < 58; ++i) race.updateRace();  // -59: almost gone
  EXPECT_NE(text(frame(), L"START", 0x04ffffffu), nullptr);
  race.updateRace();  // -60: gone
  calls = frame();
  for (const DrawCall& call : calls) EXPECT_NE(call.text, L"START");
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
  const DrawCall* laps = text(calls, L"1 / 2");
  ASSERT_NE(laps, nullptr);
  EXPECT_EQ(laps->x, 160);
  EXPECT_EQ(laps->y, 35);
  EXPECT_NE(text(calls, L"--:--:--.---"), nullptr);
  EXPECT_EQ(text(calls, L"DistWeight:"), nullptr);  // the debug view waits for Backspace
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
  EXPECT_EQ(weight->y, 160);
  bool overlay = false;
  for (const DrawCall& call : calls) overlay |= call.z == 5 && call.scaleX == 4;
  EXPECT_TRUE(overlay);

  // Any "onlyCPU" value but 1 hides the debug view, not the panel.
  config::Options::instance()->setOptionInt(config::key::onlyCPU, 2);
  calls = frame();
  EXPECT_EQ(text(calls, L"SpeedWeight:"), nullptr);
  EXPECT_NE(imageAt(calls, 740, 540, 1000), nullptr);
}

}  // namespace
