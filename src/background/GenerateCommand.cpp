#include "background/GenerateCommand.h"

#include <filesystem>
#include <iostream>

#include "background/BackgroundGenerator.h"
#include "track/TrackLoader.h"

std::string defaultBackgroundPath(const std::string& trackPath) {
  std::filesystem::path path(trackPath);
  if (path.extension() == ".rst") path.replace_extension();
  return path.string() + ".png";
}

int generateBackgroundCommand(const std::string& trackPath, const std::string& outPath) {
  std::string reason;
  const std::unique_ptr<TrackData> track = importTrack(trackPath, &reason);
  if (!track) {
    std::cerr << "Cannot load the track \"" << trackPath
              << "\": " << (reason.empty() ? "unknown reason" : reason) << '\n';
    return 1;
  }
  const std::string target = outPath.empty() ? defaultBackgroundPath(trackPath) : outPath;
  BackgroundGenerator generator;
  if (!generator.step(*track, target, {}, true)) {
    std::cerr << "Cannot generate the background of \"" << trackPath
              << "\": " << generator.lastError() << '\n';
    return 1;
  }
  std::cout << "Saved the background of \"" << trackPath << "\" to \"" << target << "\"\n";
  return 0;
}
