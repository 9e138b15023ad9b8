#include <gtest/gtest.h>

#include "race/Camera.h"
#include "race/EngineSound.h"
#include "support/FakeCar.h"

namespace {

TEST(EngineMix, PanAndVolumeByDistanceFromTheListener) {
  auto mix = race::engineMix(500, 300, 628, 300);
  EXPECT_DOUBLE_EQ(mix.pan, 0.5);
  EXPECT_DOUBLE_EQ(mix.volume, 0.75);
  mix = race::engineMix(500, 300, 756, 300);
  EXPECT_DOUBLE_EQ(mix.pan, 1.0);
  EXPECT_DOUBLE_EQ(mix.volume, 0.0);
  mix = race::engineMix(500, 300, 100, 300);  // far to the left
  EXPECT_DOUBLE_EQ(mix.pan, -1.0);
  EXPECT_DOUBLE_EQ(mix.volume, 0.0);
  mix = race::engineMix(500, 300, 500, 428);  // straight below: centred, quieter
  EXPECT_DOUBLE_EQ(mix.pan, 0.0);
  EXPECT_DOUBLE_EQ(mix.volume, 0.75);
}

TEST(EngineSound, ServicesOneCarPerFrameInTurn) {
  track::TrackData track;
  FakeCar listener(track, 500, 300), right(track, 628, 300), far(track, 900, 300);
  race::EngineSound sound(nullptr);
  sound.update();  // nothing registered: nothing to do
  for (const physics::Car* car : {&listener, &right, &far}) sound.registerCar(*car);
  sound.setListener(listener);

  sound.update();
  EXPECT_EQ(sound.current(), 1);
  EXPECT_DOUBLE_EQ(sound.lastMix(0).volume, 0.1);
  EXPECT_DOUBLE_EQ(sound.lastMix(1).volume, 0.0);  // not serviced yet
  sound.update();
  EXPECT_DOUBLE_EQ(sound.lastMix(1).pan, 0.5);
  EXPECT_DOUBLE_EQ(sound.lastMix(1).volume, 0.75);
  sound.update();
  EXPECT_EQ(sound.current(), 0);
  EXPECT_DOUBLE_EQ(sound.lastMix(2).volume, 0.0);

  // Following another car: its engine becomes the quiet centred one once serviced.
  sound.setListener(right);
  sound.update();
  sound.update();
  EXPECT_DOUBLE_EQ(sound.lastMix(0).pan, -0.5);
  EXPECT_DOUBLE_EQ(sound.lastMix(1).pan, 0.0);
  EXPECT_DOUBLE_EQ(sound.lastMix(1).volume, 0.1);
}

TEST(Camera, SmallBackgroundsAreCentred) {
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 600, 123), 100);
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 599, 123), 100);  // whole pixels
}

TEST(Camera, LargeBackgroundsFollowTheCarWithoutGaps) {
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 2000, 1000), -600);
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 2000, 100), 0);       // left edge
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 2000, 1990), -1200);  // right edge
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 800, 700), 0);        // exactly the screen's size
  EXPECT_DOUBLE_EQ(race::cameraOffset(801, 2000, 1000.5),
                   -600.5);  // half the screen in whole pixels
}

TEST(Camera, FollowsOneCarOnTheWindowsScreenUntilANewRace) {
  race::Camera camera;
  EXPECT_EQ(camera.screenWidth(), 800);  // until the window says otherwise
  EXPECT_EQ(camera.screenHeight(), 600);
  camera.setScreenSize(1000, 700);
  camera.follow(2);
  camera.lookAt(1000, 100, 3000, 600);
  EXPECT_EQ(camera.followedCar(), 2);
  EXPECT_DOUBLE_EQ(camera.x(), -500);
  EXPECT_DOUBLE_EQ(camera.y(), 50);  // the short background is centred
  camera.reset();
  EXPECT_EQ(camera.followedCar(), 0);
  EXPECT_DOUBLE_EQ(camera.x(), 0);
  EXPECT_EQ(camera.screenWidth(), 1000);  // the window has not changed
}

TEST(Camera, LeadsTheCarAlongItsTravelByItsSpeedSmoothlyAndAsFarAtEveryZoom) {
  race::Camera camera;
  camera.setScreenSize(1000, 700);
  camera.lead(3, 0, 20);  // 20 m/s to the right: the view swings ahead a little each frame
  EXPECT_GT(camera.leadX(), 0);
  EXPECT_LT(camera.leadX(), 10);
  for (int i = 0; i < 200; ++i) camera.lead(3, 0, 20);
  EXPECT_NEAR(camera.leadX(), 100, 0.5);  // 5 pixels per metre per second
  EXPECT_NEAR(camera.leadY(), 0, 1e-9);
  for (int i = 0; i < 300; ++i) camera.lead(0, -1, 80);
  EXPECT_NEAR(camera.leadY(), -210, 0.5);  // at most 0.3 of the screen's height
  EXPECT_NEAR(camera.leadX(), 0, 0.5);
  camera.lookAt(2000, 1000, 4000, 3000);
  EXPECT_DOUBLE_EQ(camera.y(), 350 - (1000 + camera.leadY()));

  // At 2× the same look-ahead on the screen is half as far in the world, and the world is
  // scaled around the point looked at.
  camera.setZoom(2);
  for (int i = 0; i < 300; ++i) camera.lead(0, -1, 80);
  EXPECT_NEAR(camera.leadY(), -105, 0.5);
  camera.lookAt(2000, 1000, 4000, 3000);
  EXPECT_DOUBLE_EQ(camera.x(), 500 - 2 * (2000 + camera.leadX()));
  EXPECT_DOUBLE_EQ(camera.worldX(camera.screenX(1234)), 1234);
  EXPECT_DOUBLE_EQ(race::cameraOffset(800, 300, 10, 2), 100);  // 600 pixels wide: centred

  // A car that stops lets the view settle back on it.
  for (int i = 0; i < 300; ++i) camera.lead(0, 0, 0);
  EXPECT_NEAR(camera.leadY(), 0, 0.5);
  camera.reset();
  EXPECT_EQ(camera.zoom(), 2);  // the zoom is the player's choice, kept from race to race
  EXPECT_EQ(camera.leadX(), 0);
}

TEST(Camera, ZoomLevelsStepInAndOutAndStopAtTheEnds) {
  EXPECT_EQ(race::Camera::zoomedIn(1.0), 1.5);
  EXPECT_EQ(race::Camera::zoomedIn(1.5), 2.0);
  EXPECT_EQ(race::Camera::zoomedIn(2.0), 2.0);
  EXPECT_EQ(race::Camera::zoomedOut(2.0), 1.5);
  EXPECT_EQ(race::Camera::zoomedOut(1.0), 1.0);
}

}  // namespace
