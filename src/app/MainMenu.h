#pragma once
#include <memory>
#include <string>

#include "app/ScreenWidgets.h"
#include "track/TrackFolders.h"

namespace gui {
class GUI_Component_Label;
class GUI_Component_Menu;
}  // namespace gui
namespace background {
class BackgroundGenerator;
}  // namespace background

namespace records {
class RecordBook;
}

namespace platform {
class Input;
}

namespace app {

class KeysPanel;
class MessageBox;
class SettingsScreen;
class SetupPreview;
class TrackList;
class TrackChoice;

// What a command asks of the window beyond the screen it changes.
enum class MenuRequest {
  None,
  Exit,             // close the window
  StartGeneration,  // paint the chosen track's background, one stage per frame
  StartLoading,     // the loading picture is up; set the race up in the next frames
};

// The main menu screen and its command dispatcher: the menu bar, the track list with its
// buttons, the race setup panel, and every command the player can give outside a race.
class MainMenu {
 public:
  static constexpr int kBackgroundLayer = 1;
  static constexpr int kMenuBarLayer = 500;
  static constexpr int kControlsLayer = 550;
  static constexpr int kPointerLayer = 1000;

  // `programFolder` ends with '/'; the window size in pixels.
  MainMenu(ScreenWidgets& widgets, MessageBox& messageBox, TrackList& trackList, TrackChoice& race,
           std::string programFolder, int screenWidth, int screenHeight);
  ~MainMenu();

  // The settings screen that "settings" opens (the window has one; a menu without it ignores
  // the command).
  void attachSettings(SettingsScreen* settings) { settings_ = settings; }
  // Where the track list and the race setup read the player's records (none without it).
  void attachRecords(records::RecordBook* book);
  SettingsScreen* settings() const { return settings_; }
  KeysPanel& keysPanel() { return *keysPanel_; }
  const SetupPreview& preview() const { return *preview_; }
  // Once per frame while a menu screen is shown: the panels over the menu read keys here.
  void update(const platform::Input& input);

  void buildMainMenu();
  void buildRaceSetup();
  void extendToolsMenu();
  void buildLoadingScreen();
  void clearScreen();

  // The dispatcher: acts on the id of the widget the player clicked. Ids that are no
  // commands (pictures, labels, menu bar entries, "MENU_BG") do nothing.
  MenuRequest onClick(const std::string& id);

  // One frame of a background generation: runs the generator's next stage and puts up the
  // progress box naming the stage after it. True when the generation is over (saved, or
  // failed with an error box) and the window goes back to the menu.
  bool stepGeneration(background::BackgroundGenerator& generator);

  // The picture the race would use, if any: the one the track names, else the generated one.
  std::string availableBackground() const;

  // "Next track" on the result screen: chooses the track after `currentFile` in the list
  // (wrapping at the end, passing over files that cannot be read) and starts it as "START
  // RACE" does, message boxes and all.
  MenuRequest startNextTrack(const std::string& currentFile);
  // Shows what the record book has to say about its file (moved aside, not kept), if anything.
  void showRecordsNotice();

  gui::GUI_Component_Label* trackLabel() const { return trackLabel_; }
  gui::GUI_Component_Label* lapsLabel() const { return lapsLabel_; }
  gui::GUI_Component_Label* carsLabel() const { return carsLabel_; }
  gui::GUI_Component_Label* cpuOnlyMark() const { return cpuOnlyMark_; }
  gui::GUI_Component_Label* levelLabel() const { return levelLabel_; }
  gui::GUI_Component_Menu* toolsMenu() const { return toolsMenu_; }

 private:
  void forgetScreen();
  void chooseTrack(const std::string& rowId);
  MenuRequest startChecks();
  MenuRequest startGeneration();
  void removeRaceSetup();
  void refreshSetupLabels();
  // The menu bar; null before the main menu is built.
  gui::GUI_Component_Menu* menuBar() const;
  void addButton(const std::string& id, const std::wstring& caption, int x, int y, int maxWidth);
  gui::GUI_Component_Label* addLabel(const std::string& id, const std::wstring& text, int x, int y,
                                     unsigned colour, unsigned shadowColour);
  void changeLaps(int delta);
  void changeCars(int delta);
  void toggleCpuOnly();
  // The computer drivers' next level: Easy, Medium, Hard, then Easy again.
  void nextLevel();
  void startEditor(const std::string& trackPath);
  void openHelp();
  int startPositions() const;
  // The track folders for this menu's program folder.
  track::TrackFolders folders() const;
  // The chosen track's file: the player's copy or the shipped one.
  std::string chosenTrackPath() const;
  // Where the generator saves the chosen track's picture.
  std::string generatedBackgroundPath() const;
  // The same for the player to read: relative to the program folder when it lies below it.
  std::string generatedBackgroundShownPath() const;

  ScreenWidgets& widgets_;
  MessageBox& messageBox_;
  TrackList& trackList_;
  TrackChoice& race_;
  std::string programFolder_;
  int screenWidth_;
  int screenHeight_;

  gui::GUI_Component_Label* trackLabel_ = nullptr;
  gui::GUI_Component_Label* lapsLabel_ = nullptr;
  gui::GUI_Component_Label* carsLabel_ = nullptr;
  gui::GUI_Component_Label* cpuOnlyMark_ = nullptr;
  gui::GUI_Component_Label* levelLabel_ = nullptr;
  gui::GUI_Component_Menu* toolsMenu_ = nullptr;
  bool toolsExtended_ = false;
  SettingsScreen* settings_ = nullptr;
  records::RecordBook* records_ = nullptr;
  std::unique_ptr<KeysPanel> keysPanel_;
  std::unique_ptr<SetupPreview> preview_;
};

}  // namespace app
