#include <gtest/gtest.h>

#include <filesystem>

#include "app/commands/GenerateCommand.h"
#include "platform/Bitmap.h"
#include "support/SmallTrack.h"
#include "support/TestSupport.h"

namespace {

TEST(GenerateCommand, SavesBesideTheTrackAndSaysWhere) {
  testsupport::TempDir dir;
  // A dot in the folder's name: only the file's ".rst" becomes ".png".
  const std::string track = dir.write("b.c/loop.rst", bgtest::roundedLoopText());
  testing::internal::CaptureStdout();
  EXPECT_EQ(app::generateBackgroundCommand(track, ""), 0);
  const std::string said = testing::internal::GetCapturedStdout();
  const std::string picture = dir.folder() + "b.c/loop.png";
  EXPECT_NE(said.find(picture), std::string::npos);
  ASSERT_TRUE(std::filesystem::exists(picture));
  EXPECT_GT(platform::Bitmap::loadPng(picture).width(), 500);

  testing::internal::CaptureStderr();
  EXPECT_EQ(app::generateBackgroundCommand(track, dir.folder() + "none/x.png"), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("none/x.png"), std::string::npos);
}

TEST(GenerateCommand, UnloadableTrackIsNamed) {
  testsupport::TempDir dir;
  const std::string missing = dir.folder() + "nothing.rst";
  testing::internal::CaptureStderr();
  EXPECT_EQ(app::generateBackgroundCommand(missing, ""), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find(missing), std::string::npos);
}

TEST(GenerateCommand, AnOutThatIsNotARegularFileIsRefusedAndLeftAsItWas) {
  testsupport::TempDir dir;
  const std::string track = dir.write("loop.rst", bgtest::roundedLoopText());
  std::filesystem::create_directories(dir.path() / "taken.png" / "inside");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(app::generateBackgroundCommand(track, dir.folder() + "taken.png"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("is a directory, not a regular file"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.png" / "inside"));
}

}  // namespace
