#pragma once
#include <iosfwd>
#include <string>

// The editor's command-line work on track files, without a window.
namespace editor {

// `solvern --check TRACK`: prints one line per finding ("TRACK: error: …", "TRACK: warning: …")
// to `out`, or that there is none. Returns 0, or kRefusedStatus when the game would refuse the
// track or the file cannot be read (the reason then goes to `errors`).
int checkCommand(const std::string& trackPath, std::ostream& out, std::ostream& errors);

// `solvern --save-as OUT TRACK`: reads the track file as written and saves it again at OUT,
// so that the game loads OUT into exactly the same track. Returns 0, or kRefusedStatus when
// the file cannot be read or written (the reason goes to `errors`).
int saveAsCommand(const std::string& trackPath, const std::string& outputPath, std::ostream& out,
                  std::ostream& errors);

}  // namespace editor
