#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Bitmap.h"
#include "support/TestSupport.h"

using platform::Bitmap;

TEST(Bitmap, ResizeFillsEveryPixel) {
  Bitmap bitmap(3, 2, 0x11223344u);
  bitmap.setPixel(2, 1, 0xffffffffu);
  bitmap.resize(5, 4, 0xff00ff00u);
  ASSERT_EQ(bitmap.width(), 5);
  ASSERT_EQ(bitmap.height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(bitmap.getPixel(x, y), 0xff00ff00u);
  }
}

TEST(Bitmap, PngRoundTripKeepsEveryChannelIncludingAlpha) {
  testsupport::TempDir dir;
  Bitmap original(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      original.setPixel(x, y, platform::argb(255 - x * 30, x * 36, y * 60, (x * y * 13) & 0xff));
    }
  }
  original.setPixel(0, 0, 0x00000000u);  // fully transparent survives too
  const std::string path = dir.folder() + "round trip.png";
  original.savePng(path);
  const Bitmap loaded = Bitmap::loadPng(path);
  ASSERT_EQ(loaded.width(), 7);
  ASSERT_EQ(loaded.height(), 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded.getPixel(x, y), original.getPixel(x, y));
  }
}

TEST(Bitmap, SaveOverwritesAnExistingPicture) {
  testsupport::TempDir dir;
  const std::string path = dir.folder() + "p.png";
  Bitmap(2, 2, 0xff0000ffu).savePng(path);
  Bitmap(3, 1, 0xffff0000u).savePng(path);
  EXPECT_EQ(Bitmap::loadPng(path).width(), 3);
}

TEST(Bitmap, FailedSaveThrowsNamingTheFileAndLeavesNothingBehind) {
  testsupport::TempDir dir;
  // The target is a folder that cannot be replaced: the temporary file is written, the rename
  // fails, and no stray file may remain.
  const std::string blocked = dir.folder() + "taken.png";
  std::filesystem::create_directory(blocked);
  dir.write("taken.png/inside", "x");
  try {
    Bitmap(2, 2, 0xffffffffu).savePng(blocked);
    FAIL() << "saving over a folder must fail";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("taken.png"), std::string::npos);
  }
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);

  const std::string missingFolder = dir.folder() + "no/such/folder/p.png";
  EXPECT_THROW(Bitmap(2, 2).savePng(missingFolder), std::runtime_error);
  EXPECT_THROW(Bitmap().savePng(dir.folder() + "empty.png"), std::runtime_error);
}

TEST(Bitmap, LoadingAMissingOrBrokenFileThrowsNamingIt) {
  testsupport::TempDir dir;
  const std::string broken = dir.write("broken.png", "this is not a picture");
  for (const std::string& path : {dir.folder() + "missing.png", broken}) {
    try {
      Bitmap::loadPng(path);
      FAIL() << path;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
  }
}
