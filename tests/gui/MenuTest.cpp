#include "GuiFixture.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Menu.h"

namespace guitest {
namespace {

using Strings = std::vector<std::string>;

// The game's menu bar: File, Tools and Help with their drop-downs.
class MenuTest : public GuiTest {
 protected:
  MenuTest() {
    bar.addItem("file", L"File");
    bar.addItem("tools", L"Tools");
    bar.addItem("help", L"Help");
    addDropDown("file", "fileMenu", {{"exit", L"Exit"}});
    tools = &addDropDown("tools", "toolsMenu", {{"createCircuit", L"Create New Track"}});
    addDropDown("help", "helpMenu", {{"helpIndex", L"Kelvane Help"}, {"about", L"About Kelvane"}});
    bar.layout(500, 0, 0, 0, 0);
    manager.add(&bar);
  }

  gui::GUI_Component_Menu& addDropDown(const std::string& opener, const std::string& id,
                                       std::vector<std::pair<std::string, std::wstring>> entries) {
    auto menu = std::make_unique<gui::GUI_Component_Menu>(id);
    menu->setFrameKind(gui::FieldFrameKind::Sub);
    for (auto& [entryId, caption] : entries) menu->addItem(entryId, caption, true);
    return bar.addSubMenu(opener, std::move(menu));
  }
  // Middle of a bar entry.
  void pointAt(const std::string& id) {
    const gui::MenuItemSkin& skin = bar.findItem(id)->skin();
    moveTo((skin.left() + skin.right()) / 2.0, (skin.top() + skin.bottom()) / 2.0);
  }
  void pointAtEntry(gui::GUI_Component_Menu& menu, int index) {
    const gui::MenuItemSkin& skin = menu.item(index).skin();
    moveTo((skin.left() + skin.right()) / 2.0, (skin.top() + skin.bottom()) / 2.0);
  }
  bool isOpen(const std::string& id) { return bar.findItem(id)->isOpen(); }

  gui::GUI_Component_Menu bar{"mainMenu"};
  gui::GUI_Component_Menu* tools = nullptr;
};

TEST_F(MenuTest, BarEntriesSitSideBySideAndTheBarSpansTheWindow) {
  const gui::MenuItemSkin& file = bar.findItem("file")->skin();
  const gui::MenuItemSkin& toolsEntry = bar.findItem("tools")->skin();
  EXPECT_EQ(file.left(), 3);
  EXPECT_EQ(file.top(), 2);
  EXPECT_EQ(toolsEntry.left(), file.right());
  EXPECT_EQ(toolsEntry.top(), file.top());
  EXPECT_EQ(bar.frame().left(), 0);
  EXPECT_EQ(bar.frame().top(), 0);
  EXPECT_EQ(bar.frame().bottom(), file.bottom());
  EXPECT_GT(bar.frame().right(), 3000);
  EXPECT_EQ(bar.getZ(), 500);
}

TEST_F(MenuTest, EmptyPartOfTheBarTakesTheMouseAsBackground) {
  gui::GUI_Component_Button below("below", L"Below the bar");
  below.place(400, 600, 2, -1);
  manager.add(&below);
  moveTo(650, 12);
  frame();
  frame();
  EXPECT_EQ(recorder.events, (Strings{"hover:MENU_BG", "hover:MENU_BG"}));
  EXPECT_EQ(drawsOf("btn_f_over.png"), 0);
  EXPECT_EQ(clickAt(650, 12), Strings{"click:MENU_BG"});
}

TEST_F(MenuTest, DropDownOpensBelowItsEntryAndStaysOpenOffTheBar) {
  pointAt("tools");
  frame();
  EXPECT_EQ(recorder.events.back(), "hover:tools");
  EXPECT_TRUE(isOpen("tools"));
  const gui::MenuItemSkin& opener = bar.findItem("tools")->skin();
  EXPECT_EQ(tools->frame().left(), opener.left());
  EXPECT_EQ(tools->frame().top(), opener.bottom());
  EXPECT_EQ(tools->item(0).skin().left(), opener.left() + 6);
  EXPECT_EQ(tools->item(0).skin().top(), opener.bottom() + 4);
  EXPECT_EQ(drawsOf("sub_field_fill.png"), 1);  // only the tools drop-down

  pointAtEntry(*tools, 0);
  frame();
  EXPECT_TRUE(isOpen("tools"));
  EXPECT_EQ(recorder.events.back(), "hover:createCircuit");
  EXPECT_EQ(clickAt(tools->item(0).skin().left() + 5, tools->item(0).skin().top() + 5),
            Strings{"click:createCircuit"});
  // Clicking an entry leaves the drop-down open until something closes it.
  EXPECT_TRUE(isOpen("tools"));

  // Inside the drop-down frame but beside the entries it still takes the mouse.
  moveTo(tools->frame().left() + 2, tools->frame().bottom() - 2);
  frame();
  EXPECT_EQ(recorder.events.back(), "hover:MENU_BG");
}

TEST_F(MenuTest, MovingAlongTheBarSwitchesTheOpenDropDown) {
  pointAt("file");
  frame();
  pointAt("help");
  frame();
  EXPECT_FALSE(isOpen("file"));
  EXPECT_TRUE(isOpen("help"));
  EXPECT_EQ(drawsOf("sub_field_fill.png"), 1);
  // Off the bar, over nothing, with the button up: it stays open.
  moveTo(700, 300);
  frame();
  EXPECT_TRUE(isOpen("help"));
  EXPECT_EQ(recorder.events.back(), "hover:help");  // nothing hovered since
}

TEST_F(MenuTest, PressOutsideClosesTheMenuAndStillReachesTheWidgetThere) {
  gui::GUI_Component_Button list("refreshTracks", L"Refresh");
  list.place(400, 300, 300, 75);
  manager.add(&list);
  pointAt("tools");
  frame();
  ASSERT_TRUE(isOpen("tools"));
  EXPECT_EQ(clickAt(320, 310), Strings{"click:refreshTracks"});
  EXPECT_FALSE(isOpen("tools"));
  frame();
  EXPECT_EQ(drawsOf("sub_field_fill.png"), 0);
}

TEST_F(MenuTest, EntriesShowHoverAndPressedHighlights) {
  moveTo(650, 12);
  frame();
  EXPECT_EQ(drawsOf("main_btn_fill.png"), 0);  // a closed, unhovered entry is only its caption
  pointAt("help");
  frame();
  EXPECT_EQ(drawsOf("main_btn_fill.png"), 1);
  setButton(true);
  frame();
  EXPECT_EQ(drawsOf("main_btn_fill_down.png"), 1);
  setButton(false);
  frame();
  gui::GUI_Component_Menu& help = bar.subMenu(2);
  pointAtEntry(help, 1);
  setButton(true);
  frame();
  EXPECT_EQ(drawsOf("sub_btn_fill_down.png"), 1);
  EXPECT_EQ(drawsOf("main_btn_fill.png"), 1);  // "Help" stays lit while its drop-down is used
}

TEST_F(MenuTest, AddedEntriesAfterRelayoutStackWithOneWidth) {
  tools->addItem("modifyTrack", L"Edit Track", true);
  tools->addItem("generateBackground", L"Generate Track Background", true);
  bar.layout(bar.getZ(), 0, 0, 0, 0);
  ASSERT_EQ(tools->itemCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(tools->item(i).skin().left(), tools->item(0).skin().left());
    EXPECT_EQ(tools->item(i).skin().right(), tools->item(2).skin().right());
  }
  EXPECT_EQ(tools->item(1).skin().top(), tools->item(0).skin().bottom());
  EXPECT_EQ(tools->frame().bottom(), tools->item(2).skin().bottom() + 4);
  EXPECT_GE(tools->frame().right(), tools->item(2).skin().right());

  pointAt("tools");
  frame();
  pointAtEntry(*tools, 2);
  EXPECT_EQ(clickAt(input.mouseX(), input.mouseY()), Strings{"click:generateBackground"});
}

TEST_F(MenuTest, ASecondWidgetAboveTheBarKeepsTheMenuIdle) {
  gui::GUI_Component_Button over("over", L"Over");
  over.place(600, 3, 2, 200);  // covers the bar's entries
  manager.add(&over);
  pointAt("file");
  frame();
  EXPECT_EQ(recorder.events.back(), "hover:over");
  EXPECT_FALSE(isOpen("file"));
  EXPECT_EQ(drawsOf("main_btn_fill.png"), 0);
}

TEST_F(MenuTest, HiddenMenuDrawsNothingAndTakesNothing) {
  bar.hide();
  pointAt("file");
  frame();
  EXPECT_TRUE(graphics.queued().empty());
  EXPECT_TRUE(recorder.events.empty());
}

}  // namespace
}  // namespace guitest
