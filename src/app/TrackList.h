#pragma once
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "app/TrackScan.h"

namespace gui {
class GUI_Component_ListBox;
}  // namespace gui

namespace app {

// The main menu's list of installed tracks: one row per ".rst" file of the tracks folders with
// its running number, title and file name. Rebuilt from the folder every time the main menu is
// built, so new or edited tracks appear after "Refresh" or after a race.
class TrackList {
 public:
  static constexpr const char* kId = "gui_tracksLB";
  static constexpr const char* kRowPrefix = "listboxItem_";
  static constexpr int kLayer = 400;

  // `tracksFolder` ends with '/'; window size in pixels.
  TrackList(ScreenWidgets& widgets, std::string tracksFolder, int screenWidth, int screenHeight);
  // The tracks of every folder in one list (the shipped tracks, then the player's own).
  TrackList(ScreenWidgets& widgets, std::vector<std::string> tracksFolders, int screenWidth,
            int screenHeight);

  // Scans the folder and puts up a fresh list box (replacing the previous one).
  void buildTrackList();
  // Forgets the list box after a screen change has freed it.
  void forget();

  // Moves the list so row n is the first shown, limited to the rows there are; a list that
  // fits entirely does not move.
  void scrollTo(int n);

  // The list box, or null when no main menu is shown.
  gui::GUI_Component_ListBox* listBox() const { return list_; }
  // What the list knows of the row with this id ("listboxItem_" + n), or null.
  const TrackListEntry* entryFor(const std::string& rowId) const;
  const std::vector<TrackListEntry>& entries() const { return entries_; }

 private:
  ScreenWidgets& widgets_;
  std::vector<std::string> tracksFolders_;
  int screenWidth_;
  int screenHeight_;
  gui::GUI_Component_ListBox* list_ = nullptr;
  std::vector<TrackListEntry> entries_;
};

}  // namespace app
