#pragma once
#include <memory>
#include <string>
#include <vector>

#include "race/LapTable.h"
#include "records/Records.h"

namespace gui {
class GUI_Component_Button;
class GUI_Component_Label;
class GUI_Component_ListBox;
class GUI_Component_ListBoxItem;
class GUI_Component_Mouse;
class GUI_Listener;
class GUI_Manager;
}  // namespace gui

namespace platform {
class Graphics;
class Input;
}  // namespace platform

namespace race {

// What a click on the result screen asks of the race.
enum class ResultCommand {
  None,       // nothing, or something the screen did itself (scrolling)
  QuitRace,   // "Menu": the race ends, back to the menu
  RaceAgain,  // "Race again": the same race once more
  NextTrack,  // "Next track": the same race on the next track of the list
};

// The result table over the race: a list with a row per car ("Pos.", "Driver", "Total time",
// "Difference", "Best lap"), the buttons "Race again", "Next track" and "Menu", plus "Scroll
// up" and "Scroll down" when the field does not fit in the list, and a line naming the records
// the player's race set. It has its own GUI pass, whose clicks go to the race. Each frame
// update() decides what is in the GUI and counts the pointer's idle time; drawing changes none
// of it.
class ResultScreen {
 public:
  static constexpr const char* kQuitRace = "quitRace";
  static constexpr const char* kRaceAgain = "raceAgain";
  static constexpr const char* kNextTrack = "nextTrack";
  static constexpr const char* kScrollUp = "scrollup";
  static constexpr const char* kScrollDown = "scrolldown";

  // listener: receives the clicks of the screen's widgets (the race).
  ResultScreen(platform::Graphics& graphics, gui::GUI_Listener& listener);
  ~ResultScreen();
  ResultScreen(const ResultScreen&) = delete;
  ResultScreen& operator=(const ResultScreen&) = delete;

  // The top of the list on a screen screenHeight pixels high.
  static int listTop(int screenHeight) { return (screenHeight - 500) / 2 + 10; }

  // A new race: a row per driver in car order, without times yet, and the buttons, laid out for
  // a screen of screenWidth × screenHeight pixels (the list is 500 pixels wide, centred).
  // Hidden until update() shows it; the pointer is hidden until the mouse moves.
  void build(const std::vector<std::wstring>& driverNames, int screenWidth, int screenHeight);
  // The race is over: the widgets go.
  void clear();
  // New standings, by position.
  void refresh(const std::vector<ResultCells>& rows);
  // The player's race set these records: the screen says so under the table.
  void markRecords(const records::NewRecords& records);
  const std::wstring& recordsLine() const;
  // A click on one of the screen's widgets: the scroll buttons move the list by a row here;
  // what is left for the race comes back.
  ResultCommand handleClick(const std::string& id);

  // Once per frame, before drawing. The list and its buttons are in the GUI while `shown` (the
  // scroll buttons from sixteen cars on); the pointer shows when the mouse moves and hides
  // again after two seconds without moving.
  void update(const platform::Input& input, bool shown);
  // The GUI's pass: draws the widgets in the GUI and delivers at most one click to the
  // listener, which may end the race from there.
  void runGui(const platform::Input& input);
  // Enter pressed in this frame while the screen has been shown for half a second (so a key
  // held when the car finished does not count): the same race once more.
  bool raceAgainKeyPressed(const platform::Input& input) const;

  bool shown() const { return shown_; }
  bool scrollButtonsShown() const { return scrollButtonsShown_; }
  bool pointerShown() const;
  gui::GUI_Component_ListBox* list() const { return list_.get(); }
  // The rows as the list shows them, by position.
  std::vector<ResultCells> table() const;

 private:
  void layout();

  platform::Graphics& graphics_;
  gui::GUI_Listener& listener_;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  std::unique_ptr<gui::GUI_Manager> gui_;
  std::unique_ptr<gui::GUI_Component_ListBox> list_;
  std::vector<gui::GUI_Component_ListBoxItem*> rows_;
  std::unique_ptr<gui::GUI_Component_Button> quitButton_;
  std::unique_ptr<gui::GUI_Component_Button> raceAgainButton_;
  std::unique_ptr<gui::GUI_Component_Button> nextTrackButton_;
  std::unique_ptr<gui::GUI_Component_Label> recordsLabel_;
  std::unique_ptr<gui::GUI_Component_Button> scrollUpButton_;
  std::unique_ptr<gui::GUI_Component_Button> scrollDownButton_;
  std::unique_ptr<gui::GUI_Component_Mouse> pointer_;
  bool shown_ = false;
  bool scrollButtonsShown_ = false;
  int lastMouseX_ = 0;
  int lastMouseY_ = 0;
  int idleFrames_ = 0;
  int shownFrames_ = 0;
  bool mouseKnown_ = false;  // the pointer's position has been read since the race began
};

}  // namespace race
