#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "app/TrackScan.h"

namespace gui {
class GUI_Component_ListBox;
}  // namespace gui

namespace app {

class TrackTitleReader;

// How the list gets its titles.
enum class TitleReading {
  Immediate,   // every file is read before the list is put up
  Background,  // the list goes up at once and fills in as a thread reads the files
};

// The main menu's list of installed tracks: one row per ".rst" file of the tracks folders with
// its running number, title and file name. Rebuilt from the folder every time the main menu is
// built, so new or edited tracks appear after "Refresh" or after a race.
class TrackList {
 public:
  static constexpr const char* kId = "gui_tracksLB";
  static constexpr const char* kRowPrefix = "listboxItem_";
  static constexpr int kLayer = 400;

  // `tracksFolder` ends with '/'; window size in pixels.
  TrackList(ScreenWidgets& widgets, std::string tracksFolder, int screenWidth, int screenHeight,
            TitleReading reading = TitleReading::Immediate);
  // The tracks of every folder in one list (the shipped tracks, then the player's own).
  TrackList(ScreenWidgets& widgets, std::vector<std::string> tracksFolders, int screenWidth,
            int screenHeight, TitleReading reading = TitleReading::Immediate);
  ~TrackList();

  // Scans the folder and puts up a fresh list box (replacing the previous one). In the
  // background mode its rows show "…" for titles until update() brings them in.
  void buildTrackList();
  // Once a frame: puts the titles read since the last call into their rows.
  void update();
  // Waits until every title is in its row (tests, tools).
  void finishReading();
  // Whether a title is still being read.
  bool reading() const { return reader_ != nullptr; }
  // Forgets the list box after a screen change has freed it.
  void forget();

  // Moves the list so row n is the first shown, limited to the rows there are; a list that
  // fits entirely does not move.
  void scrollTo(int n);

  // The list box, or null when no main menu is shown.
  gui::GUI_Component_ListBox* listBox() const { return list_; }
  // What the list knows of the row with this id ("listboxItem_" + n), or null. A row chosen
  // before its title arrived is read now.
  const TrackListEntry* entryFor(const std::string& rowId);
  const std::vector<TrackListEntry>& entries() const { return entries_; }

 private:
  ScreenWidgets& widgets_;
  std::vector<std::string> tracksFolders_;
  int screenWidth_;
  int screenHeight_;
  void showEntry(std::size_t index);

  TitleReading titleReading_;
  gui::GUI_Component_ListBox* list_ = nullptr;
  std::vector<TrackListEntry> entries_;
  std::unique_ptr<TrackTitleReader> reader_;
};

}  // namespace app
