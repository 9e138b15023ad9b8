#include "PaceFolder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "config/Options.h"
#include "platform/Bitmap.h"
#include "platform/Paths.h"
#include "track/TrackLoader.h"

namespace fs = std::filesystem;

PaceFolder::PaceFolder(const std::string& dataFolder, const std::vector<std::string>& trackFiles) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  folder_ = fs::temp_directory_path() / ("kelvane-pace-" + std::to_string(getpid()));
  fs::remove_all(folder_);
  fs::create_directories(folder_ / "tracks");
  fs::copy(fs::path(dataFolder) / "images", folder_ / "images", fs::copy_options::recursive);
  fs::copy(fs::path(dataFolder) / "sound", folder_ / "sound", fs::copy_options::recursive);
  for (const std::string& file : trackFiles) {
    const fs::path copy = trackPath(file);
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    const auto track = track::importTrack(copy.string());
    if (!track) continue;
    int width = track->extentX, height = track->extentY;
    for (const auto& p : track->points) {
      width = std::max(width, static_cast<int>(p.x + p.width) + 50);
      height = std::max(height, static_cast<int>(p.y + p.width) + 50);
    }
    const std::string picture =
        track->background.empty() ? copy.stem().string() + ".png" : track->background;
    platform::Bitmap(width, height, 0xff4a7a3au).savePng((folder_ / "tracks" / picture).string());
  }
  platform::setProgramFolder(folder_.string() + "/");
  config::Options::destroy(false);
}

PaceFolder::~PaceFolder() {
  config::Options::destroy(false);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string PaceFolder::trackPath(const std::string& trackFile) const {
  return (folder_ / "tracks" / fs::path(trackFile).filename()).string();
}
