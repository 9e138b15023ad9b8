#include "app/TrackScan.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "background/Theme.h"
#include "platform/Text.h"
#include "track/TrackLoader.h"

namespace app {

bool isTrackFileName(const std::string& name) {
  static const std::string kExtension = ".rst";
  return name.size() >= kExtension.size() &&
         name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

namespace {

// The ".rst" files of one folder, not yet read.
std::vector<TrackListEntry> listTracksFolder(const std::string& tracksFolder) {
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
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<TrackListEntry> readAll(std::vector<TrackListEntry> entries) {
  for (TrackListEntry& entry : entries) readTrackEntry(entry);
  return entries;
}

}  // namespace

void readTrackEntry(TrackListEntry& entry) {
  std::string reason;
  if (auto track = track::readLevelInfo(entry.path, &reason)) {
    entry.readable = true;
    entry.title = track->title;
    // What the painter makes of the name: an unknown theme is painted as the meadow.
    if (!track->theme.empty()) entry.theme = background::themeOf(*track)->name();
  } else {
    entry.reason = reason.empty() ? "cannot be read" : reason;
  }
  entry.read = true;
}

std::vector<TrackListEntry> scanTracksFolder(const std::string& tracksFolder) {
  return readAll(listTracksFolder(tracksFolder));
}

std::vector<TrackListEntry> scanTrackFolders(const std::vector<std::string>& tracksFolders) {
  return readAll(listTrackFolders(tracksFolders));
}

std::vector<TrackListEntry> listTrackFolders(const std::vector<std::string>& tracksFolders) {
  std::vector<TrackListEntry> entries;
  std::unordered_map<std::string, std::size_t> byName;
  for (const std::string& folder : tracksFolders) {
    for (TrackListEntry& entry : listTracksFolder(folder)) {
      const auto [seen, added] = byName.emplace(entry.fileName, entries.size());
      if (!added) {
        TrackListEntry& same = entries[seen->second];
        entry.number = same.number;
        same = std::move(entry);
      } else {
        entry.number = static_cast<int>(entries.size()) + 1;
        entries.push_back(std::move(entry));
      }
    }
  }
  return entries;
}

std::wstring titleCellOf(const TrackListEntry& entry) {
  if (!entry.read) return L"\u2026";
  if (entry.readable && !entry.theme.empty()) {
    return platform::widen(entry.title) + L" \u00b7 " + platform::widen(entry.theme);
  }
  if (entry.readable) return platform::widen(entry.title);
  return L"(unreadable: " + platform::widen(entry.reason) + L")";
}

}  // namespace app
