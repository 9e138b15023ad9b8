#pragma once
#include <memory>
#include <vector>

namespace platform {
class Audio;
class Sample;
}  // namespace platform

namespace race {

class OverlayShapes;

// A short tone the game makes itself: `seconds` long at `frequency` hertz with a little of its
// third harmonic, quickly faded in and gently out; mono samples -1 .. 1 at `sampleRate` per
// second. The start lights beep with it.
std::vector<float> signalTone(double frequency, double seconds, int sampleRate);

// The start: three red lamps over the track that come on one a second during the countdown,
// each with a low beep and a large numeral (3, 2, 1) beneath, then all turn green with a high
// tone and "GO" for the first second of the race. Everything follows from the race's countdown
// frames (3 seconds' worth at the set-up, negative once racing).
class StartLights {
 public:
  static constexpr int kLamps = 3;

  // framesPerSecond: 62 with 16 ms frames.
  explicit StartLights(int framesPerSecond);
  ~StartLights();
  StartLights(const StartLights&) = delete;
  StartLights& operator=(const StartLights&) = delete;

  // A new race: with sound the tones are made for `audio`, without it the lights are silent.
  void start(platform::Audio* audio);

  // Red lamps lit, 0 .. 3.
  int lampsLit(int countdownFrames) const;
  // The lamps are green: the first second of the race.
  bool green(int countdownFrames) const;
  // The numeral under the lamps, 3, 2 or 1; 0 when none is shown.
  int numeral(int countdownFrames) const;

  // Once per frame while the countdown runs and for the first racing frame: the beep when a
  // lamp comes on, the high tone when they turn green.
  void update(int countdownFrames);
  int cuesPlayed() const { return cuesPlayed_; }

  // Centred across a screen `screenWidth` pixels wide, above the followed car (carScreenY: its
  // height on the screen, pixels) or, when it stands in the upper half, below it; z 120.
  void draw(int countdownFrames, int screenWidth, int screenHeight, double carScreenY,
            const OverlayShapes& shapes) const;

 private:
  void play(const platform::Sample* sample);
  // Opaque while counting down, fading out over the race's first second.
  int fadeLevel(int countdownFrames) const;
  void drawLamps(int countdownFrames, double left, double top, const OverlayShapes& shapes) const;

  int framesPerSecond_;
  int lastLit_ = 0;
  bool wentGreen_ = false;
  int cuesPlayed_ = 0;
  std::unique_ptr<platform::Sample> beep_;
  std::unique_ptr<platform::Sample> goTone_;
};

}  // namespace race
