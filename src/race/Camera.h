#pragma once

namespace race {

// The camera offset along one axis: what is added to a world coordinate to get the screen
// coordinate. A background smaller than the screen is centred; a larger one follows the car
// (centred on it) but never leaves a gap at the screen's edges. Pixels; the result is 0 or
// negative unless the background is smaller than the screen.
double cameraOffset(int screenSize, int backgroundSize, double carPosition);

// What the screen shows of the race: the car it follows, centred where the background allows.
// Offsets are what is added to a world coordinate (one world unit is one background pixel) to
// get a screen pixel.
class Camera {
 public:
  // The screen a race has until the window tells it its own size.
  static constexpr int kDefaultScreenWidth = 800;
  static constexpr int kDefaultScreenHeight = 600;

  // The window's size in pixels.
  void setScreenSize(int width, int height);
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }

  // A new race: the first car, and the offsets at the origin until the first frame.
  void reset();
  // Car index, 0 .. cars - 1.
  void follow(int car) { followedCar_ = car; }
  int followedCar() const { return followedCar_; }
  // Centres on the followed car, standing at world (carX, carY) on a background of
  // backgroundWidth × backgroundHeight pixels.
  void lookAt(double carX, double carY, int backgroundWidth, int backgroundHeight);
  double x() const { return x_; }
  double y() const { return y_; }

 private:
  int screenWidth_ = kDefaultScreenWidth;
  int screenHeight_ = kDefaultScreenHeight;
  int followedCar_ = 0;
  double x_ = 0;
  double y_ = 0;
};

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
