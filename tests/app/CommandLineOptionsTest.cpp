#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "app/CommandLine.h"
#include "support/ManPage.h"
#include "support/TestSupport.h"

using app::CommandLine;
using app::parseCommandLine;

namespace {

// Every "--word" (or "\-\-word" in roff) that a text mentions.
std::set<std::string> optionsMentioned(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> options;
  const std::regex option(R"((^|[^\w-])(--[a-z][a-z-]*))");
  for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) {
    options.insert((*it)[2]);
  }
  return options;
}

// Arguments that make `option` valid on its own.
std::vector<std::string> exampleUse(const std::string& option) {
  if (option == "--frames" || option == "--seed") return {option, "3"};
  if (option == "--cars" || option == "--laps") return {"--race", "a.rst", option, "3"};
  if (option == "--difficulty") return {"--race", "a.rst", option, "hard"};
  if (option == "--screenshot" || option == "--data" || option == "--race" ||
      option == "--generate-background") {
    return {option, "x"};
  }
  return {option};
}

const std::set<std::string> kEveryOption = {
    "--help",    "--version", "--headless", "--frames", "--screenshot", "--data",
    "--seed",    "--race",    "--cars",     "--laps",   "--difficulty", "--generate-background",
    "--records",
};

}  // namespace

TEST(CommandLineDocs, ManPageOptionsAreTheParsersTableWithTheSameArguments) {
  const auto documented = testsupport::manPageOptions(
      testsupport::readFile(std::string(KELVANE_SOURCE_DIR) + "/packaging/kelvane.6"));
  std::map<std::string, std::pair<std::string, std::string>> table;
  for (const app::CommandLineOption& option : app::commandLineOptions())
    table[option.name] = {option.shortName ? option.shortName : "", option.argument};
  EXPECT_EQ(documented, table);
  EXPECT_EQ(documented.size(), 13u);
}

TEST(CommandLineDocs, HelpAndManPageListExactlyTheOptionsTheParserTakes) {
  const std::string manPage =
      testsupport::readFile(std::string(KELVANE_SOURCE_DIR) + "/packaging/kelvane.6");
  ASSERT_FALSE(manPage.empty());
  for (const auto& [name, text] :
       {std::pair{"--help", app::usageText()}, std::pair{"kelvane.6", manPage}}) {
    const std::set<std::string> mentioned = optionsMentioned(text);
    for (const std::string& option : kEveryOption) {
      EXPECT_EQ(mentioned.count(option), 1u) << name << " does not list " << option;
    }
    // Nothing documented that the parser would reject as unknown.
    for (const std::string& option : mentioned) {
      const CommandLine line = parseCommandLine(exampleUse(option));
      EXPECT_EQ(line.error.find("unknown option"), std::string::npos)
          << name << " documents " << option << ", which the parser does not know";
    }
  }
  for (const std::string& option : kEveryOption) {
    const CommandLine line = parseCommandLine(exampleUse(option));
    EXPECT_NE(line.action, CommandLine::Action::Error) << option << ": " << line.error;
  }
  EXPECT_EQ(parseCommandLine({"-h"}).action, CommandLine::Action::Help);
}

TEST(CommandLineDocs, UnknownOptionsAndStrayWordsAreRejectedWithTheirName) {
  for (const std::string arg : {"--fullscreen", "-x", "--Help", "--data=/tmp", "race"}) {
    const CommandLine line = parseCommandLine({arg});
    EXPECT_EQ(line.action, CommandLine::Action::Error) << arg;
    EXPECT_NE(line.error.find(arg), std::string::npos) << line.error;
  }
  EXPECT_EQ(app::kUsageErrorStatus, 2);
}
