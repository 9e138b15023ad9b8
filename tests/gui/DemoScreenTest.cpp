// Builds one screen with every widget kind in a headless window and saves screenshots, so the
// skin can be looked at. Set KELVANE_GUI_DEMO_DIR to keep the pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gui/FontCache.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "gui/UiFont.h"
#include "platform/Bitmap.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "support/TestSupport.h"

namespace guitest {
namespace {

// Shows a widget as if the pointer stood at a fixed place, so several hover and press looks
// appear in one picture.
class PinnedPointer : public gui::GUI_Component {
 public:
  PinnedPointer(gui::GUI_Component& widget, double x, double y, bool pressed)
      : gui::GUI_Component(widget.id()), widget_(widget) {
    input_.setMouse(x, y);
    input_.setDown(platform::button::kMouseLeft, pressed);
  }
  std::string process(const platform::Input&, bool) override {
    widget_.process(input_, true);
    return {};
  }
  int getZ() const override { return widget_.getZ(); }

 private:
  gui::GUI_Component& widget_;
  platform::Input input_;
};

int prepareHeadless() {
  platform::launchSettings() = platform::LaunchSettings{};
  platform::launchSettings().headless = true;
  return 0;
}

class DemoWindow : public platform::Window {
 public:
  DemoWindow() : DemoWindow(prepareHeadless()) {}
  void draw() override { gui.update(input()); }
  gui::GUI_Manager gui{graphics()};

 private:
  explicit DemoWindow(int) : Window(800, 600, false, 16.666666) { setKeepLastFrame(true); }
};

class DemoScreenTest : public ::testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  DemoScreenTest() { platform::setProgramFolder(testsupport::dataDir()); }
  ~DemoScreenTest() override {
    window.gui.clear();
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }
  template <typename Widget, typename... Args>
  Widget& make(Args&&... args) {
    auto widget = std::make_unique<Widget>(std::forward<Args>(args)...);
    Widget& result = *widget;
    owned.push_back(std::move(widget));
    return result;
  }
  void add(gui::GUI_Component& widget) { window.gui.add(&widget); }
  void pinned(gui::GUI_Component& widget, double x, double y, bool pressed) {
    add(make<PinnedPointer>(widget, x, y, pressed));
  }
  // A picture that must not take the mouse from the widgets of the demo.
  template <typename... Args>
  void decor(Args&&... args) {
    pinned(make<gui::GUI_Component_Image>(std::forward<Args>(args)...), -1, -1, false);
  }
  gui::GUI_Component_Label& label(const std::string& id, const std::wstring& text, int height,
                                  int x, int y, platform::Color colour, platform::Color shadow,
                                  int z = 550) {
    auto& l = make<gui::GUI_Component_Label>(id, text, gui::kFontFamily, height, x, y, z);
    l.setColour(colour);
    l.setShadowColour(shadow);
    add(l);
    return l;
  }
  std::string save(const std::string& name) {
    const char* keep = std::getenv("KELVANE_GUI_DEMO_DIR");
    const std::string path = (keep ? std::string(keep) + "/" : temp.folder()) + name;
    window.saveScreenshot(path);
    return path;
  }

  DemoWindow window;
  std::vector<std::unique_ptr<gui::GUI_Component>> owned;
  testsupport::TempDir temp;
};

TEST_F(DemoScreenTest, MainMenuWithEveryWidgetKind) {
  add(make<gui::GUI_Component_Background>("gui_mainMenuBg", 1, 0, 0, 800, 600));
  add(make<gui::GUI_Component_Mouse>("gui_mouse", 1000));

  auto& list = make<gui::GUI_Component_ListBox>("gui_tracksLB", 3, std::vector<int>{50, 380, 768});
  list.setFrameKind(gui::FieldFrameKind::List);
  list.setTitle({L"Nr.", L"Track", L"File"});
  const wchar_t* titles[] = {L"Oval Speedway",
                             L"Harbour Loop",
                             L"Mountain Pass",
                             L"Desert Ring",
                             L"City Night Circuit with a very long name that "
                             L"does not fit into its column at all",
                             L"Forest Sprint",
                             L"Lakeside",
                             L"Old Airfield"};
  for (int i = 0; i < 8; ++i) {
    list.addRow("listboxItem_" + std::to_string(i),
                {std::to_wstring(i + 1), titles[i], L"track" + std::to_wstring(i + 1) + L".rst"});
  }
  list.layout(400, 0, 46, 240);
  pinned(list, 300, 46 + 2 + 24 + 24 + 12, false);

  auto& bar = make<gui::GUI_Component_Menu>("mainMenu");
  bar.addItem("file", L"File");
  bar.addItem("tools", L"Tools");
  bar.addItem("help", L"Help");
  auto tools = std::make_unique<gui::GUI_Component_Menu>("toolsMenu");
  tools->setFrameKind(gui::FieldFrameKind::Sub);
  tools->addItem("createCircuit", L"Create New Track", true);
  tools->addItem("modifyTrack", L"Edit Track", true);
  tools->addItem("generateBackground", L"Generate Track Background", true);
  gui::GUI_Component_Menu& toolsMenu = bar.addSubMenu("tools", std::move(tools));
  bar.layout(500, 0, 0, 0, 0);
  add(bar);

  const int y = 296;
  for (auto [id, caption, x, pressed] :
       {std::tuple{"refreshTracks", L"Refresh", 800 - 293, false},
        std::tuple{"prevCircuit", L"Scroll up", 800 - 215, false},
        std::tuple{"nextCircuit", L"Scroll down", 800 - 112, true}}) {
    auto& button = make<gui::GUI_Component_Button>(id, caption);
    button.place(550, x, y, x == 800 - 293 ? 75 : 100);
    if (x == 800 - 293) {
      add(button);
    } else {
      pinned(button, x + 50, y + 10, pressed);
    }
  }

  label("gui_trackLbl", L"Oval Speedway", 20, 15, y, 0xff323232, platform::kWhite);
  label("gui_lapsLbl", L"Laps", 20, 25, y + 25, 0xff5a5a5a, platform::kWhite);
  label("gui_nrlapsLbl", L"3", 20, 51, y + 61, 0xff969696, platform::kBlack);
  label("gui_carsLbl", L"Cars", 20, 125, y + 25, 0xff5a5a5a, platform::kWhite);
  label("gui_nrcarsLbl", L"8", 20, 151, y + 61, 0xff969696, platform::kBlack);
  label("gui_cpuLbl", L"CPU Cars Only", 20, 271, y + 25, 0xff5a5a5a, platform::kWhite);
  for (auto [id, caption, x, dy, width] :
       {std::tuple{"addLap", L"+", 48, 50, 24}, std::tuple{"subLap", L"-", 48, 81, 24},
        std::tuple{"addCar", L"+", 148, 50, 24}, std::tuple{"subCar", L"-", 148, 81, 24},
        std::tuple{"cpuOnly", L" ", 248, 25, 20},
        std::tuple{"startRace", L"START RACE", 248, 50, 124}}) {
    auto& button = make<gui::GUI_Component_Button>(id, caption);
    button.place(550, x, y + dy, width);
    add(button);
  }
  label("gui_cpuXLbl", L"X", 20, 253, y + 24, platform::kWhite, platform::kBlack, 551);

  // A message box without its dimming layer, so the screen stays visible beside it.
  const int x0 = 390, y0 = 330;
  decor("popup", gui::guiImagePath("popup.png"), 600, x0, y0, true);
  label("popuptitle", L"Background image not found", 18, x0 + 10, y0 + 3, platform::kWhite,
        platform::kBlack, 600);
  label("popuptext", L"The background image of this track was not found.", 18, x0 + 20, y0 + 58,
        platform::kWhite, platform::kBlack, 600);
  auto& ok = make<gui::GUI_Component_Button>("alertOK", L"OK");
  ok.place(601, x0 + 150, y0 + 160, 100);
  add(ok);

  // The race instruments, as the race draws them (brake half, throttle full, steering right).
  const int w = 120, h = 590;
  decor("p1", gui::guiImagePath("powerbar.png"), 1000, w - 60, h - 60, true);
  decor("p2", gui::guiImagePath("powerbar.png"), 1000, w - 34, h - 60, true);
  decor("b", gui::guiImagePath("brake_bar.png"), 1000, w - 59, h - 18 - 20, 22, 20, true);
  decor("t", gui::guiImagePath("throttle_bar.png"), 1000, w - 33, h - 18 - 41, 22, 41, true);
  decor("s", gui::guiImagePath("steer_bar.png"), 1000, w - 60, h - 70, true);
  decor("wi", gui::guiImagePath("wheel_indicator.png"), 1000, w - 39 + 10 - 4, h - 69 - 4, true);

  // Open the Tools drop-down, then rest the pointer on its second entry.
  const gui::MenuItemSkin& opener = bar.findItem("tools")->skin();
  window.input().setMouse(opener.left() + 10, 12);
  window.tick();
  const gui::MenuItemSkin& entry = toolsMenu.item(1).skin();
  window.input().setMouse(entry.left() + 30, entry.top() + 10);
  window.tick();
  ASSERT_TRUE(bar.findItem("tools")->isOpen());

  const std::string path = save("gui_demo_menu.png");
  const platform::Bitmap shot = platform::Bitmap::loadPng(path);
  ASSERT_EQ(shot.width(), 800);
  ASSERT_EQ(shot.height(), 600);
  // The plain background shows its light slate tone where nothing covers it.
  const platform::Color bg = shot.getPixel(780, 200);
  EXPECT_NEAR(platform::redOf(bg), 0xae, 4);
  EXPECT_NEAR(platform::blueOf(bg), 0xc0, 4);
  // The menu bar is dark across the whole width.
  EXPECT_LT(platform::redOf(shot.getPixel(790, 10)), 0x60);
}

TEST_F(DemoScreenTest, IntroAndAboutBox) {
  add(make<gui::GUI_Component_Image>("gui_bgImg", gui::guiImagePath("intro_bg.png"), 0, 0, 0, 800,
                                     600, true));
  add(make<gui::GUI_Component_Image>("gui_kelvaneImg", gui::guiImagePath("projectkelvane.png"), 1,
                                     (800 - 587) / 2, 300 - 188, true));
  window.tick();
  save("gui_demo_intro.png");

  window.gui.clear();
  add(make<gui::GUI_Component_Background>("gui_mainMenuBg", 1, 0, 0, 800, 600));
  add(make<gui::GUI_Component_Image>("aboutbg", gui::guiImagePath("alert_bg.png"), 600, 0, 0, 800,
                                     600, true));
  const int x1 = 100, y1 = 100;
  add(make<gui::GUI_Component_Image>("aboutbox", gui::guiImagePath("aboutbox.png"), 600, x1, y1,
                                     true));
  label("aboutversion", L"Version 1.0", 19, x1 + 300, y1 + 250, platform::kWhite, platform::kBlack,
        600);
  label("aboutdevs", L"(c) 2008 Project Kelvane team", 16, x1 + 300, y1 + 280, platform::kWhite,
        platform::kBlack, 600);
  label("aboutdevs", L"Programming, art and tracks by the team", 16, x1 + 300, y1 + 295,
        platform::kWhite, platform::kBlack, 600);
  label("aboutdevs", L"using SDL2 and Xerces-C", 16, x1 + 300, y1 + 310, platform::kWhite,
        platform::kBlack, 600);
  window.tick();
  const platform::Bitmap shot = platform::Bitmap::loadPng(save("gui_demo_about.png"));
  // The dimmed background outside the box is darker than the plain background.
  EXPECT_LT(platform::redOf(shot.getPixel(20, 20)), 0x70);
}

}  // namespace
}  // namespace guitest
