#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "MenuFixture.h"
#include "app/ExternalTools.h"
#include "app/KeysPanel.h"
#include "app/MenuRules.h"
#include "background/BackgroundGenerator.h"
#include "config/OptionKeys.h"
#include "gui/UiFont.h"
#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "platform/Text.h"

namespace {

using menutest::MenuWorld;
using menutest::squareTrack;

config::Options& opts() {
  return *config::Options::instance();
}

gui::GUI_Component_Menu* toolsMenuOf(MenuWorld& w) {
  return w.menu.toolsMenu();
}

class MainMenuTest : public ::testing::Test {
 protected:
  MainMenuTest() {
    world.program.writeTrack("three.rst", squareTrack("Three Slots", "three_bg.png", 3));
    world.program.writeTrack("nogrid.rst", squareTrack("No Grid", "nogrid_bg.png", 0));
  }
  // Clicks the list row whose file name cell is `file`.
  void chooseFile(const std::string& file) {
    for (const auto& entry : world.trackList.entries()) {
      if (entry.fileName == file) {
        world.clickWidget(app::TrackList::kRowPrefix + std::to_string(entry.number));
        return;
      }
    }
    FAIL() << file << " is not listed";
  }

  MenuWorld world;
};

TEST_F(MainMenuTest, BuildsTheMenuBarListAndButtonsWithoutSetupPanel) {
  world.menu.buildMainMenu();
  for (const char* id : {"gui_mainMenuBg", "gui_mouse", "gui_tracksLB", "refreshTracks",
                         "prevCircuit", "nextCircuit", "mainMenu"}) {
    EXPECT_NE(world.gui.find(id), nullptr) << id;
  }
  EXPECT_EQ(world.gui.find("startRace"), nullptr);
  EXPECT_EQ(world.menu.carsLabel(), nullptr);
  ASSERT_NE(toolsMenuOf(world), nullptr);
  // "Settings" and "Create New Track" until a track is chosen.
  EXPECT_EQ(toolsMenuOf(world)->itemCount(), 2);
  EXPECT_NE(toolsMenuOf(world)->findItem("settings"), nullptr);

  auto* refresh = dynamic_cast<gui::GUI_Component_Button*>(world.gui.find("refreshTracks"));
  EXPECT_EQ(refresh->skin().left(), 1000 - 293);
  EXPECT_EQ(refresh->skin().top(), 494);
  EXPECT_EQ(refresh->getZ(), 550);
  EXPECT_EQ(world.gui.find("gui_tracksLB")->getZ(), 400);
  EXPECT_EQ(world.gui.find("mainMenu")->getZ(), 500);
}

TEST_F(MainMenuTest, FirstChoiceBuildsSetupAndExtendsToolsOnce) {
  opts().setOptionInt(config::key::nrCars, 8);
  opts().setOptionInt(config::key::nrLaps, 5);
  world.menu.buildMainMenu();
  chooseFile("three.rst");

  ASSERT_NE(world.menu.carsLabel(), nullptr);
  EXPECT_EQ(world.choice.getTrackFile(), "three.rst");
  EXPECT_EQ(world.menu.trackLabel()->text(), L"Three Slots");
  EXPECT_EQ(opts().getOptionInt(config::key::nrCars), 3);  // limited by the three start positions
  EXPECT_EQ(world.menu.carsLabel()->text(), L"3");
  EXPECT_EQ(world.menu.lapsLabel()->text(), L"5");
  EXPECT_EQ(world.menu.cpuOnlyMark()->text(), L"");
  EXPECT_EQ(toolsMenuOf(world)->itemCount(), 4);
  EXPECT_NE(toolsMenuOf(world)->findItem("modifyTrack"), nullptr);
  EXPECT_NE(toolsMenuOf(world)->findItem("generateBackground"), nullptr);

  const auto owned = world.widgets.ownedCount();
  chooseFile("nogrid.rst");
  EXPECT_EQ(world.widgets.ownedCount(), owned);  // labels updated, nothing added
  EXPECT_EQ(toolsMenuOf(world)->itemCount(), 4);
  EXPECT_EQ(world.menu.trackLabel()->text(), L"No Grid");
  EXPECT_EQ(opts().getOptionInt(config::key::nrCars), 0);
  EXPECT_EQ(world.menu.carsLabel()->text(), L"0");
  // Without a start grid the cars cannot be changed and no race starts.
  world.menu.onClick("addCar");
  world.menu.onClick("subCar");
  EXPECT_EQ(opts().getOptionInt(config::key::nrCars), 0);
  world.clickWidget("startRace");
  EXPECT_EQ(world.lastRequest, app::MenuRequest::None);
  EXPECT_EQ(world.popupTitle(), L"No startgrid defined");
}

TEST_F(MainMenuTest, AHandEditedOptionsFileIsShownAndRacedWithinTheLimits) {
  // {nrLaps, nrCars} as a player may type them, and what the setup shows and the race reads.
  const int cases[][4] = {{500, 50, 99, 3}, {0, 0, 1, 1}, {-7, 2, 1, 2}};
  for (const auto& c : cases) {
    std::ofstream(world.program.folder() + "options.ini", std::ios::trunc)
        << "[ Options ]\nnrLaps=" << c[0] << "\nnrCars=" << c[1] << "\n";
    config::Options::destroy(false);
    world.menu.buildMainMenu();
    chooseFile("three.rst");
    ASSERT_NE(world.menu.lapsLabel(), nullptr);
    EXPECT_EQ(world.menu.lapsLabel()->text(), std::to_wstring(c[2])) << c[0];
    EXPECT_EQ(world.menu.carsLabel()->text(), std::to_wstring(c[3])) << c[1];
    // The race is set up from the store, which holds what the panel shows.
    EXPECT_EQ(opts().getOptionInt("nrLaps"), c[2]) << c[0];
    EXPECT_EQ(opts().getOptionInt("nrCars"), c[3]) << c[1];
  }
}

TEST_F(MainMenuTest, CountersStoreTheirValueAndStopAtTheLimits) {
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  opts().setOptionInt(config::key::nrLaps, 99);
  world.clickWidget("addLap");
  world.clickWidget("addLap");
  EXPECT_EQ(opts().getOptionInt(config::key::nrLaps), 99);
  world.clickWidget("subLap");
  EXPECT_EQ(world.menu.lapsLabel()->text(), L"98");
  opts().setOptionInt(config::key::nrCars, 2);
  world.clickWidget("addCar");
  world.clickWidget("addCar");
  EXPECT_EQ(opts().getOptionInt(config::key::nrCars), 3);
  EXPECT_EQ(world.menu.carsLabel()->text(), L"3");
  world.clickWidget("cpuOnly");
  EXPECT_EQ(opts().getOptionInt(config::key::onlyCPU), 1);
  EXPECT_EQ(world.menu.cpuOnlyMark()->text(), L"X");
  world.clickWidget("cpuOnly");
  EXPECT_EQ(world.menu.cpuOnlyMark()->text(), L"");
}

TEST_F(MainMenuTest, TheDifficultyButtonStepsThroughTheLevelsAndStoresTheChoice) {
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  EXPECT_EQ(world.menu.levelLabel()->text(), L"Medium");  // a first start
  const std::vector<std::pair<std::wstring, std::string>> steps = {
      {L"Hard", "hard"}, {L"Easy", "easy"}, {L"Medium", "medium"}, {L"Hard", "hard"}};
  for (const auto& [shown, stored] : steps) {
    world.clickWidget("driverLevel");
    EXPECT_EQ(world.menu.levelLabel()->text(), shown);
    EXPECT_EQ(opts().getAIString("difficulty"), stored);
  }
  // The menu built again shows the stored level; a word the game does not know reads as Medium.
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  EXPECT_EQ(world.menu.levelLabel()->text(), L"Hard");
  opts().setAIString("difficulty", "brutal");
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  EXPECT_EQ(world.menu.levelLabel()->text(), L"Medium");
}

TEST_F(MainMenuTest, StartChecksFindNamedOrGeneratedBackground) {
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  world.clickWidget("startRace");
  EXPECT_EQ(world.popupTitle(), L"Background image not found");
  EXPECT_NE(world.gui.find("startGeneration"), nullptr);
  EXPECT_EQ(world.gui.find("alertOK"), nullptr);

  // The generated picture beside the track file is enough.
  world.program.writeTrack("three.png", "not checked here");
  world.menu.onClick("alertOK");  // the OK of that box is "startGeneration"; close it directly
  world.messageBox.closePopup();
  world.clickWidget("startRace");
  EXPECT_EQ(world.lastRequest, app::MenuRequest::StartLoading);
  EXPECT_NE(world.gui.find("gui_loadImg"), nullptr);
  EXPECT_EQ(world.gui.find("startRace"), nullptr);
  EXPECT_EQ(world.menu.carsLabel(), nullptr);

  // A background name that is empty names the tracks folder itself, which is no picture.
  world.program.writeTrack("empty.rst", squareTrack("Empty Name", "", 2));
  world.choice.selectTrack("empty.rst");
  EXPECT_EQ(world.menu.availableBackground(), "");
  world.program.writeTrack("empty.png", "x");
  EXPECT_EQ(world.menu.availableBackground(), world.program.tracks() + "empty.png");
}

TEST_F(MainMenuTest, UnreadableTrackIsListedAndExplainedButNeverRaced) {
  world.program.writeTrack("broken.rst", "<track><title>Broken");
  world.menu.buildMainMenu();
  const app::TrackListEntry* broken = nullptr;
  for (const auto& e : world.trackList.entries()) broken = e.fileName == "broken.rst" ? &e : broken;
  ASSERT_NE(broken, nullptr);
  EXPECT_FALSE(broken->readable);
  const std::string rowId = app::TrackList::kRowPrefix + std::to_string(broken->number);
  const auto* cells = world.trackList.listBox()->cellsOf(rowId);
  ASSERT_NE(cells, nullptr);
  EXPECT_TRUE((*cells)[1].starts_with(L"(unreadable: ")) << platform::narrow((*cells)[1]);
  EXPECT_EQ((*cells)[2], L"broken.rst");

  world.clickWidget(rowId);
  EXPECT_EQ(world.popupTitle(), L"Track cannot be read");
  EXPECT_EQ(world.menu.carsLabel(), nullptr);
  EXPECT_EQ(world.choice.getTrackFile(), "");
  world.clickWidget("alertOK");
  EXPECT_EQ(world.gui.find("popup"), nullptr);

  // A file that breaks after a good choice takes the setup panel with it.
  chooseFile("three.rst");
  ASSERT_NE(world.menu.carsLabel(), nullptr);
  world.program.writeTrack("three.rst", "garbage");
  chooseFile("three.rst");
  EXPECT_EQ(world.popupTitle(), L"Track cannot be read");
  EXPECT_EQ(world.menu.carsLabel(), nullptr);
  EXPECT_EQ(world.gui.find("startRace"), nullptr);
  EXPECT_EQ(world.menu.onClick("startRace"), app::MenuRequest::None);
  EXPECT_EQ(world.popupTitle(), L"No track chosen");
}

TEST_F(MainMenuTest, PopupBlocksTheScreenUntilItsButton) {
  world.menu.buildMainMenu();
  world.messageBox.showPopup(L"Background Generation", L"\n\nRasterizing level", "alertOK");
  ASSERT_EQ(world.count("popuptext"), 1);
  auto* line = world.label("popuptext");
  const auto origin = app::popupOrigin(1000, 700);
  EXPECT_EQ(line->y(), origin.y + 40 + 36);
  const double width = gui::FontCache::get(gui::kFontFamily, 18).textWidth(L"Rasterizing level");
  EXPECT_EQ(line->x(), origin.x + static_cast<int>((400 - width) * 0.5));
  auto* ok = dynamic_cast<gui::GUI_Component_Button*>(world.gui.find("alertOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->getZ(), 601);
  EXPECT_EQ(ok->skin().left(), origin.x + 150);
  EXPECT_EQ(ok->skin().top(), 700 / 2 - 40);

  // A click on a track row below the box reaches only the dimming picture.
  const auto row = world.centreOf("listboxItem_1");
  world.click(row.x, row.y);
  EXPECT_EQ(world.clicks.back(), "popupbg");
  EXPECT_EQ(world.menu.carsLabel(), nullptr);
  EXPECT_NE(world.gui.find("popup"), nullptr);

  world.clickWidget("alertOK");
  for (const char* id : {"popup", "popupbg", "popuptitle", "popuptext", "alertOK"}) {
    EXPECT_EQ(world.gui.find(id), nullptr) << id;
  }
  world.click(row.x, row.y);
  EXPECT_NE(world.menu.carsLabel(), nullptr);
}

TEST_F(MainMenuTest, PopupKeepsAtMostTenLinesSoClosingRemovesThemAll) {
  world.messageBox.showPopup(L"Many", L"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12", "alertOK");
  EXPECT_EQ(world.count("popuptext"), 10);
  world.messageBox.showPopup(L"Generate", L"one", "startGeneration");  // replaces the first box
  EXPECT_EQ(world.count("popuptext"), 1);
  EXPECT_EQ(world.count("alertOK"), 0);
  // Replacing a box whose button carries another command leaves no stray button behind.
  world.messageBox.showPopup(L"Again", L"one", "alertOK");
  EXPECT_EQ(world.count("startGeneration"), 0);
  EXPECT_EQ(world.count("popup"), 1);
  world.messageBox.closePopup();
  EXPECT_EQ(world.gui.components().size(), 0u);
  EXPECT_EQ(world.widgets.ownedCount(), 0u);
}

TEST_F(MainMenuTest, AboutBoxOpensFromHelpMenuAndAnyClickClosesIt) {
  world.menu.buildMainMenu();
  const auto before = world.widgets.ownedCount();
  world.clickMenu("help", "about");
  EXPECT_EQ(world.label("aboutversion")->text(), L"Version 1.0");
  EXPECT_EQ(world.count("aboutdevs"), 3);
  bool libraries = false;
  for (auto* w : world.gui.components()) {
    auto* l = dynamic_cast<gui::GUI_Component_Label*>(w);
    libraries |= l != nullptr && l->text() == L"using SDL2 and Xerces-C";
  }
  EXPECT_TRUE(libraries);
  world.rest();
  world.click(5, 690);
  EXPECT_EQ(world.gui.find("aboutbox"), nullptr);
  EXPECT_EQ(world.widgets.ownedCount(), before);
}

TEST_F(MainMenuTest, ScrollButtonsMoveTheListOneRowAndStopAtTheEnd) {
  for (int i = 0; i < 30; ++i) {
    world.program.writeTrack("t" + std::to_string(i) + ".rst", squareTrack("T", "x.png", 1));
  }
  world.menu.buildMainMenu();
  auto* list = world.trackList.listBox();
  const int last = list->rowCount() - list->visibleRows();
  world.clickWidget("nextCircuit");
  EXPECT_EQ(list->firstVisible(), 1);
  for (int i = 0; i < last + 3; ++i) world.menu.onClick("nextCircuit");
  EXPECT_EQ(list->firstVisible(), last);
  for (int i = 0; i < last + 3; ++i) world.menu.onClick("prevCircuit");
  EXPECT_EQ(list->firstVisible(), 0);
}

TEST_F(MainMenuTest, MissingEditorAndHelpAreReported) {
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", world.program.folder().c_str(), 1);
  world.menu.buildMainMenu();
  world.clickMenu("tools", "createCircuit");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(world.popupTitle(), L"Track editor not available");
  EXPECT_EQ(world.lastRequest, app::MenuRequest::None);
  world.clickWidget("alertOK");

  world.rest();
  world.clickMenu("help", "helpIndex");
  EXPECT_EQ(world.popupTitle(), L"Help not available");
  world.clickWidget("alertOK");

  // The page is there but nothing can open it: the box names it for a browser.
  world.program.linkHelp();
  setenv("PATH", world.program.folder().c_str(), 1);
  world.rest();
  world.clickMenu("help", "helpIndex");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(world.popupTitle(), L"Kelvane Help");
  std::wstring text;
  for (auto* widget : world.gui.components()) {
    if (auto* line = dynamic_cast<gui::GUI_Component_Label*>(widget);
        line && line->id() == "popuptext") {
      text += line->text();
    }
  }
  EXPECT_NE(text.find(platform::widen(world.program.folder())), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"index.html"), std::wstring::npos) << text;
}

TEST_F(MainMenuTest, HelpKeysShowsThePlayersKeysInAPanelThatAnyClickCloses) {
  opts().setKeysInt("throttle", 17);  // W
  world.menu.buildMainMenu();
  world.clickMenu("help", "helpKeys");
  ASSERT_TRUE(world.menu.keysPanel().isOpen());
  // The drop-down closed as the panel opened: it is not left drawn behind it.
  auto* bar = dynamic_cast<gui::GUI_Component_Menu*>(world.gui.find("mainMenu"));
  ASSERT_NE(bar, nullptr);
  for (int i = 0; i < bar->itemCount(); ++i) EXPECT_FALSE(bar->item(i).isOpen()) << i;
  bool throttleShown = false;
  for (auto* widget : world.gui.components()) {
    if (auto* line = dynamic_cast<gui::GUI_Component_Label*>(widget)) {
      throttleShown |= line->text() == L"W  /  Pad A";
    }
  }
  EXPECT_TRUE(throttleShown);
  world.click(5, 5);  // outside the panel
  EXPECT_FALSE(world.menu.keysPanel().isOpen());
  EXPECT_EQ(world.count("keys_close"), 0);
}

TEST_F(MainMenuTest, EditTrackStartsTheEditorWithTheTrackPath) {
  // A stand-in editor on the PATH that notes its arguments.
  const std::string bin = world.program.folder() + "bin/";
  const std::string noted = world.program.folder() + "editor-args.txt";
  std::filesystem::create_directories(bin);
  {
    std::ofstream script(bin + app::kTrackEditorProgram);
    script << "#!/bin/sh\nprintf '%s|' \"$@\" > '" << noted << ".tmp'\nmv '" << noted << ".tmp' '"
           << noted << "'\n";
  }
  std::filesystem::permissions(bin + app::kTrackEditorProgram, std::filesystem::perms::owner_all);
  const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin + ":" + saved).c_str(), 1);
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  world.clickMenu("tools", "modifyTrack");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(world.popupTitle(), L"");
  for (int i = 0; i < 200 && !std::filesystem::exists(noted); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(testsupport::readFile(noted), world.program.tracks() + "three.rst|");
}

TEST_F(MainMenuTest, FailedSaveEndsGenerationWithAnError) {
  // A folder where the picture should go cannot be replaced by a file.
  std::filesystem::create_directories(world.program.tracks() + "three.png/inside");
  world.menu.buildMainMenu();
  chooseFile("three.rst");
  ASSERT_EQ(world.menu.onClick("startGeneration"), app::MenuRequest::StartGeneration);
  background::BackgroundGenerator generator;
  int frames = 0;
  while (!world.menu.stepGeneration(generator) && frames < 20) ++frames;
  EXPECT_LT(frames, 20);
  EXPECT_EQ(world.popupTitle(), L"Background generation failed");
  EXPECT_NE(world.gui.find("alertOK"), nullptr);
}

TEST_F(MainMenuTest, TrackWithoutRoadCannotBeGenerated) {
  world.program.writeTrack("gridonly.rst",
                           "<track><title>Grid Only</title><background>g.png</background>"
                           "<position><x>5</x><y>5</y><rotation>0</rotation></position></track>");
  world.menu.buildMainMenu();
  chooseFile("gridonly.rst");
  EXPECT_EQ(world.menu.onClick("startGeneration"), app::MenuRequest::None);
  EXPECT_EQ(world.popupTitle(), L"Error loading track");
  ASSERT_NE(world.choice.track(), nullptr);  // the summary is back for the menu
  EXPECT_EQ(world.choice.track()->positionCount(), 1u);
}

}  // namespace

namespace {

TEST_F(MainMenuTest, NextTrackTakesTheFollowingRowWrapsAtTheEndAndPassesOverBrokenFiles) {
  world.program.writeTrack("broken.rst", "<track><title>Broken");
  world.program.writeTrack("ready.rst", squareTrack("Ready", "ready_bg.png", 2));
  platform::Bitmap(420, 420, 0xff3a7a3au).savePng(world.program.tracks() + "ready_bg.png");
  world.menu.buildMainMenu();
  const auto& entries = world.trackList.entries();
  ASSERT_EQ(entries.size(), 4u);
  // Each readable file in list order, from the last back to the first.
  std::vector<std::string> readable;
  for (const auto& entry : entries) {
    if (entry.readable) readable.push_back(entry.fileName);
  }
  ASSERT_EQ(readable.size(), 3u);
  for (std::size_t i = 0; i < readable.size(); ++i) {
    world.menu.buildMainMenu();
    const std::string& expected = readable[(i + 1) % readable.size()];
    const app::MenuRequest request = world.menu.startNextTrack(readable[i]);
    EXPECT_EQ(world.choice.getTrackFile(), expected) << "after " << readable[i];
    // Started as START RACE starts it: the track with its picture loads, the others say why
    // not.
    EXPECT_EQ(request == app::MenuRequest::StartLoading, expected == "ready.rst") << expected;
  }
}

}  // namespace
