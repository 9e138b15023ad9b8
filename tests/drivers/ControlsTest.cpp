#include <gtest/gtest.h>

#include "config/Options.h"
#include "drivers/Controls.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

using drivers::Action;
using drivers::Controls;
using drivers::Device;
namespace button = platform::button;

constexpr int kKeyW = 17;
constexpr int kPadX = button::kGamepadButton0 + 2;

TEST(Controls, TakingAnotherActionsButtonSwapsThemAndTheGamesOwnKeysAreRefused) {
  Controls controls = Controls::defaults();
  EXPECT_EQ(controls.button(Action::Throttle, Device::Keyboard), button::kUp);
  EXPECT_EQ(controls.button(Action::FollowNext, Device::Gamepad), button::kGamepadButton0 + 10);

  // Down is the brake's: the brake takes Up in exchange.
  EXPECT_EQ(controls.assign(Action::Throttle, Device::Keyboard, button::kDown), Action::Brake);
  EXPECT_EQ(controls.button(Action::Throttle, Device::Keyboard), button::kDown);
  EXPECT_EQ(controls.button(Action::Brake, Device::Keyboard), button::kUp);
  // A free key is simply taken.
  EXPECT_EQ(controls.assign(Action::Left, Device::Keyboard, kKeyW), std::nullopt);
  EXPECT_EQ(controls.button(Action::Left, Device::Keyboard), kKeyW);

  // Pause, instruments, full screen, screenshot and race again stay the game's; a pad button
  // is no key and a key no pad button.
  const Controls before = controls;
  for (int id : {button::kEscape, button::kBackspace, button::kF11, button::kF12, button::kEnter,
                 kPadX, button::kMouseLeft}) {
    EXPECT_FALSE(Controls::accepts(Device::Keyboard, id)) << id;
    controls.assign(Action::Brake, Device::Keyboard, id);
  }
  EXPECT_FALSE(Controls::accepts(Device::Gamepad, kKeyW));
  controls.assign(Action::Brake, Device::Gamepad, kKeyW);
  EXPECT_EQ(controls, before);
  EXPECT_TRUE(Controls::accepts(Device::Gamepad, kPadX));

  // Either device's button holds the action.
  platform::Input input;
  input.setDown(kPadX, true);
  EXPECT_FALSE(controls.held(input, Action::Brake));
  controls.assign(Action::Brake, Device::Gamepad, kPadX);
  EXPECT_TRUE(controls.held(input, Action::Brake));
}

TEST(Controls, KeptInTheOptionsAndAHandEditedMistakeKeepsTheDefault) {
  testsupport::TempDir dir;
  const std::string oldFolder = platform::programFolder();
  platform::setProgramFolder(dir.folder());
  config::Options::destroy(false);
  // W for the throttle, a number that is no key for the brake, Escape for steering left, W
  // again for steering right, and smooth steering.
  dir.write("options.ini",
            "[ Keys ]\nthrottle=17\nbrake=999\nsteerLeft=1\nsteerRight=17\n"
            "[ Options ]\nsmoothSteering=1\n");
  const Controls read = Controls::fromOptions();
  EXPECT_EQ(read.button(Action::Brake, Device::Keyboard), button::kDown);
  EXPECT_EQ(read.button(Action::Left, Device::Keyboard), button::kLeft);  // the game's key
  EXPECT_EQ(read.steering(), drivers::Steering::Smooth);
  // W twice: the later one takes it and hands its own default over, nothing is doubled.
  EXPECT_EQ(read.button(Action::Right, Device::Keyboard), kKeyW);
  EXPECT_EQ(read.button(Action::Throttle, Device::Keyboard), button::kRight);

  Controls changed = Controls::defaults();
  changed.assign(Action::BackOnTrack, Device::Gamepad, kPadX);
  changed.setSteering(drivers::Steering::Direct);
  changed.store();
  EXPECT_EQ(config::Options::instance()->getKeysInt("padBackOnTrack"), kPadX);
  EXPECT_EQ(config::Options::instance()->getOptionInt("smoothSteering"), 0);
  EXPECT_EQ(Controls::fromOptions(), changed);
  config::Options::destroy(false);
  platform::setProgramFolder(oldFolder);
}

}  // namespace
