#pragma once
#include <limits>
#include <string>
#include <vector>

#include "app/OptionTable.h"
#include "platform/SafeSave.h"
#include "platform/Window.h"

// The options every program of the game takes for its window, read the same way into any
// command line `Line` that has the fields `headless` (bool), `frames` (long, -1 until given),
// `screenshot` and `dataDir` (strings): --headless, --frames N, --screenshot FILE, --data DIR.
namespace app {

namespace windowoptions {

template <class Line>
std::string readHeadless(const std::string&, Arguments&, Line& line) {
  line.headless = true;
  return {};
}

template <class Line>
std::string readFrames(const std::string& option, Arguments& args, Line& line) {
  return readWholeNumber(option, args, 1L, std::numeric_limits<long>::max(), "of at least 1",
                         line.frames);
}

template <class Line>
std::string readScreenshot(const std::string& option, Arguments& args, Line& line) {
  return readName(option, args, line.screenshot);
}

template <class Line>
std::string readData(const std::string& option, Arguments& args, Line& line) {
  return readName(option, args, line.dataDir);
}

}  // namespace windowoptions

// The four entries in the order --help lists them; `dataHelp` is the --data line, which says
// what the program reads from the tree.
template <class Line>
std::vector<OptionOf<Line>> windowOptionEntries(const char* dataHelp) {
  using namespace windowoptions;
  return {
      {nullptr, "--headless", "", "run without a display (offscreen video, no sound)",
       readHeadless<Line>},
      {nullptr, "--frames", "N", "quit after N frames (N >= 1)", readFrames<Line>},
      {nullptr, "--screenshot", "FILE", "save the last frame as a PNG picture",
       readScreenshot<Line>},
      {nullptr, "--data", "DIR", dataHelp, readData<Line>},
  };
}

// Sets how the window will run, before it is made. Throws platform::SaveError when the
// screenshot's FILE can never be replaced (a folder, a pipe), said now rather than after the run.
template <class Line>
void applyWindowOptions(const Line& line) {
  platform::LaunchSettings& launch = platform::launchSettings();
  launch.headless = line.headless;
  // Nobody watches a headless run with a frame count: its frames go as fast as the machine
  // allows. Without one it keeps the normal pace rather than spinning until it is stopped.
  launch.unthrottled = line.headless && line.frames > 0;
  launch.maxFrames = line.frames;
  launch.screenshotPath = line.screenshot;
  if (!line.screenshot.empty()) platform::resolveSaveTarget(line.screenshot, "the screenshot");
}

}  // namespace app
