#include "editor/EditorCommandLine.h"

#include <limits>

namespace editor {

namespace {

using Line = EditorCommandLine;

std::string readHelp(const std::string&, app::Arguments&, Line& line) {
  line.action = Line::Action::Help;
  return {};
}

std::string readVersion(const std::string&, app::Arguments&, Line& line) {
  if (line.action != Line::Action::Help) line.action = Line::Action::Version;
  return {};
}

std::string readHeadless(const std::string&, app::Arguments&, Line& line) {
  line.headless = true;
  return {};
}

std::string readFrames(const std::string& option, app::Arguments& args, Line& line) {
  if (args.done()) return option + " needs a number";
  const std::string& text = args.take();
  const auto n = app::parseWholeNumber(text, 1, std::numeric_limits<long>::max());
  if (!n) return option + " needs a whole number of at least 1, not \"" + text + "\"";
  line.frames = static_cast<long>(*n);
  return {};
}

std::string readName(const std::string& option, app::Arguments& args, std::string& name,
                     const char* what) {
  if (args.done() || args.next().empty()) return option + " needs " + what;
  name = args.take();
  return {};
}

std::string readScreenshot(const std::string& option, app::Arguments& args, Line& line) {
  return readName(option, args, line.screenshot, "a file name");
}

std::string readData(const std::string& option, app::Arguments& args, Line& line) {
  return readName(option, args, line.dataDir, "a folder name");
}

std::string readCheck(const std::string& option, app::Arguments& args, Line& line) {
  line.action = Line::Action::Check;
  return readName(option, args, line.track, "a track file");
}

std::string readSaveAs(const std::string& option, app::Arguments& args, Line& line) {
  line.action = Line::Action::SaveAs;
  std::string error = readName(option, args, line.output, "the file to write and a track file");
  if (!error.empty()) return error;
  return readName(option, args, line.track, "a track file after the file to write");
}

Line fail(std::string message) {
  Line line;
  line.action = Line::Action::Error;
  line.error = std::move(message);
  return line;
}

}  // namespace

const std::vector<EditorOption>& editorOptions() {
  static const std::vector<EditorOption> options = {
      {"-h", "--help", "", "show this text and stop", readHelp},
      {nullptr, "--version", "", "print the version and stop", readVersion},
      {nullptr, "--headless", "", "run without a display (offscreen video, no sound)",
       readHeadless},
      {nullptr, "--frames", "N", "quit after N frames (N >= 1)", readFrames},
      {nullptr, "--screenshot", "FILE", "save the last frame as a PNG picture", readScreenshot},
      {nullptr, "--data", "DIR", "read pictures and tracks from DIR", readData},
      {nullptr, "--check", "TRACK", "print the checks of a track file", readCheck},
      {nullptr, "--save-as", "OUT TRACK", "read a track file and write it to OUT", readSaveAs},
  };
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
