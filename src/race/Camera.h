#pragma once

namespace race {

// The camera offset along one axis: what is added to a world coordinate to get the screen
// coordinate. A background smaller than the screen is centred; a larger one follows the car
// (centred on it) but never leaves a gap at the screen's edges. Pixels; the result is 0 or
// negative unless the background is smaller than the screen.
double cameraOffset(int screenSize, int backgroundSize, double carPosition);

// A key that acts once and then ignores itself for a while, so a held key does not repeat
// every frame.
class KeyCooldown {
 public:
  // frames: how long the key rests after acting (20 with 16 ms frames).
  explicit KeyCooldown(int frames) : frames_(frames) {}
  // Call once per frame with whether the key is held; true when its action should run.
  bool poll(bool held) {
    if (remaining_ > 0) {
      --remaining_;
      return false;
    }
    if (!held) return false;
    remaining_ = frames_;
    return true;
  }
  int remaining() const { return remaining_; }
  // Back to ready (a new race).
  void reset() { remaining_ = 0; }

 private:
  int frames_;
  int remaining_ = 0;
};

}  // namespace race
