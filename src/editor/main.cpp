// Solvern, the track editor: reads the command line, then either checks or rewrites a track
// file, or opens the editor's window on a new track or the track given.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/Version.h"
#include "app/WindowOptions.h"
#include "editor/EditorCommandLine.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "platform/Paths.h"
#include "track/TrackFolders.h"

namespace {

// A track named without a folder that is not in the current folder is looked for among the
// player's tracks and the shipped ones, as the game's --race does.
std::string trackFile(const std::string& track) {
  std::error_code error;
  if (track.empty() || std::filesystem::is_regular_file(track, error)) return track;
  return track::trackFolders().trackFile(track);
}

int edit(const editor::EditorCommandLine& line) {
  app::applyWindowOptions(line);
  editor::EditorWindow window;
  if (!line.track.empty()) window.screen().open(trackFile(line.track));
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
      std::cout << app::kVersion << '\n';
      return 0;
    case Action::Help:
      std::cout << editor::editorUsageText();
      return 0;
    case Action::Check:
    case Action::SaveAs:
    case Action::Edit:
      break;
  }
  if (!line.dataDir.empty()) platform::setProgramFolder(line.dataDir);
  if (line.action == Action::Check) {
    return editor::checkCommand(trackFile(line.track), std::cout, std::cerr);
  }
  if (line.action == Action::SaveAs) {
    return editor::saveAsCommand(trackFile(line.track), line.output, std::cout, std::cerr);
  }
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
