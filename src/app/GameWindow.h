#pragma once
#include <memory>
#include <optional>
#include <string>

#include "app/Version.h"
#include "gui/GUI_Listener.h"
#include "platform/Window.h"

namespace background {
class BackgroundGenerator;
}  // namespace background
namespace gui {
class GUI_Manager;
}  // namespace gui

namespace race {
class RaceData;
}

namespace app {

class IntroScreen;
class MainMenu;
class MessageBox;
class RaceTrackChoice;
class ScreenWidgets;
class TrackList;

// The window's modes, in this order.
enum class WindowMode {
  Intro,       // the intro screen is playing
  Menu,        // a menu screen is shown (popups and the about box live here too)
  Generating,  // a track background is being painted, one stage per frame
  Loading,     // the loading picture is up; the race is set up in the next frame
  Starting,    // the race is being set up in this frame
  Racing,      // the race runs and draws itself
};

// The game's one window: opened at the size the options give, it switches between the intro,
// the menu screens, background generation, the two steps of a race start, and the race. It owns
// the menu GUI, the race and the background generator for the whole run. Commands from the menu
// screens arrive while drawing; the mode they set takes effect at the next frame's update.
class GameWindow : public platform::Window, public gui::GUI_Listener {
 public:
  // Whole milliseconds per update, handed to the race (1000 / 16 = 62 frames per second in its
  // integer arithmetic); the window itself runs every 16.666666 ms.
  static constexpr int kFrameMillis = 16;
  static constexpr double kUpdateIntervalMs = 16.666666;
  // The window's notices (F12's "Screenshot saved to ..."): the UI font in the game's racing
  // orange over a dark shadow.
  static platform::NoticeStyle noticeStyle();

  // Reads the options (creating the store, which reads "options.ini" in the program folder),
  // then opens the window with the intro or, with the option "intro" at 0, the main menu.
  GameWindow();
  // Writes "options.ini" back unless saveSettings() already saved every change.
  ~GameWindow() override;

  void update() override;
  void draw() override;
  // Another window took the keyboard: a running race pauses with its result screen up, as with
  // Escape, so the player comes back to a race that waited for them.
  void focusLost() override;
  // The player closes the window (or chooses Exit): the settings are saved first. When they
  // cannot be, a popup says why and the window stays open this once, so the player knows the
  // change is lost; asked again, it closes.
  bool closeRequested() override;
  // Writes "options.ini" now unless nothing changed since the last save. False when it cannot
  // be written (the reason is on standard error and in Options::lastSaveError()).
  bool saveSettings();
  // The command dispatcher of the menu screens.
  void onClick(std::string id) override;
  void onHover(std::string id) override;

  WindowMode mode() const { return mode_; }
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }
  const std::wstring& version() const { return version_; }
  int introFrame() const;
  // -1 until the intro is skipped or times out.
  int introEndFrame() const;
  float logoY() const;
  float logoSpeed() const;

  // The window's parts, for tests and tools.
  gui::GUI_Manager& gui() { return *gui_; }
  race::RaceData& race() { return *race_; }
  MainMenu& mainMenu() { return *mainMenu_; }
  MessageBox& messageBox() { return *messageBox_; }
  TrackList& trackList() { return *trackList_; }
  background::BackgroundGenerator& generator() { return *generator_; }

 private:
  static int optionsWidth();
  static int optionsHeight();
  static bool optionsFullscreen();

  void buildIntro();
  void buildMainMenu();
  void updateStarting();
  void updateRacing();

  void tellSettingsNotSaved(const std::string& reason);
  // A race that runs silent though sound is on says why, once per run.
  void tellSoundProblem();
  static constexpr double kProblemNoticeSeconds = 6.0;

  WindowMode mode_ = WindowMode::Menu;
  // The options' revision when they were last saved, and when a save was last tried; none
  // before the first.
  std::optional<unsigned> savedRevision_;
  std::optional<unsigned> attemptedRevision_;
  bool toldSettingsNotSaved_ = false;
  bool toldSoundProblem_ = false;
  std::wstring version_ = kWideVersion;
  int screenWidth_ = 0;
  int screenHeight_ = 0;

  std::unique_ptr<gui::GUI_Manager> gui_;
  std::unique_ptr<ScreenWidgets> widgets_;
  std::unique_ptr<MessageBox> messageBox_;
  std::unique_ptr<TrackList> trackList_;
  std::unique_ptr<race::RaceData> race_;
  std::unique_ptr<RaceTrackChoice> raceChoice_;
  std::unique_ptr<MainMenu> mainMenu_;
  std::unique_ptr<IntroScreen> intro_;
  std::unique_ptr<background::BackgroundGenerator> generator_;
};

}  // namespace app
