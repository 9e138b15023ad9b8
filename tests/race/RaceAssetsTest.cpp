#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RaceFixture.h"
#include "gui/Sprite.h"
#include "platform/Bitmap.h"
#include "platform/Image.h"
#include "race/RaceAssets.h"
#include "support/TestSupport.h"

namespace {

std::uint32_t readLittle(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

TEST(EngineSample, SixteenBitPcmThatLoopsWithoutAClick) {
  const std::string wav = testsupport::readFile(testsupport::dataDir() + "sound/viper_offhigh.wav");
  ASSERT_GT(wav.size(), 44u);
  ASSERT_EQ(wav.substr(0, 4), "RIFF");
  ASSERT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(readLittle(wav, 20, 2), 1u);  // PCM
  const std::uint32_t channels = readLittle(wav, 22, 2);
  EXPECT_EQ(readLittle(wav, 24, 4), 44100u);
  EXPECT_EQ(readLittle(wav, 34, 2), 16u);
  ASSERT_EQ(wav.substr(36, 4), "data");
  const std::uint32_t bytes = readLittle(wav, 40, 4);
  ASSERT_EQ(wav.size(), 44u + bytes);
  const std::size_t frames = bytes / (2 * channels);
  EXPECT_GE(frames, 44100u);       // at least a second
  EXPECT_LE(frames, 2u * 44100u);  // at most two

  std::vector<int> samples(frames);
  for (std::size_t i = 0; i < frames; ++i)
    samples[i] = static_cast<std::int16_t>(readLittle(wav, 44 + i * 2 * channels, 2));
  long long stepSum = 0;
  int loudest = 0;
  for (std::size_t i = 1; i < frames; ++i) {
    stepSum += std::abs(samples[i] - samples[i - 1]);
    loudest = std::max(loudest, std::abs(samples[i]));
  }
  const double meanStep = static_cast<double>(stepSum) / static_cast<double>(frames - 1);
  // From the last sample back to the first is no bigger a jump than the sound makes anyway.
  EXPECT_LE(std::abs(samples.front() - samples.back()), 2 * meanStep);
  EXPECT_GT(loudest, 8000);  // audible, not silence
}

TEST(CarPicture, SmallLightAndRoundedForTinting) {
  const platform::Bitmap car =
      platform::Bitmap::loadPng(testsupport::dataDir() + "images/cars/enzo.png");
  EXPECT_EQ(car.width(), 17);  // the car's length along x
  EXPECT_EQ(car.height(), 8);
  EXPECT_EQ(platform::alphaOf(car.getPixel(0, 0)), 0);  // corners see the road through
  EXPECT_EQ(platform::alphaOf(car.getPixel(16, 7)), 0);
  int light = 0, opaque = 0;
  for (int y = 0; y < car.height(); ++y)
    for (int x = 0; x < car.width(); ++x) {
      const platform::Color c = car.getPixel(x, y);
      if (platform::alphaOf(c) != 255) continue;
      ++opaque;
      light += platform::redOf(c) > 180 && platform::greenOf(c) > 180 && platform::blueOf(c) > 180;
    }
  // Most of the body is near white, so the player's colour shows true.
  EXPECT_GT(light * 2, opaque);
}

using RaceAssetFiles = RaceFixture;

TEST_F(RaceAssetFiles, PathsNameTheShippedFilesAndMissingOnesFallBackOrStayOut) {
  namespace fs = std::filesystem;
  EXPECT_TRUE(fs::is_regular_file(race::carPicturePath(race::kDefaultCarPicture)));
  EXPECT_TRUE(fs::is_regular_file(race::engineSamplePath()));
  for (const char* name :
       {race::kPowerBarPicture, race::kBrakeBarPicture, race::kThrottleBarPicture,
        race::kSteerBarPicture, race::kWheelIndicatorPicture}) {
    EXPECT_TRUE(fs::is_regular_file(gui::guiImagePath(name))) << name;
    EXPECT_NE(race::loadInstrumentPicture(*graphics_, name), nullptr) << name;
  }
  EXPECT_NE(race::loadEngineSample(*audio_), nullptr);

  // A player's picture that is gone: the shipped car is drawn instead.
  const auto car = race::loadCarPicture(*graphics_, "no_such_car.png");
  ASSERT_NE(car, nullptr);
  EXPECT_EQ(car->width(), 17);
  EXPECT_EQ(race::loadInstrumentPicture(*graphics_, "no_such_bar.png"), nullptr);
  fs::remove(race::engineSamplePath());
  EXPECT_EQ(race::loadEngineSample(*audio_), nullptr);
  fs::remove(race::carPicturePath(race::kDefaultCarPicture));
  EXPECT_THROW(race::loadCarPicture(*graphics_, "no_such_car.png"), std::exception);
}

TEST_F(RaceAssetFiles, AMissingEmptyOrBrokenEngineSoundRacesSilentAndSaysWhy) {
  installTrack("meadow_loop.rst");
  setOptions(1, 1, 1);
  config::Options::instance()->setOptionInt("sound", 1);
  EXPECT_TRUE(makeRace("meadow_loop.rst").startRace());
  EXPECT_EQ(race_->soundProblem(), "");

  const std::string sample = race::engineSamplePath();
  for (const std::string& contents : {std::string(), std::string("RIFF, but not a sound")}) {
    testsupport::TempDir scratch;
    std::filesystem::copy_file(scratch.write("s.wav", contents), sample,
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(makeRace("meadow_loop.rst").startRace()) << race_->lastError();
    EXPECT_NE(race_->soundProblem().find("viper_offhigh.wav"), std::string::npos)
        << race_->soundProblem();
  }
  std::filesystem::remove(sample);
  ASSERT_TRUE(makeRace("meadow_loop.rst").startRace());
  EXPECT_EQ(race_->soundProblem().rfind("No engine sound: ", 0), 0u) << race_->soundProblem();

  // With sound off nothing is missed.
  config::Options::instance()->setOptionInt("sound", 0);
  ASSERT_TRUE(makeRace("meadow_loop.rst").startRace());
  EXPECT_EQ(race_->soundProblem(), "");
}

}  // namespace
