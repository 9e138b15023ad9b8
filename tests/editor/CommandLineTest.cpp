// The editor's command line, its --help and its manual page.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/EditorCommandLine.h"
#include "support/ManPage.h"
#include "support/TestSupport.h"

namespace {

using editor::EditorCommandLine;
using editor::parseEditorCommandLine;
using Action = EditorCommandLine::Action;

TEST(EditorCommandLine, ReadsTheWindowOptionsOfTheGameATrackAndTheFileCommands) {
  const EditorCommandLine edit = parseEditorCommandLine(
      {"--headless", "--frames", "20", "--screenshot", "shot.png", "--data", "/opt/k", "a.rst"});
  EXPECT_EQ(edit.action, Action::Edit);
  EXPECT_TRUE(edit.headless);
  EXPECT_EQ(edit.frames, 20);
  EXPECT_EQ(edit.screenshot, "shot.png");
  EXPECT_EQ(edit.dataDir, "/opt/k");
  EXPECT_EQ(edit.track, "a.rst");

  const EditorCommandLine check = parseEditorCommandLine({"--check", "b.rst"});
  EXPECT_EQ(check.action, Action::Check);
  EXPECT_EQ(check.track, "b.rst");
  const EditorCommandLine saveAs = parseEditorCommandLine({"--save-as", "out.rst", "in.rst"});
  EXPECT_EQ(saveAs.action, Action::SaveAs);
  EXPECT_EQ(saveAs.output, "out.rst");
  EXPECT_EQ(saveAs.track, "in.rst");
  EXPECT_EQ(parseEditorCommandLine({"-h"}).action, Action::Help);
  EXPECT_EQ(parseEditorCommandLine({"--version"}).action, Action::Version);
  EXPECT_EQ(parseEditorCommandLine({}).action, Action::Edit);

  for (const auto& wrong : std::vector<std::vector<std::string>>{{"--frames", "0"},
                                                                 {"--frames"},
                                                                 {"--race", "a.rst"},
                                                                 {"a.rst", "b.rst"},
                                                                 {"--save-as", "out.rst"},
                                                                 {"--check"}}) {
    const EditorCommandLine line = parseEditorCommandLine(wrong);
    EXPECT_EQ(line.action, Action::Error) << wrong.front();
    EXPECT_FALSE(line.error.empty());
  }
  EXPECT_NE(parseEditorCommandLine({"--fly"}).error.find("--fly"), std::string::npos);
  EXPECT_EQ(editor::kUsageErrorStatus, 2);
}

TEST(EditorCommandLine, HelpAndManPageListTheParsersTableWithTheSameArguments) {
  const std::string page =
      testsupport::readFile(std::string(KELVANE_SOURCE_DIR) + "/packaging/solvern.6");
  std::map<std::string, std::pair<std::string, std::string>> table;
  const std::string help = editor::editorUsageText();
  for (const editor::EditorOption& option : editor::editorOptions()) {
    table[option.name] = {option.shortName ? option.shortName : "", option.argument};
    EXPECT_NE(help.find(option.name), std::string::npos) << option.name;
  }
  EXPECT_EQ(testsupport::manPageOptions(page), table);
}

}  // namespace
