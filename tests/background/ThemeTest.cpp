#include <gtest/gtest.h>

#include <cstdint>

#include "SmallTrack.h"
#include "background/BackgroundGenerator.h"
#include "platform/Random.h"
#include "support/TestSupport.h"

namespace {

// FNV-1a over the pixels, row by row.
std::uint64_t pictureHash(const platform::Bitmap& picture) {
  std::uint64_t hash = 14695981039346656037ull;
  const std::size_t count = static_cast<std::size_t>(picture.width()) * picture.height();
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ picture.data()[i]) * 1099511628211ull;
  }
  return hash;
}

TEST(Themes, AFileWithoutAThemePaintsTheMeadowAsBefore) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  ASSERT_TRUE(track);
  platform::setFixedSeed(2008);
  BackgroundGenerator generator;
  ASSERT_TRUE(generator.step(*track, dir.folder() + "loop.png", {}, true));
  EXPECT_EQ(pictureHash(generator.picture()), 15025609943718731396ull);
}

}  // namespace
