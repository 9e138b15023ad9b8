#include "app/commands/GenerateCommand.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "app/CommandLine.h"
#include "app/commands/TrackArgument.h"
#include "background/BackgroundGenerator.h"
#include "platform/SafeSave.h"
#include "platform/UserFolders.h"
#include "track/TrackFolders.h"
#include "track/TrackLoader.h"

namespace app {

int generateBackgroundCommand(const std::string& trackArgument, const std::string& outPath) {
  std::string reason;
  const std::optional<std::string> resolved = resolveTrackArgument(trackArgument, &reason);
  if (!resolved) {
    std::cerr << "Cannot generate a background: " << reason << '\n';
    return kFailureStatus;
  }
  const std::string& trackPath = *resolved;
  const std::unique_ptr<track::TrackData> track = track::importTrack(trackPath, &reason);
  if (!track) {
    std::cerr << "Cannot load the track \"" << trackPath
              << "\": " << (reason.empty() ? "unknown reason" : reason) << '\n';
    return kFailureStatus;
  }
  // Beside the track, unless the game may not write there (an installed game's tracks): then
  // in the player's own tracks folder, where the race looks too.
  const std::string besideTrack =
      trackPath.find('/') == std::string::npos ? "./" + trackPath : trackPath;
  const std::string target =
      outPath.empty() ? track::trackFolders().generatedBackgroundFile(besideTrack) : outPath;
  // The player's tracks folder is made on first use; a folder named on the command line must
  // exist already, so a typing mistake is reported rather than created.
  const std::string folder = std::filesystem::path(target).parent_path().string();
  std::string folderError;
  if (outPath.empty() && !folder.empty() && !platform::ensureFolder(folder, &folderError)) {
    std::cerr << "Cannot save the background of \"" << trackPath << "\": " << folderError << '\n';
    return kFailureStatus;
  }
  // A target that can never be replaced is refused before seconds of painting.
  try {
    platform::resolveSaveTarget(target, "the picture");
  } catch (const platform::SaveError& error) {
    std::cerr << "Cannot generate the background of \"" << trackPath << "\": " << error.what()
              << '\n';
    return kFailureStatus;
  }
  background::BackgroundGenerator generator;
  if (!generator.step(*track, target, {}, true)) {
    std::cerr << "Cannot generate the background of \"" << trackPath
              << "\": " << generator.lastError() << '\n';
    return kFailureStatus;
  }
  std::cout << "Saved the background of \"" << trackPath << "\" to \"" << target << "\"\n";
  return 0;
}

}  // namespace app
