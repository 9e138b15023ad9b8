#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "platform/SafeSave.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

TEST(SafeSave, ReplacesAFileWholeAndNeverAnythingButARegularFile) {
  testsupport::TempDir dir;
  const std::string file = dir.write("track.rst", "old");
  std::string error;
  ASSERT_TRUE(platform::saveTextSafely(file, "new", &error)) << error;
  EXPECT_EQ(testsupport::readFile(file), "new");

  // A writer that fails leaves the old file as it was, and no temporary file behind.
  EXPECT_FALSE(platform::saveFileSafely(
      file, [](const std::string&) { throw std::runtime_error("disk full"); }, &error));
  EXPECT_EQ(error, "disk full");
  EXPECT_EQ(testsupport::readFile(file), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  // A folder of that name is never replaced.
  fs::create_directories(dir.folder() + "folder.rst/inside");
  EXPECT_FALSE(platform::saveTextSafely(dir.folder() + "folder.rst", "x", &error));
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_directory(dir.folder() + "folder.rst/inside"));

  // Through a link, the file it names is replaced and the link stays.
  fs::create_symlink(file, dir.folder() + "link.rst");
  ASSERT_TRUE(platform::saveTextSafely(dir.folder() + "link.rst", "through", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir.folder() + "link.rst"));
  EXPECT_EQ(testsupport::readFile(file), "through");

  // A folder that does not exist: a reason, nothing written.
  EXPECT_FALSE(platform::saveTextSafely(dir.folder() + "missing/track.rst", "x", &error));
  EXPECT_FALSE(error.empty());
}
