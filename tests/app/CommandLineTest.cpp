#include <gtest/gtest.h>

#include "app/CommandLine.h"

using app::CommandLine;
using app::parseCommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, NoArgumentsPlaysTheGame) {
  const CommandLine line = parseCommandLine({});
  EXPECT_EQ(line.action, Action::Play);
  EXPECT_FALSE(line.headless);
  EXPECT_EQ(line.frames, -1);
  EXPECT_FALSE(line.seed.has_value());
}

TEST(CommandLine, HeadlessRunWithEveryOption) {
  const CommandLine line = parseCommandLine({"--headless", "--frames", "120", "--screenshot",
                                             "shot.png", "--data", "/opt/kelvane", "--seed", "0"});
  ASSERT_EQ(line.action, Action::Play) << line.error;
  EXPECT_TRUE(line.headless);
  EXPECT_EQ(line.frames, 120);
  EXPECT_EQ(line.screenshot, "shot.png");
  EXPECT_EQ(line.dataDir, "/opt/kelvane");
  ASSERT_TRUE(line.seed.has_value());
  EXPECT_EQ(*line.seed, 0u);
  EXPECT_EQ(*parseCommandLine({"--seed", "4294967295"}).seed, 4294967295u);
}

TEST(CommandLine, VersionHelpAndTheRaceAndGeneratorCommands) {
  EXPECT_EQ(parseCommandLine({"--version"}).action, Action::Version);
  EXPECT_EQ(parseCommandLine({"--help"}).action, Action::Help);
  EXPECT_EQ(parseCommandLine({"--version", "--help"}).action, Action::Help);

  const CommandLine race = parseCommandLine(
      {"--race", "oval.rst", "--cars", "4", "--laps", "3", "--difficulty", "Hard", "--seed", "9"});
  ASSERT_EQ(race.action, Action::Race) << race.error;
  EXPECT_EQ(race.track, "oval.rst");
  EXPECT_EQ(race.cars, 4);
  EXPECT_EQ(race.laps, 3);
  EXPECT_EQ(race.level, "Hard");
  EXPECT_EQ(parseCommandLine({"--race", "oval.rst"}).level, "");  // the stored level

  const CommandLine generate = parseCommandLine({"--generate-background", "oval.rst", "out.png"});
  EXPECT_EQ(generate.action, Action::GenerateBackground);
  EXPECT_EQ(generate.output, "out.png");
  // The output is optional: a following option is not taken for it.
  const CommandLine noOutput =
      parseCommandLine({"--generate-background", "oval.rst", "--seed", "3"});
  ASSERT_EQ(noOutput.action, Action::GenerateBackground) << noOutput.error;
  EXPECT_EQ(noOutput.output, "");
  EXPECT_EQ(*noOutput.seed, 3u);
}

TEST(CommandLine, MistakesAreErrorsWithAReason) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--bogus"},
      {"play"},
      {"--frames"},
      {"--frames", "0"},
      {"--frames", "-5"},
      {"--frames", "12x"},
      {"--frames", ""},
      {"--frames", "99999999999999999999999"},
      {"--seed", "4294967296"},
      {"--seed", "-1"},
      {"--screenshot"},
      {"--data", ""},
      {"--race"},
      {"--race", "a.rst", "--cars", "0"},
      {"--cars", "3"},  // without --race
      {"--race", "a.rst", "--difficulty"},
      {"--race", "a.rst", "--difficulty", "nightmare"},
      {"--difficulty", "easy"},  // without --race
      {"--generate-background"},
  };
  for (const auto& args : wrong) {
    const CommandLine line = parseCommandLine(args);
    EXPECT_EQ(line.action, Action::Error) << args[0];
    EXPECT_FALSE(line.error.empty()) << args[0];
  }
  EXPECT_NE(parseCommandLine({"--bogus"}).error.find("--bogus"), std::string::npos);
  EXPECT_EQ(app::kUsageErrorStatus, 2);
}

TEST(CommandLine, OneLapLimitOneActionAndNoEmptyNames) {
  // The race setup allows 1 to 99 laps; so does the command line, and the refusal says so.
  EXPECT_EQ(parseCommandLine({"--race", "a.rst", "--laps", "99"}).laps, 99);
  for (const char* laps : {"0", "100", "500"}) {
    const CommandLine line = parseCommandLine({"--race", "a.rst", "--laps", laps});
    EXPECT_EQ(line.action, Action::Error) << laps;
    EXPECT_NE(line.error.find("from 1 to 99"), std::string::npos) << line.error;
  }
  EXPECT_NE(parseCommandLine({"--race", "a.rst", "--cars", "0"}).error.find("from 1 to 1000"),
            std::string::npos);

  // Two jobs on one line would run only one of them.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--race", "a.rst", "--generate-background", "b.rst"},
        std::vector<std::string>{"--generate-background", "b.rst", "--race", "a.rst"},
        std::vector<std::string>{"--race", "a.rst", "--race", "b.rst"}}) {
    const CommandLine line = parseCommandLine(args);
    EXPECT_EQ(line.action, Action::Error) << args[2];
    EXPECT_NE(line.error.find("not together"), std::string::npos) << line.error;
  }

  // An empty OUT would fall back to the track's own picture; an empty TRACK names nothing.
  EXPECT_EQ(parseCommandLine({"--generate-background", "a.rst", ""}).action, Action::Error);
  EXPECT_EQ(parseCommandLine({"--generate-background", ""}).action, Action::Error);
  EXPECT_EQ(parseCommandLine({"--race", ""}).action, Action::Error);
}
