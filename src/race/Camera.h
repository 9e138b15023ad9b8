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

}  // namespace race
