// The program entry: reads the command line, opens the one game window and runs it until it
// closes. The window's destructor writes "options.ini" back.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameWindow.h"
#include "app/Version.h"
#include "app/commands/GenerateCommand.h"
#include "app/commands/RaceCommand.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/SafeSave.h"
#include "platform/Window.h"
#include "track/TrackFolders.h"

namespace {

int runRace(const app::CommandLine& line) {
  app::RaceCommand command;
  command.track = line.track;
  if (line.cars > 0) command.cars = line.cars;
  if (line.laps > 0) command.laps = line.laps;
  command.level = line.level;
  command.seed = line.seed;
  command.headless = line.headless;
  platform::LaunchSettings& launch = platform::launchSettings();
  // A race shown in a window can be cut short and photographed like the game itself.
  launch.maxFrames = line.frames;
  launch.screenshotPath = line.screenshot;
  return app::runRaceCommand(command);
}

int run(const app::CommandLine& line) {
  using Action = app::CommandLine::Action;
  switch (line.action) {
    case Action::Error:
      std::cerr << "kelvane: " << line.error << "\nTry 'kelvane --help'.\n";
      return app::kUsageErrorStatus;
    case Action::Version:
      std::cout << app::kVersion << '\n';
      return 0;
    case Action::Help:
      std::cout << app::usageText();
      return 0;
    case Action::Race:
    case Action::GenerateBackground:
    case Action::Play:
      break;
  }

  if (!line.dataDir.empty()) platform::setProgramFolder(line.dataDir);
  if (line.seed) platform::setFixedSeed(*line.seed);
  // What a save cut short by a kill left behind, in every folder this run may write to.
  for (const std::string& folder : track::trackFolders().savedFolders()) {
    platform::removeStaleSaves(folder);
  }
  if (line.action == Action::GenerateBackground) {
    return app::generateBackgroundCommand(line.track, line.output);
  }
  if (line.action == Action::Race) return runRace(line);
  platform::LaunchSettings& launch = platform::launchSettings();
  launch.headless = line.headless;
  // Nobody watches a headless run with a frame count: its frames go as fast as the machine
  // allows. Without one it keeps the normal pace rather than spinning until it is stopped.
  launch.unthrottled = line.headless && line.frames > 0;
  launch.maxFrames = line.frames;
  launch.screenshotPath = line.screenshot;
  // Said now rather than after the whole run (throws platform::SaveError).
  if (!line.screenshot.empty()) platform::resolveSaveTarget(line.screenshot, "the screenshot");

  app::GameWindow window;
  window.show();
  // A run that ends by itself (--frames) has not saved yet; a lost setting is a failed run.
  return window.saveSettings() ? 0 : app::kFailureStatus;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return run(app::parseCommandLine(args));
  } catch (const std::exception& error) {
    // A message is better than a crash.
    std::cerr << "kelvane: " << error.what() << '\n';
    return 1;
  }
}
