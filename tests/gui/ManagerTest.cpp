#include <stdexcept>

#include "GuiFixture.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Image.h"

namespace guitest {
namespace {

using Strings = std::vector<std::string>;

class ManagerTest : public GuiTest {
 protected:
  ManagerTest() {
    left.place(550, 100, 100, 100);
    right.place(550, 300, 100, 100);
    manager.add(&left);
    manager.add(&right);
  }
  gui::GUI_Component_Button left{"left", L"Left"};
  gui::GUI_Component_Button right{"right", L"Right"};
};

TEST_F(ManagerTest, CommandFiresOnReleaseForTheWidgetUnderThePointer) {
  moveTo(150, 110);
  setButton(true);
  frame();
  frame();  // holding gives no command
  EXPECT_TRUE(recorder.clicks().empty());
  EXPECT_EQ(recorder.events.back(), "hover:left");

  moveTo(350, 110);  // the press began over "left"; only the release counts
  frame();
  setButton(false);
  frame();
  EXPECT_EQ(recorder.clicks(), Strings{"click:right"});
}

TEST_F(ManagerTest, ReleaseOverEmptySpaceIsForgotten) {
  EXPECT_TRUE(clickAt(20, 500).empty());
  EXPECT_TRUE(recorder.events.empty());
  // Moving onto a button with the button up afterwards fires nothing either.
  moveTo(150, 110);
  frame();
  EXPECT_TRUE(recorder.clicks().empty());
  EXPECT_EQ(clickAt(150, 110), Strings{"click:left"});
}

TEST_F(ManagerTest, OverlappingButtonsOfOneLayerGoToTheEarlierOne) {
  right.place(550, 120, 100, 100);  // now overlaps "left" around x 150
  EXPECT_EQ(clickAt(150, 110), Strings{"click:left"});

  // A higher layer wins whatever the order of adding.
  right.place(560, 120, 100, 100);
  EXPECT_EQ(clickAt(150, 110), Strings{"click:right"});
  EXPECT_EQ(manager.components().front(), &right);
  // The loser is drawn in its idle look.
  frame();
  EXPECT_EQ(drawsOf("btn_f_over.png"), 1);
  EXPECT_EQ(drawsOf("btn_f_up.png"), 1);
}

TEST_F(ManagerTest, EqualLayersKeepTheirOrderAcrossFrames) {
  gui::GUI_Component_Button third{"third", L"Third"};
  third.place(550, 100, 100, 100);  // exactly over "left", added later
  manager.add(&third);
  for (int i = 0; i < 5; ++i) frame();
  EXPECT_EQ(manager.components(), (std::vector<gui::GUI_Component*>{&left, &right, &third}));
  EXPECT_EQ(clickAt(150, 110), Strings{"click:left"});
}

TEST_F(ManagerTest, LabelsAndHiddenWidgetsDoNotBlockTheMouse) {
  gui::GUI_Component_Label label("label", L"A label lying over the button", gui::kFontFamily, 20,
                                 90, 100, 900);
  gui::GUI_Component_Button hidden("hidden", L"Hidden");
  hidden.place(700, 100, 100, 100);
  hidden.hide();
  manager.add(&label);
  manager.add(&hidden);
  EXPECT_EQ(clickAt(150, 110), Strings{"click:left"});
  // The hidden button draws nothing: only the two visible buttons show a fill.
  frame();
  EXPECT_EQ(drawsOf("btn_f_up.png") + drawsOf("btn_f_over.png"), 2);
}

TEST_F(ManagerTest, AnImageAboveBlocksEverythingBelowIt) {
  gui::GUI_Component_Image backdrop("popupbg", gui::guiImagePath("alert_bg.png"), 600, 0, 0, 800,
                                    600, true);
  manager.add(&backdrop);
  EXPECT_EQ(clickAt(150, 110), Strings{"click:popupbg"});
  EXPECT_EQ(clickAt(790, 590), Strings{"click:popupbg"});
  frame();
  EXPECT_EQ(drawsOf("btn_f_over.png"), 0);
  manager.remove(&backdrop);
  EXPECT_EQ(clickAt(150, 110), Strings{"click:left"});
}

TEST_F(ManagerTest, ListenersHearHoverThenClickInRegistrationOrder) {
  Recorder second("2:");
  manager.addListener(&second);
  clickAt(150, 110);
  EXPECT_EQ(recorder.events, (Strings{"hover:left", "click:left"}));
  EXPECT_EQ(second.events.back(), "2:click:left");
  EXPECT_EQ(second.events[second.events.size() - 2], "2:hover:left");
}

// A listener that destroys the screen it was called from, as a menu command does.
class ScreenClearer : public gui::GUI_Listener {
 public:
  explicit ScreenClearer(gui::GUI_Manager& manager) : manager_(manager) {}
  void onClick(std::string id) override {
    manager_.clear();
    lastId = id;
  }
  void onHover(std::string) override {}
  std::string lastId;

 private:
  gui::GUI_Manager& manager_;
};

TEST_F(ManagerTest, AListenerMayRemoveEveryWidgetDuringItsCommand) {
  ScreenClearer clearer(manager);
  manager.addListener(&clearer);
  clickAt(350, 110);
  EXPECT_EQ(clearer.lastId, "right");
  EXPECT_TRUE(manager.components().empty());
  EXPECT_EQ(recorder.clicks(), Strings{"click:right"});  // registered earlier, told first
}

TEST_F(ManagerTest, FindAddAndRemove) {
  EXPECT_EQ(manager.find("left"), &left);
  EXPECT_EQ(manager.find("lef"), nullptr);
  manager.add(&left);  // twice
  EXPECT_EQ(manager.components().size(), 3u);
  manager.remove(&left);
  EXPECT_EQ(manager.components(), (std::vector<gui::GUI_Component*>{&right}));
  EXPECT_EQ(manager.find("left"), nullptr);
}

TEST_F(GuiTest, CachesShareOnePictureOrFontPerKey) {
  const std::string file = gui::guiImagePath("bg.png");
  const platform::Image& first = gui::ImageCache::get(file);
  EXPECT_EQ(&first, &gui::ImageCache::get(file));
  EXPECT_TRUE(first.hardBorders());
  const std::size_t loaded = gui::ImageCache::size();
  gui::GUI_Component_Button a("a", L"A");
  const std::size_t afterOneButton = gui::ImageCache::size();
  gui::GUI_Component_Button b("b", L"B");
  EXPECT_EQ(afterOneButton - loaded, 27u);
  EXPECT_EQ(gui::ImageCache::size(), afterOneButton);

  const platform::Font& small = gui::FontCache::get(gui::kFontFamily, 17);
  const platform::Font& large = gui::FontCache::get(L"Trebuchet MS", 20);
  EXPECT_NE(&small, &large);
  EXPECT_EQ(large.height(), 20);
  EXPECT_EQ(&small, &gui::FontCache::get(L"Trebuchet MS", 17));
}

TEST_F(GuiTest, AMissingPictureFailsInTheLoader) {
  EXPECT_THROW(gui::ImageCache::get(gui::guiImagePath("no_such_picture.png")), std::runtime_error);
  EXPECT_EQ(gui::ImageCache::size(), 0u);
}

TEST(GuiCaches, RefuseToLoadBeforeAnyManagerExists) {
  testsupport::ProgramFolderScope programFolderScope;
  gui::ImageCache::discard();
  gui::FontCache::discard();
  platform::setProgramFolder(testsupport::dataDir());
  try {
    gui::ImageCache::get(gui::guiImagePath("bg.png"));
    FAIL() << "loaded without graphics";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "No graphics specified");
  }
  EXPECT_THROW(gui::FontCache::get(gui::kFontFamily, 17), std::runtime_error);
  EXPECT_THROW(gui::GUI_Component_Button("b", L"B"), std::runtime_error);
}

TEST(GuiCaches, ANewGraphicsDropsThePicturesOfTheOld) {
  testsupport::ProgramFolderScope programFolderScope;
  platform::setProgramFolder(testsupport::dataDir());
  platform::Graphics first(100, 100);
  gui::GUI_Manager one(first);
  gui::ImageCache::get(gui::guiImagePath("bg.png"));
  EXPECT_EQ(gui::ImageCache::size(), 1u);
  gui::GUI_Manager sameGraphics(first);
  EXPECT_EQ(gui::ImageCache::size(), 1u);
  platform::Graphics second(100, 100);
  gui::GUI_Manager two(second);
  EXPECT_EQ(gui::ImageCache::size(), 0u);
  gui::ImageCache::discard();
  gui::FontCache::discard();
}

}  // namespace
}  // namespace guitest
