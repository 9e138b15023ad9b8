#include "app/TrackScan.h"

#include <filesystem>
#include <system_error>

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
    std::string reason;
    if (auto track = readLevelInfo(tracksFolder + name, &reason)) {
      entry.readable = true;
      entry.title = track->title;
    } else {
      entry.reason = reason.empty() ? "cannot be read" : reason;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::wstring titleCellOf(const TrackListEntry& entry) {
  if (entry.readable) return platform::widen(entry.title);
  return L"(unreadable: " + platform::widen(entry.reason) + L")";
}

}  // namespace app
