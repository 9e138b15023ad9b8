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
}  // namespace
