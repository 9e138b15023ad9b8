#include <gtest/gtest.h>

#include <filesystem>
#include <chrono>
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
