#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "RaceFixture.h"
#include "config/OptionKeys.h"
#include "drivers/CPUDriver.h"
#include "drivers/HumanDriver.h"
#include "gui/GUI_Component_ListBox.h"
#include "physics/Car.h"
#include "platform/Buttons.h"
#include "race/EngineSound.h"
#include "race/TireMarks.h"
#include "track/TrackData.h"

namespace {

using RaceSetUp = RaceFixture;
using RaceFrames = RaceFixture;
using RaceResultScreen = RaceFixture;

TEST_F(RaceSetUp, CarsStandWithTheirNoseOnTheirStartPositions) {
  installTrack("meadow_loop.rst");
  setOptions(3, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  EXPECT_TRUE(race.isActive());
  EXPECT_EQ(race.carCount(), 3);
  EXPECT_EQ(race.lapCount(), 2);
  EXPECT_EQ(race.countdownFrames(), 186);
  EXPECT_EQ(race.humanDriver(), nullptr);
  EXPECT_EQ(race.followedCar(), 0);
  for (int i = 0; i < 3; ++i) {
    const track::TrackPoint& p = race.getTrack()->positionAt(static_cast<std::size_t>(i));
    const physics::Car& car = race.car(i);
    EXPECT_NEAR(std::hypot(car.getX() - p.x, car.getY() - p.y), car.getLength() / 2, 1e-3);
    // Heading rotation + π/2 drives along (cos rotation, −sin rotation): the front is ahead.
    const double heading = -car.getAngle();
    EXPECT_NEAR(car.getX() + std::sin(heading) * car.getLength() / 2, p.x, 1e-3);
    EXPECT_NEAR(car.getY() + std::cos(heading) * car.getLength() / 2, p.y, 1e-3);
    EXPECT_NE(dynamic_cast<const drivers::CPUDriver*>(&race.driver(i)), nullptr);
  }
  // Player settings were filled in for the three players.
  EXPECT_EQ(config::Options::instance()->getPlayersString("player3_name"), "Player3");
  EXPECT_EQ(config::Options::instance()->getPlayersString("player3_color").size(), 13u);
}

TEST_F(RaceSetUp, TheDriversLevelOutlivesARestartOfTheGame) {
  installTrack("meadow_loop.rst");
  const auto levelsRaced = [this] {
    setOptions(3, 1, 0);
    auto& race = makeRace("meadow_loop.rst");
    EXPECT_TRUE(race.startRace()) << race.lastError();
    std::vector<drivers::DriverLevel> levels;
    for (int i = 1; i < race.carCount(); ++i)
      levels.push_back(dynamic_cast<const drivers::CPUDriver&>(race.driver(i)).level());
    race.endRace();
    return levels;
  };
  EXPECT_EQ(levelsRaced(),
            std::vector<drivers::DriverLevel>(2, drivers::DriverLevel::Medium));  // a first start
  config::Options::instance()->setAIString("difficulty", "hard");
  // The game closes (the store is written) and starts again; "skill" is rewritten at each
  // start, the level is not.
  config::Options::destroy(true);
  EXPECT_EQ(config::Options::instance()->getAIString("difficulty"), "hard");
  EXPECT_EQ(levelsRaced(), std::vector<drivers::DriverLevel>(2, drivers::DriverLevel::Hard));
  // A hand-written level the game does not know races at the default.
  config::Options::instance()->setAIString("difficulty", "insane");
  EXPECT_EQ(levelsRaced(), std::vector<drivers::DriverLevel>(2, drivers::DriverLevel::Medium));
}

TEST_F(RaceSetUp, FailuresReturnFalseWithAReasonAndLeaveNoRace) {
  installTrack("meadow_loop.rst");
  installTrack("forest_ribbon.rst", false);
  auto& race = makeRace("meadow_loop.rst");
  const int positions = static_cast<int>(race.getTrack()->positionCount());

  setOptions(positions + 1, 2, 1);
  EXPECT_FALSE(race.startRace());
  EXPECT_NE(race.lastError().find("start positions"), std::string::npos) << race.lastError();
  EXPECT_FALSE(race.isActive());
  EXPECT_EQ(race.carCount(), 0);

  setOptions(positions, 1, 1);  // exactly as many cars as positions
  EXPECT_TRUE(race.startRace()) << race.lastError();
  race.endRace();
  EXPECT_EQ(race.getTrackFile(), "meadow_loop.rst");

  race.selectTrack("forest_ribbon.rst");  // no background of its own, none generated
  EXPECT_FALSE(race.startRace());
  EXPECT_NE(race.lastError().find("background"), std::string::npos) << race.lastError();

  race.selectTrack("no_such_track.rst");
  EXPECT_FALSE(race.startRace());
  EXPECT_FALSE(race.lastError().empty());
  EXPECT_FALSE(race.isActive());
}

TEST_F(RaceSetUp, HandEditedCountsAreKeptInRangeAndThePlayerDrivesCarZero) {
  installTrack("meadow_loop.rst");
  auto& race = makeRace("meadow_loop.rst");
  setOptions(0, 0, 1);
  ASSERT_TRUE(race.startRace()) << race.lastError();
  EXPECT_EQ(race.carCount(), 1);
  EXPECT_EQ(race.lapCount(), 1);
  setOptions(3, 5000, 0);
  ASSERT_TRUE(race.startRace()) << race.lastError();
  EXPECT_EQ(race.lapCount(), 99);
  ASSERT_NE(race.humanDriver(), nullptr);
  EXPECT_EQ(race.humanDriver(), dynamic_cast<const drivers::HumanDriver*>(&race.driver(0)));
  EXPECT_NE(dynamic_cast<const drivers::CPUDriver*>(&race.driver(1)), nullptr);
  EXPECT_NE(dynamic_cast<const drivers::CPUDriver*>(&race.driver(2)), nullptr);
}

TEST_F(RaceFrames, CountdownRunsThenPauseFreezesEverything) {
  installTrack("meadow_loop.rst");
  setOptions(2, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  const double startX = race.car(0).getX();
  for (int i = 0; i < 186; ++i) race.updateRace();
  EXPECT_EQ(race.countdownFrames(), 0);  // the last frame of the countdown
  EXPECT_EQ(race.car(0).getX(), startX);

  // Paused during the countdown: nothing counts down, nothing moves.
  input_.setDown(platform::button::kEscape, true);
  race.updateRace();
  input_.setDown(platform::button::kEscape, false);
  EXPECT_TRUE(race.paused());
  for (int i = 0; i < 50; ++i) race.updateRace();
  EXPECT_EQ(race.countdownFrames(), 0);
  EXPECT_EQ(race.car(0).getX(), startX);
  // Escape again after its 20-frame rest: the unpausing frame already counts down.
  input_.setDown(platform::button::kEscape, true);
  race.updateRace();
  EXPECT_FALSE(race.paused());
  EXPECT_EQ(race.countdownFrames(), -1);
  for (int i = 0; i < 20; ++i) race.updateRace();  // still held, still resting
  EXPECT_FALSE(race.paused());

  // Paused while racing: the clocks and the cars stop.
  race.updateRace();
  input_.setDown(platform::button::kEscape, false);
  ASSERT_TRUE(race.paused());
  const float clock = race.laps()->raceClock();
  const double x = race.car(1).getX();
  for (int i = 0; i < 30; ++i) race.updateRace();
  EXPECT_EQ(race.laps()->raceClock(), clock);
  EXPECT_EQ(race.car(1).getX(), x);
}

TEST_F(RaceFrames, CarsDriveAndTheClockRunsAfterTheCountdown) {
  installTrack("meadow_loop.rst");
  setOptions(2, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  skipCountdown();
  for (int i = 0; i < 300; ++i) race.updateRace();
  EXPECT_GT(race.car(0).speed, 3.0);
  EXPECT_NEAR(race.laps()->raceClock(), 301.0f / 62.0f, 1e-3);
  EXPECT_NEAR(race.laps()->lapTime(1, 0), 301.0f / 62.0f, 1e-3);
  // The camera follows car 0 on a background larger than the screen.
  EXPECT_LE(race.cameraX(), 0);
  EXPECT_GE(race.cameraX(), 800 - race.background()->width());

  // The cars have left dark marks, never darker than the default ceiling.
  const race::TireMarks* marks = race.tireMarks();
  ASSERT_NE(marks, nullptr);
  int darkest = 0;
  for (int k = 0; k < marks->tileCount(); ++k)
    for (int y = 0; y < race::TireMarks::kBitmapSize; ++y)
      for (int x = 0; x < race::TireMarks::kBitmapSize; ++x)
        darkest = std::max<int>(darkest, platform::alphaOf(marks->tile(k).getPixel(x, y)));
  EXPECT_GT(darkest, 0);
  EXPECT_LE(darkest, 80);
  EXPECT_NE(race.overlayBitmap(), nullptr);  // the debug overlay is kept up to date
}

TEST_F(RaceFrames, OneCarRaceKeepsFollowingAndPlanningCarZero) {
  installTrack("meadow_loop.rst");
  setOptions(1, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  skipCountdown();
  for (int key : {platform::button::kPageUp, platform::button::kPageDown}) {
    input_.setDown(key, true);
    for (int i = 0; i < 30; ++i) {
      race.updateRace();
      EXPECT_EQ(race.followedCar(), 0);
      EXPECT_EQ(race.planIndex(), 0);
    }
    input_.setDown(key, false);
  }
}

TEST_F(RaceFrames, KeysAndMouseChooseTheWatchedCarAndItsEngine) {
  installTrack("meadow_loop.rst");
  setOptions(3, 2, 1);
  config::Options::instance()->setOptionInt(config::key::sound, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  const race::EngineSound* sound = race.engineSound();
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->sourceCount(), 3);
  EXPECT_EQ(sound->listener(), &race.car(0));

  input_.setDown(platform::button::kPageDown, true);
  race.updateRace();
  EXPECT_EQ(race.followedCar(), 0);  // the keys wait for the start
  EXPECT_EQ(sound->current(), 0);    // and so does the sound
  skipCountdown();
  EXPECT_EQ(race.followedCar(), 2);  // below the first car comes the last
  EXPECT_EQ(sound->listener(), &race.car(2));
  for (int i = 0; i < 20; ++i) race.updateRace();
  EXPECT_EQ(race.followedCar(), 2);  // resting 20 frames
  race.updateRace();
  EXPECT_EQ(race.followedCar(), 1);
  input_.setDown(platform::button::kPageDown, false);

  // Car 2 parked on car 0: a click there picks the lower index, and its engine is heard.
  race.car(2).setPosition(race.car(0).getX(), race.car(0).getY(), 0);
  input_.setMouse(race.car(0).getX() + race.cameraX() + 3, race.car(0).getY() + race.cameraY());
  input_.setDown(platform::button::kMouseLeft, true);
  race.updateRace();
  EXPECT_EQ(race.followedCar(), 0);
  EXPECT_EQ(sound->listener(), &race.car(0));
  input_.setMouse(-500, -500);  // nowhere near a car: the choice stays
  race.updateRace();
  EXPECT_EQ(race.followedCar(), 0);
}

TEST_F(RaceResultScreen, ShownWhilePausedAndQuitEndsTheRace) {
  installTrack("meadow_loop.rst");
  setOptions(3, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  race.updateRace();
  race.drawRace();
  EXPECT_FALSE(race.resultScreenShown());
  input_.setDown(platform::button::kEscape, true);
  race.updateRace();
  race.drawRace();
  EXPECT_TRUE(race.resultScreenShown());
  EXPECT_FALSE(race.scrollButtonsShown());
  const auto table = race.resultTable();
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[2][0], L" 3");
  EXPECT_EQ(table[2][1], L"Player3");
  EXPECT_EQ(table[2][2], L"--:--:--.---");
  ASSERT_NE(race.resultsList(), nullptr);
  EXPECT_EQ(race.resultsList()->rowCount(), 3);

  race.onClick("scrolldown");  // three rows fit: nothing moves
  EXPECT_EQ(race.resultsList()->firstVisible(), 0);
  race.onClick("quitRace");
  EXPECT_FALSE(race.isActive());
  race.drawRace();  // draws nothing once the race is over
  race.endRace();
  EXPECT_EQ(race.getTrack(), nullptr);
}

TEST_F(RaceResultScreen, ScrollButtonsFromSixteenCars) {
  installTrack("harbour_grid.rst");
  auto& race = makeRace("harbour_grid.rst");
  ASSERT_GE(race.getTrack()->positionCount(), 16u);
  setOptions(16, 1, 1);
  ASSERT_TRUE(race.startRace()) << race.lastError();
  input_.setDown(platform::button::kEscape, true);
  race.updateRace();
  race.drawRace();
  EXPECT_TRUE(race.scrollButtonsShown());
  auto* list = race.resultsList();
  ASSERT_GT(list->rowCount(), list->visibleRows());
  const int last = list->rowCount() - list->visibleRows();
  race.onClick("scrollup");
  EXPECT_EQ(list->firstVisible(), 0);
  for (int i = 0; i < last + 3; ++i) race.onClick("scrolldown");
  EXPECT_EQ(list->firstVisible(), last);
  race.onClick("scrollup");
  EXPECT_EQ(list->firstVisible(), last - 1);
}

}  // namespace
