#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "support/TestSupport.h"

namespace {

void put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put16(std::string& s, std::uint16_t v) {
  s.push_back(static_cast<char>(v & 0xff));
  s.push_back(static_cast<char>(v >> 8));
}

// A mono 16-bit PCM WAV of `samples` frames of a square wave.
std::string squareWave(std::uint32_t samples) {
  std::string wav = "RIFF";
  put32(wav, 36 + samples * 2);
  wav += "WAVEfmt ";
  put32(wav, 16);
  put16(wav, 1);
  put16(wav, 1);
  put32(wav, 22050);
  put32(wav, 44100);
  put16(wav, 2);
  put16(wav, 16);
  wav += "data";
  put32(wav, samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i) put16(wav, (i / 50) % 2 ? 8000 : 0xE0C0);
  return wav;
}

class AudioTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }
};

}  // namespace

TEST_F(AudioTest, BrokenOrMissingFilesThrowNamingThem) {
  platform::Audio audio;
  testsupport::TempDir dir;
  const std::string broken = dir.write("broken.wav", "RIFF nonsense");
  for (const std::string& path : {dir.folder() + "missing.wav", broken}) {
    try {
      platform::Sample sample(audio, path);
      FAIL() << path;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
  }
}

TEST_F(AudioTest, RunningOutOfChannelsDropsSoundsAndOldHandlesLoseTheirChannel) {
  platform::Audio audio;
  if (!audio.available()) GTEST_SKIP() << "no sound device, not even a dummy one";
  testsupport::TempDir dir;
  platform::Sample sample(audio, dir.write("tone.wav", squareWave(22050 * 10)));

  std::vector<platform::SampleInstance> playing;
  int dropped = 0;
  for (int i = 0; i < 100; ++i) {
    auto instance = sample.play(i % 2 ? -0.5 : 0.5, 0.2);
    if (instance.playing()) {
      playing.push_back(instance);
    } else {
      ++dropped;
    }
  }
  EXPECT_GE(playing.size(), 32u);
  EXPECT_GT(dropped, 0);

  // Stop the first sound, let a new one take its channel: the old handle must not reach it.
  const platform::SampleInstance old = playing.front();
  old.stop();
  EXPECT_FALSE(old.playing());
  const platform::SampleInstance fresh = sample.play();
  ASSERT_TRUE(fresh.playing());
  old.stop();
  old.changeVolume(0);
  EXPECT_TRUE(fresh.playing());
  EXPECT_FALSE(old.playing());
  fresh.changePan(-1);
  fresh.changeVolume(0.3);
  fresh.stop();
  EXPECT_FALSE(fresh.playing());
}

TEST_F(AudioTest, WithoutADeviceEverythingIsSilentButBrokenFilesAreStillFound) {
  const char* saved = std::getenv("SDL_AUDIODRIVER");
  const std::string savedDriver = saved != nullptr ? saved : "";
  setenv("SDL_AUDIODRIVER", "kelvane-no-such-driver", 1);
  testsupport::TempDir dir;
  {
    platform::Audio audio;
    EXPECT_FALSE(audio.available());
    platform::Sample sample(audio, dir.write("tone.wav", squareWave(2205)));
    const platform::SampleInstance instance = sample.play(0.3, 0.5);
    EXPECT_FALSE(instance.playing());
    instance.changeVolume(1);
    EXPECT_THROW(platform::Sample(audio, dir.write("bad.wav", "RIFF")), std::runtime_error);
  }
  setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
  if (savedDriver.empty()) unsetenv("SDL_AUDIODRIVER");
}

TEST(Audio, TheMasterVolumeIsKeptInRangeEvenWithoutADevice) {
  platform::Audio audio;
  audio.setMasterVolume(0.4);
  EXPECT_DOUBLE_EQ(audio.masterVolume(), 0.4);
  audio.setMasterVolume(3.0);
  EXPECT_DOUBLE_EQ(audio.masterVolume(), 1.0);
  audio.setMasterVolume(1.0);
}
