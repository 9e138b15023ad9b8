#pragma once
#include <string>
#include <vector>

#include "app/OptionTable.h"

namespace editor {

// What the editor's command line asks for.
struct EditorCommandLine {
  enum class Action {
    Edit,     // open the window, with TRACK if given
    Check,    // --check TRACK: print the checks
    SaveAs,   // --save-as OUT TRACK: read and write the track again
    Version,  // print the version and stop
    Help,     // print the usage and stop
    Error,    // the arguments make no sense: `error` says why
  };

  Action action = Action::Edit;
  bool headless = false;
  long frames = -1;        // --frames N: quit after N frames (N >= 1); -1 runs until closed
  std::string screenshot;  // --screenshot FILE: the last frame as a PNG
  std::string dataDir;     // --data DIR: the run-time tree instead of the installed one
  std::string track;       // the track to edit, check or save again
  std::string output;      // --save-as OUT
  std::string error;
};

using EditorOption = app::OptionOf<EditorCommandLine>;

// Every option, in the order --help lists them.
const std::vector<EditorOption>& editorOptions();

// Reads the arguments after the program name. Never throws: mistakes give Action::Error.
EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string editorUsageText();

// Exit statuses: a track the game would refuse (or cannot read), and a command line that could
// not be understood.
inline constexpr int kRefusedStatus = 1;
inline constexpr int kUsageErrorStatus = 2;

}  // namespace editor
