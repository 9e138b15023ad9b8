#pragma once
#include <string>

// The two things the menu hands to programs outside the game: the track editor and the help
// document. Both are started without a shell, so a track file name cannot inject a command.
namespace app {

// The track editor's program, looked up beside the game and then on the PATH.
inline constexpr const char* kTrackEditorProgram = "solvern";
// The help document, relative to the program folder.
inline constexpr const char* kHelpDocument = "help/index.html";

// Starts the editor with no arguments ("Create New Track"), or with the full path of a track to
// edit ("Edit Track"; `trackPath` empty means no argument). False, with `error` filled, when the
// editor cannot be started.
bool startTrackEditor(const std::string& trackPath, std::string* error);

// The help document's full path: programFolder + kHelpDocument.
std::string helpDocumentPath();

// Opens programFolder + kHelpDocument with the desktop's viewer. False, with `error` filled,
// when the document is missing or no viewer can be started.
bool openHelpDocument(std::string* error);

}  // namespace app
