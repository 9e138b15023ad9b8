// The settings screen through the real window: every change written to "options.ini" at once
// and found again after a restart, key capture with its conflicts, and a file that cannot be
// written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "GameFixture.h"
#include "app/ControlsSettingsPage.h"
#include "app/KeysPanel.h"
#include "app/MainMenu.h"
#include "app/PlayerSettingsPage.h"
#include "app/SettingsScreen.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/GUI_Component_TextField.h"
#include "support/TestSupport.h"

namespace {

using app::GameWindow;
using app::SettingsScreen;
using apptest::GameFolder;
using apptest::Player;
namespace button = platform::button;

constexpr int kKeyW = 17;
constexpr int kKeyM = 50;

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    std::ofstream out(folder.program.folder() + "options.ini");
    out << "[ Options ]\nintro=0\nnrCars=1\n\n[ Graphics ]\nwidth=800\nheight=600\n";
  }
  std::string ini() const { return testsupport::readFile(folder.program.folder() + "options.ini"); }
  static std::wstring caption(GameWindow& window, const std::string& id) {
    auto* button = dynamic_cast<gui::GUI_Component_Button*>(window.gui().find(id));
    return button == nullptr ? L"" : button->caption();
  }

  GameFolder folder;
};

TEST_F(SettingsTest, ChangesGoIntoOptionsIniAtOnceAndAreThereAfterARestart) {
  {
    GameWindow window;
    Player player(window);
    player.clickTrack("ring.rst");
    player.clickButton(SettingsScreen::kOpen);  // the race setup's button
    ASSERT_TRUE(window.settings().isOpen());

    player.clickButton("settings_sound");
    player.clickButton("settings_volumeDown");
    player.clickButton("settings_volumeDown");
    player.clickButton("settings_level2");
    player.clickButton("settings_steering1");
    player.clickButton("settings_zoom2");
    player.clickButton("settings_minimap");
    EXPECT_DOUBLE_EQ(window.audio().masterVolume(), 0.8);  // at once

    player.clickButton("settings_tab1");
    player.clickButton("settings_name");
    for (int i = 0; i < 7; ++i) player.tap(button::kBackspace);
    player.type("Zo\xc3\xab");
    player.tap(button::kEnter);
    player.clickButton("settings_colour3");

    // Written already, not only at exit.
    const std::string written = ini();
    for (const char* line :
         {"sound=1", "volume=80", "difficulty=hard", "smoothSteering=1", "zoom=200", "minimap=0",
          "player1_name=Zo\xc3\xab", "player1_color=255-140207058"}) {
      EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
    }
    player.clickButton("settings_back");
    EXPECT_FALSE(window.settings().isOpen());
    EXPECT_EQ(player.labelText("gui_levelXLbl"), L"Hard");  // the setup shows the new level
  }
  config::Options::destroy(false);
  GameWindow restarted;
  Player player(restarted);
  restarted.mainMenu().onClick(SettingsScreen::kOpen);  // Tools > Settings
  ASSERT_TRUE(restarted.settings().isOpen());
  EXPECT_EQ(player.labelText("settings_sound_mark"), L"X");
  EXPECT_EQ(player.labelText("settings_minimap_mark"), L"");
  EXPECT_EQ(player.labelText("settings_volumeLbl"), L"80 %");
  EXPECT_DOUBLE_EQ(restarted.audio().masterVolume(), 0.8);
  player.clickButton("settings_tab1");
  auto* page = dynamic_cast<app::PlayerSettingsPage*>(restarted.settings().currentPage());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->nameField()->text(), "Zo\xc3\xab");
  // Escape leaves the screen.
  player.tap(button::kEscape);
  EXPECT_FALSE(restarted.settings().isOpen());
}

TEST_F(SettingsTest, APressedKeyIsTakenAConflictSwapsAndTheGamesOwnKeysAreRefused) {
  GameWindow window;
  Player player(window);
  window.mainMenu().onClick(SettingsScreen::kOpen);
  player.clickButton("settings_tab2");
  EXPECT_EQ(caption(window, "settings_key0"), L"Up");
  EXPECT_EQ(caption(window, "settings_pad0"), L"Pad A");

  player.clickButton("settings_key0");
  EXPECT_EQ(caption(window, "settings_key0"), L"Press a key...");
  EXPECT_EQ(window.settings().status(), L"Press the key for Throttle.");
  player.tap(kKeyW);
  EXPECT_EQ(caption(window, "settings_key0"), L"W");

  // W for the brake: the throttle gets the brake's Down in exchange.
  player.clickButton("settings_key1");
  player.tap(button::kBackspace);
  EXPECT_EQ(window.settings().status(), L"Backspace shows the instruments: choose another key.");
  EXPECT_EQ(caption(window, "settings_key1"), L"Press a key...");  // still waiting
  // The race's zoom and minimap keys would then do two things at once.
  player.tap(button::kEquals);
  EXPECT_EQ(window.settings().status(), L"= already zooms the view in: choose another key.");
  player.tap(button::kKeypadMinus);
  EXPECT_EQ(caption(window, "settings_key1"), L"Press a key...");
  player.tap(kKeyM);
  EXPECT_EQ(window.settings().status(),
            L"M already shows or hides the minimap: choose another key.");
  player.tap(kKeyW);
  EXPECT_EQ(caption(window, "settings_key1"), L"W");
  EXPECT_EQ(caption(window, "settings_key0"), L"Down");
  EXPECT_EQ(window.settings().status(), L"W was Throttle's; Throttle now has Down.");
  // Escape leaves a key as it was, and does not close the screen while a key is awaited.
  player.clickButton("settings_key2");
  player.tap(button::kEscape);
  EXPECT_TRUE(window.settings().isOpen());
  EXPECT_EQ(caption(window, "settings_key2"), L"Left");
  // A pad button only goes to the pad's column.
  player.clickButton("settings_pad4");
  player.tap(kKeyW);
  EXPECT_EQ(caption(window, "settings_pad4"), L"Press a button...");
  player.tap(button::kGamepadButton0 + 2);
  EXPECT_EQ(caption(window, "settings_pad4"), L"Pad X");

  const std::string written = ini();
  EXPECT_NE(written.find("throttle=208"), std::string::npos) << written;        // Down
  EXPECT_NE(written.find("brake=17"), std::string::npos) << written;            // W
  EXPECT_NE(written.find("padBackOnTrack=268"), std::string::npos) << written;  // the pad's X
  // Help > Keys shows the keys as they are now.
  const auto lines = app::KeysPanel::lines();
  EXPECT_EQ(lines[0].action, L"Throttle");
  EXPECT_EQ(lines[0].keys, L"Down  /  Pad A");
  EXPECT_EQ(lines[1].keys, L"W  /  Pad B");

  player.clickButton("settings_defaults");
  EXPECT_EQ(caption(window, "settings_key0"), L"Up");
  EXPECT_NE(ini().find("throttle=200"), std::string::npos);
}

TEST_F(SettingsTest, ASettingThatCannotBeWrittenSaysSo) {
  GameWindow window;
  Player player(window);
  std::filesystem::remove(folder.program.folder() + "options.ini");
  std::filesystem::create_directory(folder.program.folder() + "options.ini");
  window.mainMenu().onClick(SettingsScreen::kOpen);
  player.clickButton("settings_sound");
  EXPECT_EQ(player.popupTitle(), L"Settings not saved");
  player.clickButton("alertOK");
  EXPECT_EQ(player.popupTitle(), L"");
  EXPECT_TRUE(window.settings().isOpen());
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::sound), 1);  // kept for this run
  std::filesystem::remove(folder.program.folder() + "options.ini");
}

}  // namespace
