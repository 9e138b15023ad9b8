// The game with a player's own folders: tracks listed from $XDG_DATA_HOME/kelvane/tracks/ beside
// the shipped ones, pictures generated there found by the start checks and the race, and a race
// that pauses when the window loses the focus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "MenuFixture.h"
#include "app/GameWindow.h"
#include "app/TrackList.h"
#include "app/TrackScan.h"
#include "config/OptionKeys.h"
#include "gui/GUI_Component_Button.h"
#include "platform/Bitmap.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "race/RaceData.h"

namespace {

using app::GameWindow;
using app::WindowMode;
using menutest::squareTrack;

// Points XDG_DATA_HOME at a scratch folder for one test.
class PlayerData {
 public:
  PlayerData() {
    if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
    setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
  }
  ~PlayerData() {
    if (old_) {
      setenv("XDG_DATA_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }
  PlayerData(const PlayerData&) = delete;
  PlayerData& operator=(const PlayerData&) = delete;
  std::string tracks() const { return dir_.folder() + "kelvane/tracks/"; }
  std::string write(const std::string& name, const std::string& text) const {
    return dir_.write("kelvane/tracks/" + name, text);
  }

 private:
  testsupport::TempDir dir_;
  std::optional<std::string> old_;
};

void writeOptions(const menutest::ProgramFolder& program) {
  std::ofstream out(program.folder() + "options.ini");
  out << "[ Options ]\nnrCars=1\nnrLaps=3\nonlyCPU=0\nsound=0\nintro=0\n\n"
      << "[ Graphics ]\nwidth=640\nheight=480\nfullscreen=0\n";
}

// Clicks the list row of `file` and then "START RACE", as the player would.
void chooseAndStart(GameWindow& window, const std::string& file) {
  const app::TrackListEntry* chosen = nullptr;
  for (const auto& entry : window.trackList().entries()) {
    if (entry.fileName == file) chosen = &entry;
  }
  ASSERT_NE(chosen, nullptr) << file << " not listed";
  window.onClick(app::TrackList::kRowPrefix + std::to_string(chosen->number));
  window.onClick("startRace");
  window.tick();  // loading
  window.tick();  // starting
}

}  // namespace

TEST(PlayerFolders, ScanningSeveralFoldersNumbersOnAndLetsTheLaterCopyWin) {
  testsupport::TempDir dir;
  dir.write("shipped/oval.rst", squareTrack("Shipped Oval", "", 2));
  dir.write("shipped/hill.rst", squareTrack("Hill", "", 2));
  dir.write("own/oval.rst", squareTrack("My Oval", "", 2));
  dir.write("own/dunes.rst", squareTrack("Dunes", "", 2));
  dir.write("own/notes.txt", "not a track");
  const auto entries = app::scanTrackFolders(
      {dir.folder() + "shipped/", dir.folder() + "own/", dir.folder() + "missing/"});
  ASSERT_EQ(entries.size(), 3u);
  for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].number, int(i) + 1);
  for (const auto& entry : entries) {
    if (entry.fileName == "oval.rst") {
      EXPECT_EQ(entry.title, "My Oval");
      EXPECT_EQ(entry.path, dir.folder() + "own/oval.rst");
    } else if (entry.fileName == "dunes.rst") {
      EXPECT_EQ(entry.number, 3);
      EXPECT_EQ(entry.path, dir.folder() + "own/dunes.rst");
    } else {
      EXPECT_EQ(entry.fileName, "hill.rst");
      EXPECT_EQ(entry.path, dir.folder() + "shipped/hill.rst");
    }
  }
}

TEST(PlayerFolders, APlayersOwnTrackIsListedAndRacedAndLosingTheFocusPausesTheRace) {
  menutest::ProgramFolder program;
  writeOptions(program);
  program.writeTrack("ring.rst", squareTrack("Small Ring", "ring_bg.png", 2));
  PlayerData player;
  player.write("mine.rst", squareTrack("My Square", "mine_bg.png", 2));
  platform::Bitmap(420, 420, 0xff3a7a3au).savePng(player.tracks() + "mine_bg.png");

  GameWindow window;
  ASSERT_EQ(window.mode(), WindowMode::Menu);
  ASSERT_EQ(window.trackList().entries().size(), 2u);
  chooseAndStart(window, "mine.rst");
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  EXPECT_EQ(window.race().trackPath(), player.tracks() + "mine.rst");
  for (int i = 0; i < 3; ++i) window.tick();
  EXPECT_FALSE(window.race().paused());

  window.notifyFocusLost();
  EXPECT_TRUE(window.race().paused());
  window.tick();
  EXPECT_TRUE(window.race().resultScreenShown());
  // Losing the focus again keeps it paused rather than toggling; Escape goes on racing.
  window.notifyFocusLost();
  EXPECT_TRUE(window.race().paused());
  for (int i = 0; i < 25; ++i) window.tick();  // past the Escape key's cooldown
  window.input().setDown(platform::button::kEscape, true);
  window.tick();
  window.input().setDown(platform::button::kEscape, false);
  EXPECT_FALSE(window.race().paused());
}

TEST(PlayerFolders, APictureGeneratedIntoThePlayersFolderLetsTheRaceStart) {
  menutest::ProgramFolder program;
  writeOptions(program);
  program.writeTrack("bare.rst", squareTrack("Bare Square", "missing.png", 2));
  PlayerData player;
  // What an installed game's generator leaves: the picture in the player's tracks folder.
  std::filesystem::create_directories(player.tracks());
  platform::Bitmap(420, 420, 0xff3a7a3au).savePng(player.tracks() + "bare.png");

  GameWindow window;
  chooseAndStart(window, "bare.rst");
  ASSERT_EQ(window.mode(), WindowMode::Racing) << window.race().lastError();
  ASSERT_NE(window.race().background(), nullptr);
  EXPECT_EQ(window.race().background()->width(), 420);
}

TEST(PlayerFolders, WithoutAnyPictureTheGeneratorIsOffered) {
  menutest::ProgramFolder program;
  writeOptions(program);
  program.writeTrack("bare.rst", squareTrack("Bare Square", "missing.png", 2));
  PlayerData player;
  GameWindow window;
  chooseAndStart(window, "bare.rst");
  EXPECT_EQ(window.mode(), WindowMode::Menu);
  EXPECT_NE(window.gui().find("startGeneration"), nullptr);
}

TEST(PlayerFolders, AnInstalledGameKeepsItsSettingsInTheConfigFolderSeededFromTheTree) {
  testsupport::TempDir dir;
  const std::string tree = dir.folder() + "share/kelvane/";
  const std::string shipped = dir.write("share/kelvane/options.ini", "[ Options ]\nnrLaps=7\n");
  const std::string own = dir.folder() + "cfg/kelvane/options.ini";
  const std::string original = platform::programFolder();
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::optional<std::string> savedConfig =
      oldConfig ? std::optional<std::string>(oldConfig) : std::nullopt;
  setenv("XDG_CONFIG_HOME", (dir.folder() + "cfg").c_str(), 1);
  platform::setProgramFolder(tree, platform::DataLocation::Installed);
  config::Options::destroy(false);

  // First start: the shipped settings, saved into a folder that did not exist yet.
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::nrLaps), 7);
  config::Options::instance()->setOptionInt(config::key::nrCars, 3);
  config::Options::destroy(true);
  const std::string saved = testsupport::readFile(own);
  EXPECT_NE(saved.find("nrLaps=7"), std::string::npos) << saved;
  EXPECT_NE(saved.find("nrCars=3"), std::string::npos) << saved;
  EXPECT_EQ(testsupport::readFile(shipped), "[ Options ]\nnrLaps=7\n");

  // Later starts read the player's own file, not the shipped one again.
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::nrCars), 3);
  config::Options::destroy(false);

  platform::setProgramFolder(original);
  if (savedConfig) {
    setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}
