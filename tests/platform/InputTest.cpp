#include <gtest/gtest.h>

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

}  // namespace
