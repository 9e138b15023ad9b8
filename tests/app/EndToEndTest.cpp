// The whole game through the real window, headless, with scripted input: from the intro to the
// result table and back, background generation, and the options written at exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

#include "GameFixture.h"
#include "MenuFixture.h"
#include "app/GameWindow.h"
#include "app/MainMenu.h"
#include "app/SettingsScreen.h"
#include "app/SetupPreview.h"
#include "app/TrackList.h"
#include "background/BackgroundGenerator.h"
#include "config/OptionKeys.h"
#include "gui/GUI_Component_Button.h"
#include "physics/Car.h"
#include "platform/Bitmap.h"
#include "platform/FramePacer.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "race/LapTable.h"
#include "race/RaceData.h"
#include "race/RaceRecords.h"
#include "race/TimeFormat.h"

namespace {

using app::GameWindow;
using app::WindowMode;
using menutest::squareTrack;

using apptest::GameFolder;
using apptest::kHeight;
using apptest::kWidth;
using apptest::Player;

TEST(EndToEnd, FromIntroThroughARaceBackToAFreshMenu) {
  GameFolder folder;
  {
    GameWindow window;
    Player player(window);
    EXPECT_EQ(window.caption(), L"PROJECT KELVANE 1.0");
    ASSERT_EQ(window.mode(), WindowMode::Intro);
    player.frames(3);
    player.press(platform::button::kSpace);
    // Space was last down at frame 4; the intro ends 30 frames later.
    player.frames(28);
    EXPECT_EQ(window.mode(), WindowMode::Intro);
    player.frames(1);
    ASSERT_EQ(window.mode(), WindowMode::Menu);
    ASSERT_NE(window.trackList().listBox(), nullptr);

    player.clickTrack("ring.rst");
    ASSERT_NE(window.mainMenu().carsLabel(), nullptr);
    EXPECT_EQ(window.mainMenu().trackLabel()->text(), L"Small Ring");

    config::Options::instance()->setOptionInt(config::key::nrLaps, 99);
    player.clickButton("addLap");
    EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::nrLaps), 99);
    config::Options::instance()->setOptionInt(config::key::nrLaps, 2);
    player.clickButton("subLap");
    player.clickButton("subLap");
    EXPECT_EQ(window.mainMenu().lapsLabel()->text(), L"1");
    for (int i = 0; i < 5; ++i) player.clickButton("addCar");
    EXPECT_EQ(window.mainMenu().carsLabel()->text(), L"4");  // the track's four start slots
    for (int i = 0; i < 5; ++i) player.clickButton("subCar");
    EXPECT_EQ(window.mainMenu().carsLabel()->text(), L"1");
    player.clickButton("cpuOnly");
    EXPECT_EQ(window.mainMenu().cpuOnlyMark()->text(), L"X");
    // Back to driving ourselves: a computer driver would first have to learn, which is slow.
    player.clickButton("cpuOnly");
    EXPECT_EQ(window.mainMenu().cpuOnlyMark()->text(), L"");
    player.clickButton("startRace");
    EXPECT_EQ(window.mode(), WindowMode::Loading);
    EXPECT_NE(window.gui().find("gui_loadImg"), nullptr);
    player.frames(1);
    EXPECT_EQ(window.mode(), WindowMode::Starting);
    player.frames(1);
    ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
    EXPECT_EQ(window.gui().components().size(), 0u);
    EXPECT_EQ(window.race().carCount(), 1);
    EXPECT_NE(window.race().humanDriver(), nullptr);
    player.frames(5);

    player.press(platform::button::kEscape);
    EXPECT_TRUE(window.race().paused());
    player.frames(1);
    ASSERT_TRUE(window.race().resultScreenShown());
    // "Quit Race" as the result screen places it.
    const int quitX = (kWidth - 500) / 2 + 413 + 50;
    const int quitY = kHeight - (kHeight - 500) / 2 - 98 + 12;
    player.click(quitX, quitY);
    player.frames(1);
    EXPECT_EQ(window.mode(), WindowMode::Menu);
    EXPECT_FALSE(window.race().isActive());
    EXPECT_EQ(window.mainMenu().carsLabel(), nullptr);
    EXPECT_NE(window.trackList().listBox(), nullptr);
    EXPECT_EQ(window.mainMenu().toolsMenu()->itemCount(), 2);  // Settings, Create New Track
  }
  // The window's teardown wrote the options back.
  const std::string ini = testsupport::readFile(folder.program.folder() + "options.ini");
  EXPECT_NE(ini.find("nrLaps=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("nrCars=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("onlyCPU=0"), std::string::npos) << ini;
}

TEST(EndToEnd, MissingBackgroundIsGeneratedAndUsedByTheNextRace) {
  GameFolder folder;
  GameWindow window;
  Player player(window);
  player.press(platform::button::kSpace);
  player.frames(30);
  ASSERT_EQ(window.mode(), WindowMode::Menu);
  player.clickTrack("bare.rst");
  player.clickButton("startRace");
  EXPECT_EQ(player.popupTitle(), L"Background image not found");
  player.clickButton("startGeneration");
  EXPECT_EQ(window.mode(), WindowMode::Generating);
  EXPECT_EQ(player.popupTitle(), L"Background Generation");
  std::vector<std::wstring> progress;
  int frames = 0;
  while (window.mode() == WindowMode::Generating && frames < 20) {
    player.frames(1);
    ++frames;
    auto* line = dynamic_cast<gui::GUI_Component_Label*>(window.gui().find("popuptext"));
    if (line != nullptr) progress.push_back(line->text());
  }
  EXPECT_EQ(frames, 9);
  ASSERT_GE(progress.size(), 8u);
  // Each frame's box names the stage that runs next.
  EXPECT_EQ(progress[0], L"Rasterizing level");
  EXPECT_EQ(progress[3], L"Rendering clouds");
  EXPECT_EQ(progress[7], L"Saving image");
  EXPECT_EQ(window.mode(), WindowMode::Menu);
  EXPECT_EQ(player.popupTitle(), L"Generating completed");
  bool pathShown = false;
  for (auto* w : window.gui().components()) {
    auto* label = dynamic_cast<gui::GUI_Component_Label*>(w);
    pathShown |= label != nullptr && label->text() == L"tracks/bare.png";
  }
  EXPECT_TRUE(pathShown);
  const std::string picture = folder.program.tracks() + "bare.png";
  ASSERT_TRUE(std::filesystem::is_regular_file(picture));
  player.clickButton("alertOK");
  EXPECT_EQ(player.popupTitle(), L"");

  player.clickButton("startRace");
  player.frames(2);
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  const auto saved = platform::Bitmap::loadPng(picture);
  ASSERT_NE(window.race().background(), nullptr);
  EXPECT_EQ(window.race().background()->width(), saved.width());
  EXPECT_EQ(window.race().background()->height(), saved.height());
}

// A machine too busy to keep up: every sleep of the frame loop wakes 45 ms late (almost three
// updates' worth), and one wakes ten seconds late, as under a debugger.
class StarvedClock : public platform::FrameClock {
 public:
  static constexpr int kStallingSleep = 40;
  static constexpr std::chrono::seconds kStall{10};

  Clock::time_point now() override { return now_; }
  void sleepUntil(Clock::time_point wakeUp) override {
    ++sleeps_;
    const auto late = sleeps_ == kStallingSleep ? Clock::duration(kStall)
                                                : Clock::duration(std::chrono::milliseconds(45));
    now_ = std::max(now_, wakeUp) + late;
  }
  double secondsSince(Clock::time_point start) const {
    return std::chrono::duration<double>(now_ - start).count();
  }

 private:
  Clock::time_point now_ = Clock::time_point{} + std::chrono::hours(1);
  int sleeps_ = 0;
};

TEST(EndToEnd, LateFramesKeepTheRaceOnTheWallClockAndAStallDoesNotJumpIt) {
  GameFolder folder;
  GameWindow window;
  Player player(window);
  StarvedClock clock;
  window.setFrameClock(clock);
  player.press(platform::button::kSpace);
  player.frames(30);
  player.clickTrack("ring.rst");
  player.clickButton("startRace");
  ASSERT_EQ(window.mode(), WindowMode::Loading);
  window.tick(3);
  // A late frame still draws the loading picture before the set-up.
  EXPECT_EQ(window.mode(), WindowMode::Starting);
  window.tick(3);
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();

  // The countdown's frame counter goes on below zero, one step per race update.
  const int countdownBefore = window.race().countdownFrames();
  const auto start = clock.now();
  platform::launchSettings().maxFrames = 100;
  window.show();
  platform::launchSettings() = platform::LaunchSettings{};
  const int raceUpdates = countdownBefore - window.race().countdownFrames();
  const double updatesPerSecond = 1000.0 / GameWindow::kUpdateIntervalMs;
  // Only the stall beyond the catch-up bound is lost: one update stands for its ten seconds.
  const double keptSeconds = clock.secondsSince(start) - StarvedClock::kStall.count();
  EXPECT_NEAR(raceUpdates, keptSeconds * updatesPerSecond, 3.0);
  EXPECT_EQ(window.frameTiming().resyncs, 1);
  EXPECT_GT(window.race().laps()->raceClock(), 0.0f);
}

TEST(EndToEnd, RefreshPicksUpANewTrackAndIntroOffOpensTheMenu) {
  GameFolder folder;
  {
    // A hand-edited window size the screens could not be laid out in.
    std::ofstream out(folder.program.folder() + "options.ini");
    out << "[ Options ]\nintro=0\n\n[ Graphics ]\nwidth=0\nheight=-3\n";
  }
  GameWindow window;
  Player player(window);
  ASSERT_EQ(window.mode(), WindowMode::Menu);
  EXPECT_EQ(window.screenWidth(), 640);
  EXPECT_EQ(window.graphics().height(), 480);
  player.clickTrack("ring.rst");
  ASSERT_NE(window.mainMenu().carsLabel(), nullptr);
  EXPECT_EQ(window.trackList().listBox()->rowCount(), 2);
  folder.program.writeTrack("later.rst", squareTrack("Added Later", "l.png", 1));
  player.clickButton("refreshTracks");
  EXPECT_EQ(window.trackList().listBox()->rowCount(), 3);
  EXPECT_EQ(window.mainMenu().carsLabel(), nullptr);
  EXPECT_EQ(window.mainMenu().toolsMenu()->itemCount(), 2);
  player.clickTrack("later.rst");
  EXPECT_EQ(window.mainMenu().trackLabel()->text(), L"Added Later");
  EXPECT_EQ(window.mainMenu().toolsMenu()->itemCount(), 4);
}

}  // namespace

namespace {

// The keys a player presses to follow the road: aim at the path a few waypoints ahead, steer
// towards it, and keep to a speed every corner of the small ring allows.
class ScriptedDriver {
 public:
  explicit ScriptedDriver(const track::TrackData& track) {
    const auto& points = track.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const track::TrackPoint& a = points[i];
      const track::TrackPoint& b = points[(i + 1) % points.size()];
      const int steps = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 20));
      for (int k = 0; k < steps; ++k) {
        waypoints_.push_back({a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps});
      }
    }
  }
  void pressKeys(const physics::Car& car, platform::Input& input) const {
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < waypoints_.size(); ++i) {
      if (distance(car, i) < distance(car, nearest)) nearest = i;
    }
    const auto& [tx, ty] = waypoints_[(nearest + 3) % waypoints_.size()];
    // The heading points along (sin h, cos h); y grows down the screen, so a target clockwise
    // of it on screen is to the car's right.
    const double heading = -car.getAngle();
    const double fx = std::sin(heading), fy = std::cos(heading);
    const double cross = fx * (ty - car.getY()) - fy * (tx - car.getX());
    const double length = std::hypot(tx - car.getX(), ty - car.getY());
    input.setDown(platform::button::kRight, cross > 0.1 * length);
    input.setDown(platform::button::kLeft, cross < -0.1 * length);
    input.setDown(platform::button::kUp, car.speed < 7);
  }

 private:
  double distance(const physics::Car& car, std::size_t i) const {
    return std::hypot(waypoints_[i].first - car.getX(), waypoints_[i].second - car.getY());
  }
  std::vector<std::pair<double, double>> waypoints_;
};

// A new player's evening: settings first, one lap on the keyboard, the record in the list,
// and the same race again.
TEST(EndToEnd, SettingsThenALapOnTheKeysSetARecordShownInTheListAndTheRaceGoesAgain) {
  GameFolder folder;
  GameWindow window;
  Player player(window);
  player.press(platform::button::kSpace);
  player.frames(30);
  ASSERT_EQ(window.mode(), WindowMode::Menu);

  player.clickTrack("ring.rst");
  player.clickButton("settings");
  ASSERT_TRUE(window.settings().isOpen());
  player.clickButton("settings_sound");
  player.clickButton("settings_level0");
  player.clickButton("settings_tab1");
  player.clickButton("settings_name");
  for (int i = 0; i < 7; ++i) player.tap(platform::button::kBackspace);
  player.type("Ann");
  player.tap(platform::button::kEnter);
  player.clickButton("settings_colour0");
  player.clickButton("settings_back");
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::sound), 1);

  player.clickButton("subLap");
  player.clickButton("subLap");
  ASSERT_EQ(window.mainMenu().lapsLabel()->text(), L"1");
  player.clickButton("startRace");
  player.frames(2);
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  EXPECT_EQ(window.race().raceCar(0).name, L"Ann");
  EXPECT_EQ(window.race().raceCar(0).color, 0xffd62828u);

  const ScriptedDriver driver(*window.race().getTrack());
  for (int frame = 0; frame < 4000 && !window.race().laps()->finished(0); ++frame) {
    driver.pressKeys(window.race().car(0), window.input());
    window.tick();
  }
  window.input().releaseAll();
  ASSERT_TRUE(window.race().laps()->finished(0))
      << "the car stood at " << window.race().car(0).getX() << ", " << window.race().car(0).getY();
  const float lap = window.race().laps()->bestLap(0);
  player.frames(1);
  ASSERT_TRUE(window.race().resultScreenShown());
  EXPECT_EQ(window.race().records().newRecords().lap, true);
  EXPECT_EQ(window.race().records().newRecords().race, true);

  // The result screen's buttons, as it places them: "Race again", "Next track", "Menu".
  const int buttonY = kHeight - (kHeight - 500) / 2 - 98 + 12;
  const int raceAgainX = (kWidth - 500) / 2 + 209 + 50;
  const int menuX = (kWidth - 500) / 2 + 413 + 50;

  // "Menu": the list shows the lap record beside the track.
  player.click(menuX, buttonY);
  player.frames(1);
  ASSERT_EQ(window.mode(), WindowMode::Menu);
  window.trackList().finishReading();  // the column fills in as each row is read
  EXPECT_EQ(player.trackRow("ring.rst").at(3), race::formatTime(lap));
  EXPECT_EQ(player.trackRow("bare.rst").at(3), L"");
  player.clickTrack("ring.rst");
  const auto& lines = window.mainMenu().preview().lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), race::formatTime(lap) + L"  Ann"), lines.end());

  // The same race once more, from the result screen.
  player.clickButton("startRace");
  player.frames(2);
  ASSERT_EQ(window.mode(), WindowMode::Racing);
  player.press(platform::button::kEscape);
  player.frames(1);
  ASSERT_TRUE(window.race().resultScreenShown());
  player.click(raceAgainX, buttonY);
  player.frames(3);
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  EXPECT_EQ(window.race().getTrackFile(), "ring.rst");
  EXPECT_EQ(window.race().carCount(), 1);
  EXPECT_EQ(window.race().lapCount(), 1);
  EXPECT_FALSE(window.race().paused());
  EXPECT_EQ(window.race().raceCar(0).name, L"Ann");
  EXPECT_EQ(window.race().records().recordLap(), std::optional<double>(lap));
}

TEST(EndToEnd, APlayerDrivesAFullLapWithTheKeysAndSeesItCounted) {
  GameFolder folder;
  {
    std::ofstream out(folder.program.folder() + "options.ini");
    out << "[ Options ]\nnrCars=1\nnrLaps=2\nonlyCPU=0\nsound=0\nintro=0\n\n"
        << "[ Graphics ]\nwidth=" << kWidth << "\nheight=" << kHeight << "\n";
  }
  GameWindow window;
  Player player(window);
  player.clickTrack("ring.rst");
  player.clickButton("startRace");
  player.frames(2);
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  race::RaceData& race = window.race();
  const ScriptedDriver driver(*race.getTrack());
  // The HUD's lap line, as the race draws it this frame.
  auto hudShows = [&](const std::wstring& text) {
    window.draw();
    bool shown = false;
    for (const auto& call : window.graphics().queued()) shown |= call.text == text;
    window.graphics().flush();
    return shown;
  };
  EXPECT_TRUE(hudShows(L"1/2"));

  int frames = 0;
  while (race.laps()->lapsDone(0) < 1 && frames++ < 4000) {
    driver.pressKeys(race.car(0), window.input());
    window.tick();
  }
  ASSERT_EQ(race.laps()->lapsDone(0), 1) << "still racing after " << frames << " frames";
  EXPECT_TRUE(hudShows(L"2/2"));
  const std::vector<race::ResultCells> table = race.currentResults();
  ASSERT_EQ(table.size(), 1u);
  EXPECT_GT(race.laps()->bestLap(0), 5.0f);
  EXPECT_NE(table[0][4], race::formatTime(-1.0f)) << "no best lap in the table";
}

}  // namespace
