#include <gtest/gtest.h>

#include <string>

#include "app/commands/RaceCommand.h"
#include "config/OptionKeys.h"
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
  EXPECT_EQ(app::runRaceCommand(command), 2);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Not finished after 10 simulated seconds: Player1 Player2"), std::string::npos)
      << out;
}

}  // namespace
