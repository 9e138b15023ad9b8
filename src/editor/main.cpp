// Solvern, the track editor: reads the command line, then either checks or rewrites a track
// file, or opens the editor's window on a new track or the track given.
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCommandLine.h"
#include "editor/EditorWindow.h"
#include "editor/TrackChecks.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "track/TrackLoader.h"
#include "track/TrackWriter.h"

namespace {

std::unique_ptr<TrackData> readOrSay(const std::string& path) {
  std::string reason;
  std::unique_ptr<TrackData> track = readTrackAsWritten(path, &reason);
  if (!track) std::cerr << "solvern: cannot read \"" << path << "\": " << reason << '\n';
  return track;
}

int check(const std::string& path) {
  const std::unique_ptr<TrackData> track = readOrSay(path);
  if (!track) return editor::kRefusedStatus;
  const std::vector<editor::Finding> findings = editor::checkTrack(*track);
  for (const editor::Finding& finding : findings) {
    std::cout << path << ": " << editor::findingLine(finding) << '\n';
  }
  if (findings.empty()) std::cout << path << ": no problems found\n";
  if (editor::gameRefuses(findings)) {
    std::cout << path << ": the game will refuse this track\n";
    return editor::kRefusedStatus;
  }
  return 0;
}

int saveAs(const std::string& path, const std::string& output) {
  const std::unique_ptr<TrackData> track = readOrSay(path);
  if (!track) return editor::kRefusedStatus;
  std::string error;
  if (!saveTrackFile(*track, output, &error)) {
    std::cerr << "solvern: cannot save \"" << output << "\": " << error << '\n';
    return editor::kRefusedStatus;
  }
  std::cout << "Saved \"" << path << "\" to \"" << output << "\"\n";
  return 0;
}

int edit(const editor::EditorCommandLine& line) {
  platform::LaunchSettings& launch = platform::launchSettings();
  launch.headless = line.headless;
  // A headless run with a frame count is a test or a picture: as fast as the machine allows.
  launch.unthrottled = line.headless && line.frames > 0;
  launch.maxFrames = line.frames;
  launch.screenshotPath = line.screenshot;
  editor::EditorWindow window;
  if (!line.track.empty()) window.screen().open(line.track);
  window.show();
  return 0;
}

int run(const editor::EditorCommandLine& line) {
  using Action = editor::EditorCommandLine::Action;
  switch (line.action) {
    case Action::Error:
      std::cerr << "solvern: " << line.error << "\nTry 'solvern --help'.\n";
      return editor::kUsageErrorStatus;
    case Action::Version:
      std::cout << "1.0\n";
      return 0;
    case Action::Help:
      std::cout << editor::editorUsageText();
      return 0;
    case Action::Check:
      return check(line.track);
    case Action::SaveAs:
      return saveAs(line.track, line.output);
    case Action::Edit:
      break;
  }
  if (!line.dataDir.empty()) platform::setProgramFolder(line.dataDir);
  return edit(line);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return run(editor::parseEditorCommandLine(args));
  } catch (const std::exception& error) {
    std::cerr << "solvern: " << error.what() << '\n';
    return 1;
  }
}
