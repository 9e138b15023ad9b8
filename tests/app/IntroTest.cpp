#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "gui/GUI_Component_Image.h"

namespace {

using menutest::MenuWorld;

class IntroTest : public ::testing::Test {
 protected:
  IntroTest() : intro(world.widgets, MenuWorld::kWidth, MenuWorld::kHeight) { intro.buildIntro(); }

  // Runs frames until the intro ends (or `limit` frames); `space(frame)` says whether Space is
  // held in that frame. Returns the frame the intro ended at, or -1.
  template <class SpaceHeld>
  int runUntilEnd(int limit, SpaceHeld space) {
    for (int i = 0; i < limit; ++i) {
      world.input.setDown(platform::button::kSpace, space(intro.introFrame() + 1));
      if (intro.update(world.input)) return intro.introFrame();
      world.frame();
    }
    return -1;
  }
  GUI_Component_Image* image(const std::string& id) {
    return dynamic_cast<GUI_Component_Image*>(world.gui.find(id));
  }

  MenuWorld world;
  app::IntroScreen intro;
};

TEST_F(IntroTest, BuildsThreePicturesOnlyTheBackgroundFadingIn) {
  ASSERT_NE(image("gui_kelvaneImg"), nullptr);
  EXPECT_EQ(image("gui_kelvaneImg")->picture().x, (1000 - 587) / 2);
  EXPECT_EQ(image("gui_kelvaneImg")->picture().y, 350);
  EXPECT_EQ(image("gui_kelvaneImg")->getZ(), 1);
  EXPECT_FALSE(image("gui_kelvaneImg")->fade().targetVisible());
  EXPECT_TRUE(image("gui_bgImg")->fade().targetVisible());
  EXPECT_FALSE(image("gui_bgImg2")->fade().targetVisible());
  EXPECT_EQ(image("gui_bgImg2")->getZ(), 2);
}

TEST_F(IntroTest, WithoutInputEndsAtFrame530) {
  EXPECT_EQ(runUntilEnd(600, [](int) { return false; }), 530);
  EXPECT_EQ(intro.introEndFrame(), 530);
  EXPECT_TRUE(image("gui_bgImg2")->fade().targetVisible());
}

TEST_F(IntroTest, SpaceEndsThirtyFramesAfterItIsLastHeld) {
  EXPECT_EQ(runUntilEnd(600, [](int f) { return f == 100; }), 130);
}

TEST_F(IntroTest, HoldingSpaceKeepsPushingTheEnd) {
  EXPECT_EQ(runUntilEnd(600, [](int f) { return f >= 100 && f <= 150; }), 180);
}

TEST_F(IntroTest, LogoRisesFromFrame60AndStopsAtFrame358) {
  for (int f = 1; f <= 59; ++f) intro.update(world.input);
  EXPECT_FLOAT_EQ(intro.logoY(), 350.0f);
  EXPECT_FALSE(image("gui_kelvaneImg")->fade().targetVisible());
  intro.update(world.input);  // frame 60
  EXPECT_TRUE(image("gui_kelvaneImg")->fade().targetVisible());
  EXPECT_EQ(image("gui_kelvaneImg")->picture().y, 350);  // placed before it moves
  for (int f = 61; f < 358; ++f) intro.update(world.input);
  EXPECT_GT(intro.logoSpeed(), 0.0f);
  intro.update(world.input);  // frame 358
  EXPECT_EQ(intro.logoSpeed(), 0.0f);
  EXPECT_NEAR(350.0f - intro.logoY(), 188.0f, 1.5f);
}

TEST_F(IntroTest, ClicksDuringTheIntroAreNoCommands) {
  world.click(500, 300);
  ASSERT_FALSE(world.clicks.empty());
  EXPECT_EQ(world.lastRequest, app::MenuRequest::None);
  EXPECT_NE(world.gui.find("gui_bgImg"), nullptr);
}

}  // namespace
