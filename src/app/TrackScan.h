#pragma once
#include <string>
#include <vector>

namespace app {

// One track file found in the tracks folder, as the track list shows it.
struct TrackListEntry {
  int number = 0;         // 1, 2, 3 ... in the order the folder listing yields the files
  std::string fileName;   // without folder, e.g. "harbour_loop.rst"
  std::string path;       // the file with its folder
  std::string title;      // from the file; empty when it cannot be read
  std::string theme;      // the landscape it is painted in; empty when the file names none
  bool readable = false;  // whether the file gave a track summary
  std::string reason;     // why it cannot be read (short text for the player)
  bool read = false;      // whether the file has been read yet (title, theme, readable, reason)
};

// True for names that end in ".rst" exactly (lower case) and are long enough to have one.
bool isTrackFileName(const std::string& name);

// Every track file of `tracksFolder` (a folder path ending with '/'), each read with the light
// loader. The listing is not sorted. A missing or unreadable folder gives an empty list.
std::vector<TrackListEntry> scanTracksFolder(const std::string& tracksFolder);

// The tracks of several folders in one list, numbered on from folder to folder: the shipped
// tracks, then the player's own. A later folder's file with a name seen before replaces that
// entry in place, as the race also takes the player's copy for that name.
std::vector<TrackListEntry> scanTrackFolders(const std::vector<std::string>& tracksFolders);

// The same list with the files not yet read: only the folders are listed, which takes
// milliseconds however many tracks there are. readTrackEntry() fills each entry in.
std::vector<TrackListEntry> listTrackFolders(const std::vector<std::string>& tracksFolders);
// Reads the entry's file with the light loader: title, theme, readable and reason. Safe to call
// on several threads at once for different entries.
void readTrackEntry(TrackListEntry& entry);

// The title cell of a row: the track's title (with its theme, when the file names one), or for
// a file that cannot be read a short note with the reason, so the player sees which file is
// broken and why; "…" while the file has not been read yet.
std::wstring titleCellOf(const TrackListEntry& entry);

}  // namespace app
