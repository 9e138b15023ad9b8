#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "app/TrackScan.h"

namespace gui {
class GUI_Component_ListBox;
}  // namespace gui

namespace records {
class RecordBook;
}

namespace app {

class TrackTitleReader;

// How the list gets its titles.
enum class TitleReading {
  Immediate,   // every file is read before the list is put up
  Background,  // the list goes up at once and fills in as a thread reads the files
};

// The main menu's list of installed tracks: one row per ".rst" file of the tracks folders with
// its running number, title, file name and the player's best lap on it. Rebuilt from the folder
// every time the main menu is built, so new or edited tracks appear after "Refresh" or after a
// race.
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

  // Where the "Best lap" column is read from; without a record book the column stays empty.
  void setRecordBook(const records::RecordBook* book) { records_ = book; }

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
  // The row id of a track file, or "" when the list does not show it.
  std::string rowIdOf(const std::string& fileName) const;
  // The row id of the first readable track after `fileName` in the list, wrapping at the end;
  // "" when there is none. Rows not read yet are read on the way.
  std::string rowIdAfter(const std::string& fileName);
  const std::vector<TrackListEntry>& entries() const { return entries_; }

 private:
  std::wstring bestLapCellOf(const TrackListEntry& entry) const;
  void showEntry(std::size_t index);
  // The entry at `index`, read now if the thread has not brought it yet.
  const TrackListEntry& readEntry(std::size_t index);

  ScreenWidgets& widgets_;
  std::vector<std::string> tracksFolders_;
  int screenWidth_;
  int screenHeight_;
  TitleReading titleReading_;
  gui::GUI_Component_ListBox* list_ = nullptr;
  const records::RecordBook* records_ = nullptr;
  std::vector<TrackListEntry> entries_;
  std::unique_ptr<TrackTitleReader> reader_;
};

}  // namespace app
