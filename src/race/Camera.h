#pragma once

namespace race {

// The camera offset along one axis: what is added to a world coordinate, scaled by `zoom`, to
// get the screen coordinate. A background smaller than the screen is centred; a larger one
// follows the point looked at (centred on it) but never leaves a gap at the screen's edges.
// Pixels; the result is 0 or negative unless the background is smaller than the screen.
double cameraOffset(int screenSize, int backgroundSize, double lookAt, double zoom = 1.0);

// What the screen shows of the race: the car it follows, and ahead of it the road it drives
// to, scaled by the zoom. Screen pixel = world coordinate × zoom + offset (one world unit is one
// background pixel).
class Camera {
 public:
  // The screen a race has until the window tells it its own size.
  static constexpr int kDefaultScreenWidth = 800;
  static constexpr int kDefaultScreenHeight = 600;
  // The zoom settings, smallest first.
  static constexpr double kZoomLevels[] = {1.0, 1.5, 2.0};

  // The window's size in pixels.
  void setScreenSize(int width, int height);
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }

  // A new race: the first car, no look-ahead, and the offsets at the origin until the first
  // frame. The zoom stays.
  void reset();
  // Car index, 0 .. cars - 1.
  void follow(int car) { followedCar_ = car; }
  int followedCar() const { return followedCar_; }

  // Screen pixels per world unit: 1, 1.5 or 2 (any positive factor works).
  void setZoom(double zoom);
  double zoom() const { return zoom_; }
  // The next and the previous of kZoomLevels, staying at the ends.
  static double zoomedIn(double zoom);
  static double zoomedOut(double zoom);

  // Moves the look-ahead a little towards the followed car's direction of travel (moveX,
  // moveY: its last movement, any length) by a distance that grows with its speed (metres per
  // second): at 40 m/s the car stands about a third of the screen behind the middle. Once per
  // frame; a car that stands still lets the view settle back on it.
  void lead(double moveX, double moveY, double speed);
  // World units from the car to the point looked at.
  double leadX() const { return leadX_; }
  double leadY() const { return leadY_; }

  // Looks at the followed car, standing at world (carX, carY), plus the look-ahead, on a
  // background of backgroundWidth × backgroundHeight pixels.
  void lookAt(double carX, double carY, int backgroundWidth, int backgroundHeight);
  double x() const { return x_; }
  double y() const { return y_; }
  // World units to screen pixels and back.
  double screenX(double worldX) const { return worldX * zoom_ + x_; }
  double screenY(double worldY) const { return worldY * zoom_ + y_; }
  double worldX(double screenX) const { return (screenX - x_) / zoom_; }
  double worldY(double screenY) const { return (screenY - y_) / zoom_; }

 private:
  int screenWidth_ = kDefaultScreenWidth;
  int screenHeight_ = kDefaultScreenHeight;
  int followedCar_ = 0;
  double zoom_ = 1.0;
  double leadX_ = 0;
  double leadY_ = 0;
  double x_ = 0;
  double y_ = 0;
};

}  // namespace race
