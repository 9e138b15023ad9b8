#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "gui/GUI_Component_Image.h"

namespace {

// The intro's timings run through the window (GameWindowTest); here: what it puts up.
TEST(IntroScreen, PicturesAndTheirFadesAndNoCommands) {
  menutest::MenuWorld world;
  app::IntroScreen intro(world.widgets, 1000, 700);
  intro.buildIntro();
  auto image = [&](const char* id) {
    return dynamic_cast<gui::GUI_Component_Image*>(world.gui.find(id));
  };
  ASSERT_NE(image("gui_kelvaneImg"), nullptr);
  EXPECT_EQ(image("gui_kelvaneImg")->picture().x, (1000 - 587) / 2);
  EXPECT_EQ(image("gui_kelvaneImg")->picture().y, 350);
  EXPECT_FALSE(image("gui_kelvaneImg")->fade().targetVisible());
  EXPECT_TRUE(image("gui_bgImg")->fade().targetVisible());
  EXPECT_FALSE(image("gui_bgImg2")->fade().targetVisible());
  EXPECT_EQ(image("gui_bgImg2")->getZ(), 2);

  // A click lands on a picture, whose id is no command.
  world.click(500, 300);
  ASSERT_FALSE(world.clicks.empty());
  EXPECT_EQ(world.lastRequest, app::MenuRequest::None);

  for (int f = 1; f <= 60; ++f) intro.update(world.input);
  EXPECT_TRUE(image("gui_kelvaneImg")->fade().targetVisible());
  EXPECT_EQ(image("gui_kelvaneImg")->picture().y, 350);  // placed before it moves
  world.input.setDown(platform::button::kSpace, true);
  EXPECT_FALSE(intro.update(world.input));
  EXPECT_TRUE(image("gui_bgImg2")->fade().targetVisible());
  EXPECT_EQ(intro.introEndFrame(), 91);
}

}  // namespace

namespace {

class IntroTiming : public ::testing::Test {
 protected:
  IntroTiming() : intro(world.widgets, 1000, 700) { intro.buildIntro(); }

  // Frames until the intro ends, with Space held in the frames `space` names; -1 if it
  // has not ended after 1000 frames.
  template <class SpaceHeld>
  int endFrame(SpaceHeld space) {
    for (int i = 0; i < 1000; ++i) {
      world.input.setDown(platform::button::kSpace, space(intro.introFrame() + 1));
      if (intro.update(world.input)) return intro.introFrame();
    }
    return -1;
  }

  menutest::MenuWorld world;
  app::IntroScreen intro;
};

TEST_F(IntroTiming, WithoutInputEndsAtFrame530) {
  EXPECT_EQ(endFrame([](int) { return false; }), 530);
}

TEST_F(IntroTiming, SpaceEndsThirtyFramesAfterItIsLastHeld) {
  EXPECT_EQ(endFrame([](int f) { return f == 100; }), 130);
}

TEST_F(IntroTiming, HoldingSpaceKeepsPushingTheEnd) {
  EXPECT_EQ(endFrame([](int f) { return f >= 100 && f <= 150; }), 180);
}

TEST_F(IntroTiming, LogoStopsAtFrame358AfterRisingAbout188Pixels) {
  while (intro.introFrame() < 357) intro.update(world.input);
  EXPECT_GT(intro.logoSpeed(), 0.0f);
  intro.update(world.input);
  EXPECT_EQ(intro.logoSpeed(), 0.0f);
  EXPECT_NEAR(350.0f - intro.logoY(), 188.0f, 1.5f);
}

}  // namespace
