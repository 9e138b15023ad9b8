#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/Desktop.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

TEST(Paths, ProgramFolderEndsWithASlashAndCanBeSet) {
  const std::string original = platform::programFolder();
  ASSERT_FALSE(original.empty());
  EXPECT_EQ(original.back(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(original));
  platform::setProgramFolder("/tmp/kelvane-data");
  EXPECT_EQ(platform::programFolder(), "/tmp/kelvane-data/");
  platform::setProgramFolder("/tmp/kelvane-data/");
  EXPECT_EQ(platform::programFolder(), "/tmp/kelvane-data/");
  platform::setProgramFolder(original);
}

TEST(Desktop, StartsProgramsBesideTheExecutableFirstAndReportsMissingOnes) {
  testsupport::TempDir dir;
  const std::string original = platform::programFolder();
  platform::setProgramFolder(dir.folder());
  const std::string marker = dir.folder() + "ran";
  const std::string script = dir.write("editor", "#!/bin/sh\ntouch \"$1\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);

  std::string error;
  // Named the Windows way, found without the extension beside the executable.
  EXPECT_TRUE(platform::startProgram("editor.exe", {marker}, &error)) << error;
  for (int i = 0; i < 300 && !std::filesystem::exists(marker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(std::filesystem::exists(marker));

  EXPECT_FALSE(platform::startProgram("kelvane-no-such-program", {}, &error));
  EXPECT_NE(error.find("kelvane-no-such-program"), std::string::npos);

  // A file that exists but cannot be executed is reported, not silently lost in a child.
  const std::string broken = dir.write("broken", "not a program");
  std::filesystem::permissions(broken, std::filesystem::perms::owner_all);
  EXPECT_FALSE(platform::startProgram("broken", {}, &error));
  platform::setProgramFolder(original);
}

TEST(Desktop, OpenDocumentHandsThePathToTheOpenerAsOneArgument) {
  testsupport::TempDir dir;
  const std::string log = dir.folder() + "args";
  // A stand-in opener on a PATH of its own records what it was given.
  const std::string opener =
      dir.write("bin/xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + log + ".part\"\n" +
                                    "/bin/mv \"" + log + ".part\" \"" + log + "\"\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  const char* oldPath = std::getenv("PATH");
  const std::string savedPath = oldPath != nullptr ? oldPath : "";
  setenv("PATH", (dir.folder() + "bin").c_str(), 1);

  const std::string document = dir.folder() + "help; touch injected.html";
  std::string error;
  const bool opened = platform::openDocument(document, &error);
  setenv("PATH", savedPath.c_str(), 1);
  ASSERT_TRUE(opened) << error;
  for (int i = 0; i < 300 && !std::filesystem::exists(log); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(testsupport::readFile(log), "1|" + document + "|");
  EXPECT_FALSE(std::filesystem::exists(dir.folder() + "injected.html"));

  setenv("PATH", (dir.folder() + "nothing-here").c_str(), 1);
  EXPECT_FALSE(platform::openDocument(document, &error));
  setenv("PATH", savedPath.c_str(), 1);
  EXPECT_NE(error.find("xdg-open"), std::string::npos);
}
