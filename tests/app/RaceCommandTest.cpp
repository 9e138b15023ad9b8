#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/CommandLine.h"
#include "app/commands/RaceCommand.h"
#include "app/commands/TrackArgument.h"
#include "config/OptionKeys.h"
#include "platform/Window.h"
#include "race/RaceFixture.h"

namespace {

using RaceCommandLine = RaceFixture;

TEST_F(RaceCommandLine, PrintsTheResultTableAndLeavesTheOptionsAlone) {
  installTrack("meadow_loop.rst");
  setOptions(2, 5, 0);
  app::RaceCommand command;
  command.track = "meadow_loop.rst";
  command.cars = 2;
  command.laps = 1;
  command.level = "hard";
  command.seed = 3;
  command.headless = true;
  testing::internal::CaptureStdout();
  const int status = app::runRaceCommand(command);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("Pos.  Driver"), std::string::npos) << out;
  EXPECT_NE(out.find(" 2    Player"), std::string::npos) << out;
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::nrLaps), 5);
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::onlyCPU), 0);
  EXPECT_EQ(config::Options::instance()->getAIString(config::key::difficulty), "medium");
}

TEST_F(RaceCommandLine, UnfinishedRaceNamesTheCarsAndFails) {
  installTrack("meadow_loop.rst");
  app::RaceCommand command;
  command.track = dir_.folder() + "tracks/meadow_loop.rst";  // a path works as well
  command.cars = 2;
  command.headless = true;
  command.timeLimitSeconds = 10;
  testing::internal::CaptureStdout();
  EXPECT_EQ(app::runRaceCommand(command), app::kUnfinishedStatus);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Not finished after 10 simulated seconds: Player1 Player2"), std::string::npos)
      << out;
}

TEST_F(RaceCommandLine, AWindowClosedBeforeTheEndSaysInterrupted) {
  installTrack("meadow_loop.rst");
  app::RaceCommand command;
  command.track = "meadow_loop.rst";
  command.cars = 2;
  platform::launchSettings().headless = true;  // a real window, drawn offscreen
  platform::launchSettings().maxFrames = 5;    // closed long before the finish
  testing::internal::CaptureStdout();
  const int status = app::runRaceCommand(command);
  const std::string out = testing::internal::GetCapturedStdout();
  platform::launchSettings() = platform::LaunchSettings{};
  EXPECT_EQ(status, app::kInterruptedStatus) << out;
  EXPECT_NE(out.find("interrupted"), std::string::npos) << out;
  EXPECT_EQ(out.find("Pos.  Driver"), std::string::npos) << out;
}

TEST_F(RaceCommandLine, ATrackThatCannotBeReadIsNamedWithTheReason) {
  namespace fs = std::filesystem;
  const std::string folder = dir_.folder() + "tracks/folder.rst";
  fs::create_directories(folder);
  const std::string pipe = dir_.folder() + "pipe.rst";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  const std::string huge = dir_.write("huge.rst", std::string(9 * 1024 * 1024, ' '));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {folder, "is a directory"},
      {"folder.rst", "is a directory"},  // found in the tracks folder, then refused
      {pipe, "is a named pipe"},
      {huge, "larger than 8 MB"},
      {dir_.folder() + "missing.rst", "No such file"},
  };
  for (const auto& [track, reason] : cases) {
    app::RaceCommand command;
    command.track = track;
    command.headless = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(app::runRaceCommand(command), app::kFailureStatus) << track;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(reason), std::string::npos) << said;
    // The path named is the one tried, never the tracks folder glued to an absolute path.
    EXPECT_EQ(said.find("tracks/" + dir_.folder()), std::string::npos) << said;
  }

  // The background painter finds a bare name where the race does.
  installTrack("meadow_loop.rst");
  std::string error;
  EXPECT_EQ(app::resolveTrackArgument("meadow_loop.rst", &error),
            dir_.folder() + "tracks/meadow_loop.rst")
      << error;
}

}  // namespace
