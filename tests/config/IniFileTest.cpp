#include <gtest/gtest.h>

#include <filesystem>

#include "config/IniFile.h"
#include "support/TestSupport.h"

namespace {

using testsupport::TempDir;

config::CIniFile readText(const TempDir& dir, const std::string& text, bool* ok = nullptr) {
  config::CIniFile ini(dir.write("test.ini", text));
  const bool result = ini.readFile();
  if (ok) *ok = result;
  return ini;
}

TEST(IniFileRead, NamesMatchInAnyCaseButSpacesCount) {
  TempDir dir;
  config::CIniFile ini = readText(dir, "[ AI ]\nskill=20\nkey = 42\n");
  EXPECT_EQ(ini.getValueInt(" ai ", "SKILL", 0), 20);
  EXPECT_EQ(ini.getValueInt("AI", "skill", -1), -1);
  // No trimming: the name keeps its space, and atoi skips the value's.
  EXPECT_EQ(ini.getValueInt(" AI ", "key ", 0), 42);
  EXPECT_EQ(ini.getValueInt(" AI ", "key", -1), -1);
  ini.setCaseInsensitive(false);
  EXPECT_EQ(ini.getValueInt(" ai ", "skill", -1), -1);
}

TEST(IniFileRead, LineSyntax) {
  TempDir dir;
  bool ok = false;
  config::CIniFile ini =
      readText(dir, "[First]\na=b=c\n=5\nx;y=1\nno marker\n[Unclosed\nafter=1\n]x[\n", &ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(ini.numKeys(), 1u);  // the unclosed and backwards headers are ignored
  EXPECT_EQ(ini.getValue("First", "a"), "b=c");
  EXPECT_EQ(ini.getValue("First", ""), "5");
  EXPECT_EQ(ini.getValue("First", "after"), "1");
  EXPECT_EQ(ini.keyComments(0), std::vector<std::string>{"y=1"});
  EXPECT_EQ(ini.findValue(0, "x"), config::CIniFile::noID);
}

TEST(IniFileRead, EmptyMissingAndCommentOnlyFilesGiveFalse) {
  TempDir dir;
  bool ok = true;
  EXPECT_EQ(readText(dir, "", &ok).numKeys(), 0u);
  EXPECT_FALSE(ok);
  config::CIniFile missing(dir.folder() + "nothing.ini");
  EXPECT_FALSE(missing.readFile());
  config::CIniFile comments = readText(dir, ";one\n# two\n\n", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(comments.headerComments(), (std::vector<std::string>{"one", " two"}));
}

TEST(IniFileRead, RepeatsAndKeysBeforeAnySection) {
  TempDir dir;
  config::CIniFile ini = readText(dir, "top=1\n[S]\nk=1\nother=2\nK=3\n[s]\nlate=4\n");
  // A repeated key keeps its first place and takes the last value; a repeated header adds an
  // empty section whose keys go to the first one of that name.
  EXPECT_EQ(ini.toText(), "[]\ntop=1\n\n[S]\nk=3\nother=2\nlate=4\n\n[s]\n\n");
}

TEST(IniFileRead, PassesOverALineWithANonPrintableFirstCharacterOnly) {
  TempDir dir;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  bool ok = true;
  config::CIniFile ini = readText(dir, "[A]\nkept=1\r\n\tbad=2\n[B]\nafter=3\n", &ok);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char 9\n");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("line 3"), std::string::npos);
  EXPECT_FALSE(ok);  // the caller learns that a line was lost
  EXPECT_EQ(ini.badLines(), 1);
  EXPECT_EQ(ini.getValue("A", "kept"), "1");  // CR of the CRLF line dropped
  EXPECT_EQ(ini.getValue("A", "\tbad"), "");
  EXPECT_EQ(ini.getValue("B", "after"), "3");

  // Bytes above 127 print as signed 8-bit numbers.
  testing::internal::CaptureStdout();
  readText(dir, "[A]\n\xC3\xA9t\xC3\xA9=1\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char -61\n");
}

TEST(IniFileRead, AByteOrderMarkAndExtraCarriageReturnsAreNotPartOfTheSettings) {
  TempDir dir;
  bool ok = false;
  config::CIniFile ini = readText(dir, "\xEF\xBB\xBF[A]\r\r\nk=v\r\r\n", &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ini.getValue("A", "k"), "v");
}

TEST(IniFileValues, IntegersConvertLikeAtoi) {
  config::CIniFile ini;
  const std::pair<const char*, int> cases[] = {
      {"  42", 42}, {"-7laps", -7}, {"+3", 3}, {"abc", 0}, {"", 0}, {"99999999999", 2147483647}};
  for (const auto& [text, expected] : cases) {
    ini.setValue("S", "k", text);
    EXPECT_EQ(ini.getValueInt("S", "k", 9), expected) << text;
  }
  EXPECT_EQ(ini.getValueInt("S", "missing", -12), -12);
  EXPECT_FALSE(ini.setValue("S", "new", "v", false));
  ini.setValueInt("S", "negative", -15);
  EXPECT_EQ(ini.getValue("s", "NEGATIVE"), "-15");
}

TEST(IniFileWrite, RoundTripPutsCommentsFirst) {
  TempDir dir;
  config::CIniFile ini =
      readText(dir, "# header\n[ Options ]\nnrLaps=3\n# laps\n[Options]\nother=x\n");
  ASSERT_TRUE(ini.writeFile());
  const std::string written = testsupport::readFile(ini.getPath());
  EXPECT_EQ(written, "; header\n\n[ Options ]\n; laps\nnrLaps=3\n\n[Options]\nother=x\n\n");
  config::CIniFile again(ini.getPath());
  ASSERT_TRUE(again.readFile());
  EXPECT_EQ(again.toText(), written);

  config::CIniFile empty(ini.getPath());
  ASSERT_TRUE(empty.writeFile());
  EXPECT_EQ(testsupport::readFile(ini.getPath()), "");
}

TEST(IniFileWrite, FailedWriteKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string path = dir.write("options.ini", "[Old]\na=1\n");
  config::CIniFile ini(path);
  ini.setValue("New", "b", "2");
  // The new file cannot be written in full (a full disk, a file-size limit): the old file stays
  // as it was.
  {
    testsupport::FileSizeLimit limit(4);
    EXPECT_FALSE(ini.writeFile());
  }
  EXPECT_NE(ini.lastError().find("options.ini"), std::string::npos);
  EXPECT_EQ(testsupport::readFile(path), "[Old]\na=1\n");

  // The target is a folder: the rename fails and no temporary file is left behind.
  const std::string folder = dir.folder() + "folder.ini";
  std::filesystem::create_directories(folder + "/inside");
  config::CIniFile onFolder(folder);
  EXPECT_FALSE(onFolder.writeFile());
  EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
  EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
}

}  // namespace
