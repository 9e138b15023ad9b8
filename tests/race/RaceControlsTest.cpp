#include <gtest/gtest.h>

#include <vector>

#include "platform/Buttons.h"
#include "platform/Input.h"
#include "race/Camera.h"
#include "race/RaceControls.h"
#include "support/FakeCar.h"

namespace {

TEST(KeyCooldown, ActsOnceThenRestsTwentyFrames) {
  race::KeyCooldown key(20);
  EXPECT_FALSE(key.poll(false));
  std::vector<int> actedOn;
  for (int frame = 0; frame < 45; ++frame)
    if (key.poll(true)) actedOn.push_back(frame);
  EXPECT_EQ(actedOn, (std::vector<int>{0, 21, 42}));
  // The rest runs out even while the key is up.
  race::KeyCooldown released(20);
  EXPECT_TRUE(released.poll(true));
  for (int frame = 0; frame < 20; ++frame) EXPECT_FALSE(released.poll(false));
  EXPECT_TRUE(released.poll(true));
}

TEST(RaceControls, KeysActOncePerRestAndAClickFollowsTheCarUnderThePointer) {
  platform::Input input;
  race::RaceControls controls(input, 20);
  EXPECT_FALSE(controls.pausePressed());
  EXPECT_EQ(controls.followKeys(0, 3), std::nullopt);

  input.setDown(platform::button::kPageDown, true);
  EXPECT_EQ(controls.followKeys(0, 3), 2);  // below the first car comes the last
  for (int frame = 0; frame < 20; ++frame) EXPECT_EQ(controls.followKeys(2, 3), std::nullopt);
  EXPECT_EQ(controls.followKeys(2, 3), 1);
  input.setDown(platform::button::kPageDown, false);
  controls.reset();  // a new race: no key rests
  input.setDown(platform::button::kPageUp, true);
  EXPECT_EQ(controls.followKeys(2, 3), 0);
  input.setDown(platform::button::kPageUp, false);
  input.setDown(platform::button::kBackspace, true);
  EXPECT_TRUE(controls.instrumentsPressed());
  EXPECT_FALSE(controls.instrumentsPressed());
  input.setDown(platform::button::kEscape, true);
  EXPECT_TRUE(controls.pausePressed());  // each key rests on its own

  track::TrackData track;
  FakeCar first(track, 300, 200), second(track, 300, 200), third(track, 500, 200);
  const std::vector<physics::Car*> cars{&first, &second, &third};
  race::Camera camera;
  camera.lookAt(500, 200, 2000, 600);  // the camera moved 100 pixels left: x offset -100
  input.setMouse(403, 200);
  EXPECT_EQ(controls.clickedCar(cars, camera), std::nullopt);  // no button
  input.setDown(platform::button::kMouseLeft, true);
  EXPECT_EQ(controls.clickedCar(cars, camera), 2);
  input.setMouse(203, 200);
  EXPECT_EQ(controls.clickedCar(cars, camera), 0);  // two cars there: the lower index
  input.setMouse(203, 260);
  EXPECT_EQ(controls.clickedCar(cars, camera), std::nullopt);
}

}  // namespace
