// The whole game through the real window, headless, with scripted input: from the intro to the
// result table and back, background generation, and the options written at exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

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

// The player's keys as a driver would press them: steer toward the next corner of the path,
// keep the speed down to take the corners. One frame per call.
class KeyboardPilot {
 public:
  explicit KeyboardPilot(GameWindow& window) : window_(window) {}

  void drive() {
    const race::RaceData& race = window_.race();
    const physics::Car& car = race.car(0);
    const std::vector<track::TrackPoint>& path = race.getTrack()->points;
    const track::TrackPoint& target = path[next_ % path.size()];
    const double dx = target.x - car.getX(), dy = target.y - car.getY();
    if (dx * dx + dy * dy < 45.0 * 45.0) ++next_;
    // The car heads along (sin h, cos h) with h = -angle; steering right turns it clockwise on
    // the screen (y grows downward).
    const double heading = -car.getAngle();
    const double cross = std::sin(heading) * dy - std::cos(heading) * dx;
    const double dot = std::sin(heading) * dx + std::cos(heading) * dy;
    const double off = std::atan2(cross, dot);
    platform::Input& input = window_.input();
    input.setDown(platform::button::kLeft, off < -0.08);
    input.setDown(platform::button::kRight, off > 0.08);
    input.setDown(platform::button::kUp, car.speed < 8.0);
    window_.tick();
  }
  void letGo() {
    for (int b : {platform::button::kLeft, platform::button::kRight, platform::button::kUp}) {
      window_.input().setDown(b, false);
    }
  }

 private:
  GameWindow& window_;
  std::size_t next_ = 0;
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

  KeyboardPilot pilot(window);
  const int countdown = window.race().countdownFrames();
  player.frames(countdown + 1);
  for (int frame = 0; frame < 3000 && !window.race().laps()->finished(0); ++frame) pilot.drive();
  pilot.letGo();
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

}  // namespace
