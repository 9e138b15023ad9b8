#include <gtest/gtest.h>

#include <filesystem>

#include "config/IniFile.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

// Reads `text` as an INI file and returns the document; `ok` gets readFile's answer.
CIniFile readText(const TempDir& dir, const std::string& text, bool* ok = nullptr) {
  CIniFile ini(dir.write("test.ini", text));
  const bool result = ini.readFile();
  if (ok) *ok = result;
  return ini;
}

TEST(IniFileRead, SectionNamesKeepSpacesAndMatchInAnyCase) {
  TempDir dir;
  CIniFile ini = readText(dir, "[ AI ]\nskill=20\n");
  EXPECT_EQ(ini.getValueInt(" AI ", "skill", 0), 20);
  EXPECT_EQ(ini.getValueInt(" ai ", "SKILL", 0), 20);
  EXPECT_EQ(ini.getValue(" Ai ", "Skill", "x"), "20");
  // The spaces are part of the name.
  EXPECT_EQ(ini.getValueInt("AI", "skill", -1), -1);
  EXPECT_EQ(ini.keyName(0), " AI ");

  ini.setCaseInsensitive(false);
  EXPECT_EQ(ini.getValueInt(" ai ", "skill", -1), -1);
}

TEST(IniFileRead, LineSyntax) {
  TempDir dir;
  bool ok = false;
  CIniFile ini = readText(dir,
                          "[First]\n"
                          "a=b=c\n"
                          "=5\n"
                          "x;y=1\n"
                          "no marker here\n"
                          "[Unclosed\n"
                          "after=1\n"
                          "]backwards[\n"
                          "key = 42\n",
                          &ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(ini.numKeys(), 1u);  // the unclosed and backwards headers are ignored
  EXPECT_EQ(ini.getValue("First", "a"), "b=c");
  EXPECT_EQ(ini.getValue("First", ""), "5");
  EXPECT_EQ(ini.getValue("First", "after"), "1");
  ASSERT_EQ(ini.keyComments(0).size(), 1u);
  EXPECT_EQ(ini.keyComments(0)[0], "y=1");
  EXPECT_EQ(ini.findValue(0, "x"), CIniFile::noID);
  // No trimming: the name keeps its space, atoi skips the value's.
  EXPECT_EQ(ini.getValueInt("First", "key ", 0), 42);
  EXPECT_EQ(ini.getValueInt("First", "key", -1), -1);
}

TEST(IniFileRead, EmptyMissingAndCommentOnlyFilesGiveFalse) {
  TempDir dir;
  bool ok = true;
  CIniFile empty = readText(dir, "", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(empty.numKeys(), 0u);

  CIniFile missing(dir.folder() + "nothing.ini");
  EXPECT_FALSE(missing.readFile());
  EXPECT_EQ(missing.numKeys(), 0u);

  CIniFile comments = readText(dir, ";one\n# two\n\n", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(comments.numKeys(), 0u);
  ASSERT_EQ(comments.headerComments().size(), 2u);
  EXPECT_EQ(comments.headerComments()[1], " two");
}

TEST(IniFileRead, RepeatsAndKeysBeforeAnySection) {
  TempDir dir;
  CIniFile ini = readText(dir,
                          "top=1\n"
                          "[S]\n"
                          "k=1\n"
                          "other=2\n"
                          "K=3\n"
                          "[s]\n"
                          "late=4\n");
  ASSERT_EQ(ini.numKeys(), 3u);
  EXPECT_EQ(ini.keyName(0), "");
  EXPECT_EQ(ini.getValue("", "top"), "1");
  // A repeated key keeps its first place and takes the last value.
  ASSERT_EQ(ini.numValues(1), 3u);
  EXPECT_EQ(ini.valueName(1, 0), "k");
  EXPECT_EQ(ini.getValue("S", "k"), "3");
  // A repeated header adds an empty section; its keys go to the first one of that name.
  EXPECT_EQ(ini.getValue("S", "late"), "4");
  EXPECT_EQ(ini.numValues(2), 0u);
  EXPECT_EQ(ini.toText(), "[]\ntop=1\n\n[S]\nk=3\nother=2\nlate=4\n\n[s]\n\n");
}

TEST(IniFileRead, StopsAtANonPrintableFirstCharacter) {
  TempDir dir;
  testing::internal::CaptureStdout();
  bool ok = true;
  CIniFile ini = readText(dir, "[A]\nkept=1\r\n\tbad=2\n[B]\nlost=3\n", &ok);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char 9\n");
  EXPECT_FALSE(ok);
  EXPECT_EQ(ini.getValue("A", "kept"), "1");  // CR of the CRLF line dropped
  EXPECT_EQ(ini.findKey("B"), CIniFile::noID);

  // A byte above 127 prints as a signed 8-bit number (here a UTF-8 byte order mark).
  testing::internal::CaptureStdout();
  readText(dir, "\xEF\xBB\xBF[A]\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char -17\n");
}

TEST(IniFileValues, IntegersConvertLikeAtoi) {
  CIniFile ini;
  ini.setValue("S", "spaces", "  42");
  ini.setValue("S", "trailing", "-7laps");
  ini.setValue("S", "letters", "abc");
  ini.setValue("S", "empty", "");
  ini.setValue("S", "plus", "+3");
  EXPECT_EQ(ini.getValueInt("S", "spaces"), 42);
  EXPECT_EQ(ini.getValueInt("S", "trailing"), -7);
  EXPECT_EQ(ini.getValueInt("S", "letters", 9), 0);
  EXPECT_EQ(ini.getValueInt("S", "empty", 9), 0);
  EXPECT_EQ(ini.getValueInt("S", "plus"), 3);
  EXPECT_EQ(ini.getValueInt("S", "missing", -12), -12);
  EXPECT_EQ(ini.getValueInt("Nope", "x", 5), 5);

  ini.setValueInt("S", "negative", -15);
  EXPECT_EQ(ini.getValue("S", "negative"), "-15");
}

TEST(IniFileValues, SettersWithoutCreateTouchOnlyExistingEntries) {
  CIniFile ini;
  EXPECT_FALSE(ini.setValue("S", "k", "v", false));
  EXPECT_EQ(ini.numKeys(), 0u);
  EXPECT_TRUE(ini.setValue("S", "k", "v", true));
  EXPECT_FALSE(ini.setValue("S", "other", "v", false));
  EXPECT_TRUE(ini.setValue("s", "K", "w", false));
  EXPECT_EQ(ini.getValue("S", "k"), "w");
  EXPECT_EQ(ini.valueName(0, 0), "k");  // stored names keep their first spelling

  EXPECT_FALSE(ini.keyComment(1, "c"));
  EXPECT_FALSE(ini.keyComment("missing", "c"));
  EXPECT_TRUE(ini.keyComment("s", "c"));
}

TEST(IniFileWrite, RoundTripPutsCommentsFirst) {
  TempDir dir;
  CIniFile ini = readText(dir,
                          "# header\n"
                          "[ Options ]\n"
                          "nrLaps=3\n"
                          "# about laps\n"
                          "[Options]\n"
                          "other=x\n");
  ASSERT_TRUE(ini.writeFile());
  const std::string written = testsupport::readFile(ini.getPath());
  EXPECT_EQ(written, "; header\n\n[ Options ]\n; about laps\nnrLaps=3\n\n[Options]\nother=x\n\n");

  CIniFile again(ini.getPath());
  ASSERT_TRUE(again.readFile());
  EXPECT_EQ(again.toText(), written);
  EXPECT_EQ(again.getValue(" Options ", "nrLaps"), "3");
  EXPECT_EQ(again.getValue("Options", "other"), "x");
}

TEST(IniFileWrite, EmptyDocumentWritesEmptyFile) {
  TempDir dir;
  CIniFile ini(dir.write("old.ini", "[Old]\na=1\n"));
  ASSERT_TRUE(ini.writeFile());
  EXPECT_EQ(testsupport::readFile(ini.getPath()), "");
  EXPECT_TRUE(ini.lastError().empty());
}

TEST(IniFileWrite, FailedWriteKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string path = dir.write("options.ini", "[Old]\na=1\n");
  CIniFile ini(path);
  ini.setValue("New", "b", "2");

  // The temporary file cannot be created: the old file stays as it was.
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(ini.writeFile());
  EXPECT_NE(ini.lastError().find("options.ini.tmp"), std::string::npos);
  EXPECT_EQ(testsupport::readFile(path), "[Old]\na=1\n");

  // The target is a folder: the rename fails and no temporary file is left behind.
  const std::string folderTarget = dir.folder() + "folder.ini";
  std::filesystem::create_directories(folderTarget + "/inside");
  CIniFile onFolder(folderTarget);
  onFolder.setValue("S", "k", "v");
  EXPECT_FALSE(onFolder.writeFile());
  EXPECT_FALSE(onFolder.lastError().empty());
  EXPECT_TRUE(std::filesystem::is_directory(folderTarget + "/inside"));
  EXPECT_FALSE(std::filesystem::exists(folderTarget + ".tmp"));

  CIniFile noFolder(dir.folder() + "missing/options.ini");
  EXPECT_FALSE(noFolder.writeFile());
}

}  // namespace
