#include "editor/FileCommands.h"

#include <memory>
#include <ostream>
#include <vector>

#include "editor/EditorCommandLine.h"
#include "editor/TrackChecks.h"
#include "track/TrackLoader.h"
#include "track/TrackWriter.h"

namespace editor {

namespace {

std::unique_ptr<track::TrackData> readOrSay(const std::string& path, std::ostream& errors) {
  std::string reason;
  std::unique_ptr<track::TrackData> track = track::readTrackAsWritten(path, &reason);
  if (!track) errors << "solvern: cannot read \"" << path << "\": " << reason << '\n';
  return track;
}

}  // namespace

int checkCommand(const std::string& trackPath, std::ostream& out, std::ostream& errors) {
  const std::unique_ptr<track::TrackData> track = readOrSay(trackPath, errors);
  if (!track) return kRefusedStatus;
  const std::vector<Finding> findings = checkTrack(*track);
  for (const Finding& finding : findings) out << trackPath << ": " << findingLine(finding) << '\n';
  if (findings.empty()) out << trackPath << ": no problems found\n";
  if (!gameRefuses(findings)) return 0;
  out << trackPath << ": the game will refuse this track\n";
  return kRefusedStatus;
}

int saveAsCommand(const std::string& trackPath, const std::string& outputPath, std::ostream& out,
                  std::ostream& errors) {
  const std::unique_ptr<track::TrackData> track = readOrSay(trackPath, errors);
  if (!track) return kRefusedStatus;
  std::string error;
  if (!track::saveTrackFile(*track, outputPath, &error)) {
    errors << "solvern: cannot save \"" << outputPath << "\": " << error << '\n';
    return kRefusedStatus;
  }
  out << "Saved \"" << trackPath << "\" to \"" << outputPath << "\"\n";
  return 0;
}

}  // namespace editor
