#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "RaceFixture.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/Driver.h"
#include "gui/GUI_Manager.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "race/Camera.h"
#include "race/DebugView.h"
#include "race/Hud.h"
#include "race/LapPath.h"
#include "race/LapTable.h"
#include "race/OverlayShapes.h"
#include "race/RaceView.h"
#include "race/Standings.h"
#include "support/FakeCar.h"

namespace {

using platform::DrawCall;

// A driver that only shows a line and a target, as a computer driver's debug view reads them.
class LineDriver : public drivers::Driver {
 public:
  LineDriver(physics::Car& car, const track::TrackData& track) : drivers::Driver(car, track) {}
  void train(int, const Sample*) override {}
  void drive(const std::vector<physics::Car*>&) override {}
  void learn() override {}
  bool plan() override { return true; }
  const std::vector<track::TrackPoint>* path() const override { return &line; }
  std::optional<track::TrackPoint> target1() const override { return track::TrackPoint{10, 5}; }
  double speedWeight() const override { return 0.5; }

  std::vector<track::TrackPoint> line;  // map cells
};

// One car on a 400 × 200 background, seen through a view built by hand: no race behind it.
class HudParts : public RaceFixture {
 protected:
  HudParts() {
    auto car = std::make_unique<FakeCar>(track_, 120, 80);
    car->speed = 12.34;
    car->throttle = 50;
    auto driver = std::make_unique<LineDriver>(*car, track_);
    driver_ = driver.get();
    drivers_.push_back(std::move(driver));
    cars_.push_back({nullptr, platform::kWhite, L"Ann", std::move(car)});
    camera_.setScreenSize(1000, 700);
    camera_.lookAt(120, 80, 400, 200);  // a small background: centred, (300, 250)
  }
  void SetUp() override {
    RaceFixture::SetUp();
    background_ = std::make_unique<platform::Image>(*graphics_, platform::Bitmap(400, 200), false);
    gui_ = std::make_unique<gui::GUI_Manager>(*graphics_);  // gives the font cache its graphics
    shapes_ = std::make_unique<race::OverlayShapes>(*graphics_);
  }
  void TearDown() override {
    gui_.reset();
    RaceFixture::TearDown();
  }
  race::RaceView view(int countdown) const {
    return race::RaceView(cars_, drivers_, laps_, standings_, camera_, *background_, countdown);
  }
  std::vector<DrawCall> drawn(const auto& part, int countdown) {
    graphics_->flush();
    part.draw(view(countdown));
    std::vector<DrawCall> calls = graphics_->queued();
    graphics_->flush();
    return calls;
  }
  // The white text (the countdown's shadow is black).
  static const DrawCall* text(const std::vector<DrawCall>& calls, const std::wstring& t) {
    for (const DrawCall& call : calls)
      if (call.kind == DrawCall::Kind::Text && call.text == t && call.color == platform::kWhite)
        return &call;
    return nullptr;
  }
  static bool sameCalls(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i].text != b[i].text || a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z ||
          a[i].image != b[i].image || a[i].scaleY != b[i].scaleY || a[i].color != b[i].color)
        return false;
    return true;
  }

  track::TrackData track_;
  std::vector<race::RaceCar> cars_;
  std::vector<std::unique_ptr<drivers::Driver>> drivers_;
  LineDriver* driver_ = nullptr;
  race::LapTable laps_{1, 3, 1.0f / 62, {}, {}};
  race::LapPath path_{track_};
  race::Standings standings_{path_, 1, 1.0f / 62};
  race::Camera camera_;
  std::unique_ptr<platform::Image> background_;
  std::unique_ptr<race::OverlayShapes> shapes_;
  std::unique_ptr<gui::GUI_Manager> gui_;
};

TEST(HudSpeed, KilometresPerHourFromTheCarsMetresPerSecond) {
  EXPECT_EQ(race::speedText(40), L"144 km/h");
  EXPECT_EQ(race::speedText(12.34), L"44 km/h");
  EXPECT_EQ(race::speedText(-0.1), L"0 km/h");
  EXPECT_EQ(race::speedText(std::nan("")), L"0 km/h");
}

TEST_F(HudParts, HudDrawsTheFollowedCarOnItsPanelFromTheViewAndDrawingChangesNothing) {
  config::Options::instance()->setOptionInt(config::key::onlyCPU, 0);
  race::Hud hud(*graphics_, *shapes_, 16);
  hud.start();
  const auto calls = drawn(hud, 120);
  ASSERT_NE(text(calls, L"Ann"), nullptr);
  EXPECT_EQ(text(calls, L"Ann")->x, 500);
  EXPECT_NE(text(calls, L"44 km/h"), nullptr);
  EXPECT_NE(text(calls, L"1/3"), nullptr);
  ASSERT_NE(text(calls, L"POS 1/1"), nullptr);
  bool leading = false;  // in a quieter grey than the position
  for (const DrawCall& call : calls) leading |= call.text == L"Leading";
  EXPECT_TRUE(leading);
  // Every text stands on a see-through backing just below it.
  for (const DrawCall& call : calls) {
    if (call.kind != DrawCall::Kind::Text) continue;
    bool backed = false;
    for (const DrawCall& box : calls)
      backed |=
          box.kind == DrawCall::Kind::Image && box.z == call.z - 1 && box.x <= call.x &&
          box.y <= call.y && call.x < box.x + box.image->width() * box.scaleX &&
          call.y + call.font->height() <= box.y + box.image->height() * box.scaleY &&
          platform::alphaOf(box.color) * platform::alphaOf(box.image->pixels().getPixel(0, 0)) <
              255 * 255;
    EXPECT_TRUE(backed) << platform::narrow(call.text);
  }
  EXPECT_TRUE(sameCalls(calls, drawn(hud, 120)));
  const std::size_t shapes = shapes_->keptShapes();
  drawn(hud, 120);
  EXPECT_EQ(shapes_->keptShapes(), shapes);  // the panels are made once

  hud.toggleInstruments();
  const auto panel = drawn(hud, -100);
  int panelPictures = 0;
  for (const DrawCall& call : panel) panelPictures += call.z == 1000;
  EXPECT_EQ(panelPictures, 6);  // two frames, two bars, the steering bar and the wheel
  EXPECT_EQ(text(panel, L"SpeedWeight:"), nullptr);  // people race: no debug view
  config::Options::instance()->setOptionInt(config::key::onlyCPU, 1);
  EXPECT_NE(text(drawn(hud, -100), L"SpeedWeight:"), nullptr);
  EXPECT_TRUE(sameCalls(drawn(hud, -100), drawn(hud, -100)));
}

TEST_F(HudParts, DebugViewRedrawsTheLineOnItsRhythmAndOnlyInUpdate) {
  race::DebugView debug(*graphics_, 16);
  const platform::Color line = 0x50ff0000u;
  driver_->line = {{10, 10}, {30, 10}, {30, 30}};
  EXPECT_EQ(debug.overlayBitmap(), nullptr);
  debug.update(view(-1));
  const platform::Bitmap* overlay = debug.overlayBitmap();
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(overlay->width(), 100);  // one pixel per map cell of 4 world units
  EXPECT_EQ(overlay->getPixel(20, 10), line);
  EXPECT_EQ(overlay->getPixel(30, 20), line);
  EXPECT_EQ(overlay->getPixel(20, 20), line);  // closed back to the first point
  EXPECT_EQ(overlay->getPixel(20, 25), 0u);

  const auto calls = drawn(debug, -1);
  ASSERT_NE(text(calls, L"X"), nullptr);
  EXPECT_EQ(text(calls, L"X")->x, 10 * 4 + 300);
  EXPECT_NE(text(calls, L"0.5"), nullptr);
  bool overlayDrawn = false;
  for (const DrawCall& call : calls)
    overlayDrawn |= call.z == 5 && call.scaleX == 4 && call.x == 300 && call.y == 250;
  EXPECT_TRUE(overlayDrawn);

  // Redrawn at the start of each 93-frame cycle and 62 frames into it, never by drawing.
  driver_->line = {{50, 40}, {60, 40}};
  for (int frame = 1; frame < 62; ++frame) {
    debug.update(view(-1));
    drawn(debug, -1);
  }
  EXPECT_EQ(debug.overlayBitmap()->getPixel(55, 40), 0u);
  debug.update(view(-1));
  EXPECT_EQ(debug.overlayBitmap()->getPixel(55, 40), line);
  driver_->line = {{50, 45}, {60, 45}};
  for (int frame = 63; frame < 93; ++frame) debug.update(view(-1));
  EXPECT_EQ(debug.overlayBitmap()->getPixel(55, 45), 0u);
  debug.update(view(-1));
  EXPECT_EQ(debug.overlayBitmap()->getPixel(55, 45), line);
  debug.reset();
  EXPECT_EQ(debug.overlayBitmap(), nullptr);
}

}  // namespace
