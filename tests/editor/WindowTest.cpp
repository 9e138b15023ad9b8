// The editor in its real window (headless: SDL's offscreen video and software renderer), where
// each frame's drawing is really carried out.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "editor/EditorWindow.h"
#include "platform/Bitmap.h"

namespace {

namespace button = platform::button;

class HeadlessLaunch {
 public:
  HeadlessLaunch() : saved_(platform::launchSettings()) {
    platform::launchSettings() = platform::LaunchSettings{};
    platform::launchSettings().headless = true;
  }
  ~HeadlessLaunch() { platform::launchSettings() = saved_; }
  HeadlessLaunch(const HeadlessLaunch&) = delete;
  HeadlessLaunch& operator=(const HeadlessLaunch&) = delete;

 private:
  platform::LaunchSettings saved_;
};

void clickAt(editor::EditorWindow& window, int x, int y) {
  window.input().setMouse(x, y);
  window.input().setDown(button::kMouseLeft, true);
  window.tick();
  window.input().setDown(button::kMouseLeft, false);
  window.tick();
}

TEST(EditorWindow, AMenuCommandThatReplacesTheTracksPictureDuringAFrameDrawsSafely) {
  HeadlessLaunch headless;
  menutest::ProgramFolder program;
  const std::string track =
      program.writeTrack("ring.rst", menutest::squareTrack("Small Ring", "ring.png", 2));
  platform::Bitmap(420, 420, 0xff3a7a3au).savePng(program.tracks() + "ring.png");

  editor::EditorWindow window;
  ASSERT_TRUE(window.screen().open(track));
  window.setKeepLastFrame(true);
  window.tick();
  ASSERT_NE(window.screen().picture(), nullptr);
  // The picture shows under the road, one pixel per world unit.
  const auto& view = window.screen().view();
  EXPECT_EQ(window.lastFrame().getPixel(static_cast<int>(view.toScreenX(200)),
                                        static_cast<int>(view.toScreenY(200))) |
                0xff000000u,
            0xff3a7a3au);

  // "Save" arrives while the frame that drew the old picture is still queued.
  window.screen().document().movePoint(0, 70, 70);
  auto* bar = dynamic_cast<gui::GUI_Component_Menu*>(window.screen().gui().find("editorMenu"));
  ASSERT_NE(bar, nullptr);
  const auto& opener = bar->findItem("file")->skin();
  window.input().setMouse((opener.left() + opener.right()) / 2,
                          (opener.top() + opener.bottom()) / 2);
  window.tick();
  gui::GUI_Component_MenuItem* save = nullptr;
  for (int i = 0; i < bar->subMenuCount() && save == nullptr; ++i) {
    save = bar->subMenu(i).findItem("saveTrack");
  }
  ASSERT_NE(save, nullptr);
  clickAt(window, (save->skin().left() + save->skin().right()) / 2,
          (save->skin().top() + save->skin().bottom()) / 2);
  window.tick();
  EXPECT_FALSE(window.screen().document().modified());
  EXPECT_NE(window.screen().picture(), nullptr);
}

}  // namespace
