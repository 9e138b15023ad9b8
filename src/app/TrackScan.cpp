#include "app/TrackScan.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "background/Theme.h"
#include "platform/Text.h"
#include "track/TrackLoader.h"

namespace app {

bool isTrackFileName(const std::string& name) {
  static const std::string kExtension = ".rst";
  return name.size() >= kExtension.size() &&
         name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

std::vector<TrackListEntry> scanTracksFolder(const std::string& tracksFolder) {
  std::vector<TrackListEntry> entries;
  std::error_code error;
  std::filesystem::directory_iterator it(tracksFolder, error);
  if (error) return entries;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    const std::string name = it->path().filename().string();
    if (!isTrackFileName(name)) continue;
    TrackListEntry entry;
    entry.number = static_cast<int>(entries.size()) + 1;
    entry.fileName = name;
    entry.path = tracksFolder + name;
    std::string reason;
    if (auto track = track::readLevelInfo(tracksFolder + name, &reason)) {
      entry.readable = true;
      entry.title = track->title;
      // What the painter makes of the name: an unknown theme is painted as the meadow.
      if (!track->theme.empty()) entry.theme = background::themeOf(*track)->name();
    } else {
      entry.reason = reason.empty() ? "cannot be read" : reason;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<TrackListEntry> scanTrackFolders(const std::vector<std::string>& tracksFolders) {
  std::vector<TrackListEntry> entries;
  for (const std::string& folder : tracksFolders) {
    for (TrackListEntry& entry : scanTracksFolder(folder)) {
      auto same = std::find_if(entries.begin(), entries.end(), [&](const TrackListEntry& seen) {
        return seen.fileName == entry.fileName;
      });
      if (same != entries.end()) {
        entry.number = same->number;
        *same = std::move(entry);
      } else {
        entry.number = static_cast<int>(entries.size()) + 1;
        entries.push_back(std::move(entry));
      }
    }
  }
  return entries;
}

std::wstring titleCellOf(const TrackListEntry& entry) {
  if (entry.readable && !entry.theme.empty()) {
    return platform::widen(entry.title) + L" \u00b7 " + platform::widen(entry.theme);
  }
  if (entry.readable) return platform::widen(entry.title);
  return L"(unreadable: " + platform::widen(entry.reason) + L")";
}

}  // namespace app
