#include <gtest/gtest.h>

#include <set>

#include "platform/ButtonNames.h"
#include "platform/Input.h"

namespace {

using platform::Input;
namespace button = platform::button;

TEST(InputTest, ATapWithinOneFrameReadsAsDownForThatFrameOnly) {
  Input input;
  input.press(button::kMouseLeft);
  input.release(button::kMouseLeft);
  EXPECT_TRUE(input.down(button::kMouseLeft));
  input.endFrame();
  EXPECT_FALSE(input.down(button::kMouseLeft));
}

TEST(InputTest, AReleaseInALaterFrameTakesEffectAtOnce) {
  Input input;
  input.press(button::kSpace);
  input.endFrame();
  EXPECT_TRUE(input.down(button::kSpace));
  input.release(button::kSpace);
  EXPECT_FALSE(input.down(button::kSpace));
}

TEST(InputTest, UnknownIdsAreIgnored) {
  Input input;
  input.press(-1);
  input.press(button::kCount);
  input.release(button::kCount + 5);
  EXPECT_FALSE(input.down(-1));
  EXPECT_FALSE(input.down(button::kCount));
}

TEST(InputTest, PressesOfAFrameAreKeptInOrderWithTheirRepeats) {
  Input input;
  input.press(button::kBackspace);
  input.press(button::kLeft);
  input.press(button::kBackspace);  // the key held down repeats
  EXPECT_EQ(input.presses(),
            (std::vector<int>{button::kBackspace, button::kLeft, button::kBackspace}));
  input.endFrame();
  EXPECT_TRUE(input.presses().empty());
}

TEST(InputTest, EveryKeyAndPadButtonHasANameOfItsOwn) {
  std::set<std::string> names;
  for (int id = 0; id < button::kCount; ++id) {
    const std::string name = platform::buttonName(id);
    if (name.empty()) continue;
    EXPECT_TRUE(names.insert(name).second) << name << " twice";
    EXPECT_TRUE(button::isKey(id) || button::isGamepad(id)) << name;
  }
  EXPECT_GT(names.size(), 100u);
  EXPECT_EQ(platform::buttonName(button::kPageUp), "Page Up");
  EXPECT_EQ(platform::buttonName(button::kGamepadButton0), "Pad A");
  EXPECT_EQ(platform::buttonName(button::kMouseLeft), "");
}

}  // namespace
