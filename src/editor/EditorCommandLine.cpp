#include "editor/EditorCommandLine.h"

#include "app/WindowOptions.h"

namespace editor {

namespace {

using Line = EditorCommandLine;

std::string readHelp(const std::string&, app::Arguments&, Line& line) {
  line.action = Line::Action::Help;
  return {};
}

std::string readVersion(const std::string&, app::Arguments&, Line& line) {
  if (line.action == Line::Action::Edit) line.action = Line::Action::Version;
  return {};
}

std::string readTrack(const std::string& option, app::Arguments& args, std::string& track,
                      const char* what) {
  if (args.done() || args.next().empty()) return option + " needs " + what;
  track = args.take();
  return {};
}

std::string readCheck(const std::string& option, app::Arguments& args, Line& line) {
  line.action = Line::Action::Check;
  return readTrack(option, args, line.track, "a track file");
}

std::string readSaveAs(const std::string& option, app::Arguments& args, Line& line) {
  line.action = Line::Action::SaveAs;
  std::string error = readTrack(option, args, line.output, "the file to write and a track file");
  if (!error.empty()) return error;
  return readTrack(option, args, line.track, "a track file after the file to write");
}

Line fail(std::string message) {
  Line line;
  line.action = Line::Action::Error;
  line.error = std::move(message);
  return line;
}

}  // namespace

const std::vector<EditorOption>& editorOptions() {
  static const std::vector<EditorOption> options = [] {
    std::vector<EditorOption> table = {
        {"-h", "--help", "", "show this text and stop", readHelp},
        {nullptr, "--version", "", "print the version and stop", readVersion},
    };
    const std::vector<EditorOption> window =
        app::windowOptionEntries<Line>("read pictures and tracks from DIR");
    table.insert(table.end(), window.begin(), window.end());
    table.push_back({nullptr, "--check", "TRACK", "print the checks of a track file", readCheck});
    table.push_back(
        {nullptr, "--save-as", "OUT TRACK", "read a track file and write it to OUT", readSaveAs});
    return table;
  }();
  return options;
}

EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& args) {
  Line line;
  app::Arguments words(args);
  while (!words.done()) {
    const std::string& word = words.take();
    if (word.size() > 1 && word[0] == '-') {
      const EditorOption* option = app::findOptionIn(editorOptions(), word);
      if (option == nullptr) return fail("unknown option \"" + word + "\"");
      std::string error = option->read(word, words, line);
      if (!error.empty()) return fail(std::move(error));
    } else if (line.track.empty() && line.action == Line::Action::Edit) {
      line.track = word;
    } else {
      return fail("one track at a time: \"" + word + "\" is one too many");
    }
  }
  return line;
}

std::string editorUsageText() {
  return "Usage: solvern [OPTION]... [TRACK]\n"
         "Solvern, the track editor of Project Kelvane: draws a track's road, sets its start\n"
         "grid, test-drives it and paints its background. TRACK is a track file to edit.\n"
         "\n" +
         app::optionHelpLines(editorOptions()) +
         "\n"
         "Tracks are saved beside the file they came from, or in $XDG_DATA_HOME/kelvane/tracks/\n"
         "when that folder is read-only (an installed game's tracks) or for a new track.\n"
         "\n"
         "Exit status: 0 on success; 1 when --check finds that the game would refuse the\n"
         "track, or a track cannot be read or saved; 2 when the command line is wrong.\n";
}

}  // namespace editor
