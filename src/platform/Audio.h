#pragma once
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The sound device. Without a usable device (no hardware, a remote display, dummy audio in
// tests) it says so once on standard error and every sound is silent.
class Audio {
 public:
  Audio();
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;
  bool available() const { return available_; }

  // The loudness of everything played, 0 (silent) .. 1 (as each sound asks), at once for the
  // sounds already playing too. Kept while the device is silent, and applied if one opens.
  void setMasterVolume(double volume);
  double masterVolume() const;

 private:
  bool available_ = false;
};

// A handle to one playing sound. A default handle (or one from a silent device) never plays.
class SampleInstance {
 public:
  SampleInstance() = default;
  SampleInstance(int channel, unsigned generation) : channel_(channel), generation_(generation) {}
  bool playing() const;
  // -1 full left .. 1 full right.
  void changePan(double pan) const;
  // 0 .. 1.
  void changeVolume(double volume) const;
  void stop() const;

 private:
  int channel_ = -1;
  unsigned generation_ = 0;
};

// A sound loaded from a WAV file.
class Sample {
 public:
  // Throws std::runtime_error naming the file when it cannot be read (also on a silent device,
  // so a broken file is found even where nothing can be heard).
  Sample(Audio& audio, const std::string& path);
  // A sound the game makes itself: mono samples -1 .. 1 at `sampleRate` per second (44100).
  Sample(Audio& audio, const std::vector<float>& wave, int sampleRate);
  ~Sample();
  Sample(const Sample&) = delete;
  Sample& operator=(const Sample&) = delete;

  // Pan -1..1, volume 0..1, speed 1 = as recorded. Running out of channels gives a handle that
  // does not play; it never blocks or fails.
  SampleInstance play(double pan = 0.0, double volume = 1.0, double speed = 1.0) const;

  struct Chunk;

 private:
  Audio& audio_;
  std::unique_ptr<Chunk> chunk_;
};

}  // namespace platform
