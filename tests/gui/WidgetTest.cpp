#include <algorithm>

#include "GuiFixture.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Image.h"

namespace guitest {
namespace {

const platform::Font& buttonFont() {
  return gui::FontCache::get(gui::kFontFamily, 17);
}

TEST_F(GuiTest, ButtonWithoutLimitFitsItsCaptionPlusTenEachSide) {
  gui::GUI_Component_Button button("b", L"Generate Track Background");
  button.place(550, 40, 60, -1);
  const gui::ButtonSkin& skin = button.skin();
  EXPECT_EQ(skin.right() - skin.left(),
            static_cast<int>(buttonFont().textWidth(L"Generate Track Background") + 20));
  EXPECT_EQ(skin.bottom() - skin.top(), 17 + 8);
  EXPECT_EQ(skin.caption(), L"Generate Track Background");
  EXPECT_EQ(skin.textOffset(), 0);
}

TEST_F(GuiTest, ButtonWithLimitShortensAndCentresItsCaption) {
  gui::GUI_Component_Button button("b", L"A caption far too long for its button");
  button.place(550, 40, 60, 100);
  const gui::ButtonSkin& skin = button.skin();
  EXPECT_EQ(skin.right() - skin.left(), 100);
  const std::wstring& shown = skin.caption();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 2), L"..");
  EXPECT_EQ(shown.substr(0, shown.size() - 2),
            std::wstring(L"A caption far too long for its button").substr(0, shown.size() - 2));
  const double width = buttonFont().textWidth(shown);
  EXPECT_LE(width, 80.0);
  // One character more would not have fitted.
  const std::wstring longer =
      std::wstring(L"A caption far too long for its button").substr(0, shown.size() - 1) + L"..";
  EXPECT_GT(buttonFont().textWidth(longer), 80.0);
  EXPECT_EQ(skin.textOffset(), static_cast<int>((80 - width) * 0.5));
  // The button keeps its full caption; only the drawn one is short.
  EXPECT_EQ(button.caption(), L"A caption far too long for its button");
}

TEST_F(GuiTest, ShortCaptionsAreNeverCut) {
  gui::GUI_Component_Button tiny("b", L"WWW");
  tiny.place(550, 0, 0, 24);
  EXPECT_EQ(tiny.skin().caption(), L"WWW");
  EXPECT_LT(tiny.skin().textOffset(), 0);  // wider than the room: centred overhanging both sides
  gui::GUI_Component_Button check("cpuOnly", L" ");
  check.place(550, 0, 0, 20);
  EXPECT_EQ(check.skin().right(), 20);
}

TEST_F(GuiTest, ButtonHoverIsStrictlyInsideAndTheLookFollowsTheButton) {
  gui::GUI_Component_Button button("b", L"OK");
  button.place(550, 100, 200, 100);
  manager.add(&button);
  using Look = gui::ButtonSkin::Look;
  auto lookAt = [&](double x, double y) {
    moveTo(x, y);
    return button.skin().lookFor(input, true);
  };
  EXPECT_EQ(lookAt(100, 210), Look::Up);  // on the left edge
  EXPECT_EQ(lookAt(101, 210), Look::Over);
  EXPECT_EQ(lookAt(150, 200), Look::Up);  // on the top edge
  EXPECT_EQ(lookAt(150, 201), Look::Over);
  EXPECT_EQ(lookAt(199.9, 210), Look::Over);  // truncated to 199
  EXPECT_EQ(lookAt(200, 210), Look::Up);
  EXPECT_EQ(lookAt(150, 225), Look::Up);  // bottom edge (200 + 25)

  // Pressed outside, then moved on: pressed look at once.
  moveTo(10, 10);
  setButton(true);
  frame();
  EXPECT_EQ(drawsOf("btn_f_up.png"), 1);
  moveTo(150, 210);
  frame();
  EXPECT_EQ(drawsOf("btn_f_down.png"), 1);
  EXPECT_EQ(drawsOf("btn_f_up.png"), 0);
  // Without the mouse the button is idle however the pointer lies.
  EXPECT_EQ(button.skin().lookFor(input, false), Look::Up);
}

TEST_F(GuiTest, ButtonDrawsNinePiecesThenShadowedCaption) {
  gui::GUI_Component_Button button("b", L"Quit Race");
  button.place(1000, 563, 452, 100);
  manager.add(&button);
  frame();
  const auto& calls = graphics.queued();
  ASSERT_EQ(calls.size(), 11u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].kind, platform::DrawCall::Kind::Image);
    EXPECT_EQ(calls[static_cast<std::size_t>(i)].z, 1000);
  }
  const auto& shadow = calls[9];
  const auto& text = calls[10];
  EXPECT_EQ(shadow.color, platform::kBlack);
  EXPECT_EQ(text.color, platform::kWhite);
  EXPECT_EQ(shadow.x, text.x + 1);
  EXPECT_EQ(shadow.y, text.y + 1);
  EXPECT_EQ(text.y, 452 + 4);
  EXPECT_EQ(text.x, 563 + 10 + button.skin().textOffset());
  // The nine pieces tile the rectangle exactly.
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (int i = 0; i < 9; ++i) {
    const auto& c = calls[static_cast<std::size_t>(i)];
    minX = std::min(minX, c.x);
    minY = std::min(minY, c.y);
    maxX = std::max(maxX, c.x + c.image->width() * c.scaleX);
    maxY = std::max(maxY, c.y + c.image->height() * c.scaleY);
  }
  EXPECT_DOUBLE_EQ(minX, 563);
  EXPECT_DOUBLE_EQ(maxX, 663);
  EXPECT_DOUBLE_EQ(minY, 452);
  EXPECT_DOUBLE_EQ(maxY, 477);
}

TEST_F(GuiTest, HiddenButtonsAndLabelsDrawNothing) {
  gui::GUI_Component_Button button("b", L"Hidden");
  button.place(550, 0, 0, -1);
  gui::GUI_Component_Label label("l", L"Hidden", gui::kFontFamily, 20, 0, 0, 550);
  manager.add(&button);
  manager.add(&label);
  button.hide();
  label.hide();
  moveTo(10, 10);
  frame();
  EXPECT_TRUE(graphics.queued().empty());
  EXPECT_TRUE(recorder.events.empty());
  button.show();
  label.show();
  frame();
  EXPECT_EQ(graphics.queued().size(), 9u + 2u + 2u);
}

TEST_F(GuiTest, LabelDrawsShadowFirstAndTracksItsWidth) {
  gui::GUI_Component_Label label("gui_trackLbl", L"", gui::kFontFamily, 20, 15, 494, 550);
  label.setColour(0xff323232);
  label.setShadowColour(platform::kWhite);
  label.setText(L"Oval Speedway");
  EXPECT_EQ(
      label.right(),
      15 + static_cast<int>(gui::FontCache::get(gui::kFontFamily, 20).textWidth(L"Oval Speedway")));
  EXPECT_EQ(label.bottom(), 494 + 20);
  EXPECT_EQ(label.process(input, true), "");
  const auto& calls = graphics.queued();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].color, platform::kWhite);
  EXPECT_EQ(calls[0].x, 16);
  EXPECT_EQ(calls[1].color, 0xff323232u);
  EXPECT_EQ(calls[1].text, L"Oval Speedway");

  gui::GUI_Component_Label plain("p", L"X", L"Trebuchet MS", 20, 0, 0, 1, false);
  graphics.flush();
  plain.process(input, true);
  EXPECT_EQ(graphics.queued().size(), 1u);
}

TEST_F(GuiTest, ImageTakesTheMouseEvenWhileInvisibleAndFades) {
  gui::GUI_Component_Image image("logo", gui::guiImagePath("projectkelvane.png"), 1, 106, 300,
                                 false);
  EXPECT_EQ(image.picture().width(), 587);
  EXPECT_EQ(image.fade().alpha(), 0);
  EXPECT_EQ(image.process(input, false), "logo");
  ASSERT_EQ(graphics.queued().size(), 1u);
  EXPECT_EQ(graphics.queued()[0].color, 0x00ffffffu);  // drawn, fully transparent

  image.show();
  int frames = 0;
  while (image.fade().fading()) {
    image.process(input, true);
    ++frames;
  }
  EXPECT_EQ(frames, 26);
  EXPECT_EQ(image.fade().alpha(), 255);

  // A hide interrupted by show turns back from where it is.
  image.hide();
  for (int i = 0; i < 5; ++i) image.process(input, true);
  EXPECT_EQ(image.fade().alpha(), 205);
  image.show();
  image.process(input, true);
  EXPECT_EQ(image.fade().alpha(), 215);

  gui::GUI_Component_Image slow("bg", gui::guiImagePath("intro_bg.png"), 0, 0, 0, 1024, 768, false);
  slow.setFadeStep(1);
  slow.show();
  for (int i = 0; i < 255; ++i) slow.process(input, true);
  EXPECT_EQ(slow.fade().alpha(), 255);
  EXPECT_FALSE(slow.fade().fading());
  EXPECT_DOUBLE_EQ(slow.picture().scaleX, 1024.0 / slow.picture().width());
}

TEST_F(GuiTest, PointerFollowsTheMouseFadesAndNeverTakesIt) {
  gui::GUI_Component_Mouse pointer("gui_mouse", 1000);
  gui::GUI_Component_Button button("b", L"Under the pointer");
  button.place(550, 0, 0, -1);
  manager.add(&pointer);
  manager.add(&button);
  moveTo(30.7, 12.2);
  frame();
  EXPECT_EQ(recorder.events, std::vector<std::string>{"hover:b"});
  EXPECT_EQ(pointer.pointer().x, 30);
  EXPECT_EQ(pointer.pointer().y, 12);
  EXPECT_EQ(pointer.getZ(), 1000);

  pointer.hide();
  pointer.hide();  // a second hide changes nothing
  for (int i = 0; i < 30; ++i) frame();
  EXPECT_EQ(pointer.fade().alpha(), 0);
  EXPECT_EQ(drawsOf("mouse_pointer.png"), 1);  // still drawn, transparent
  pointer.show();
  frame();
  EXPECT_EQ(pointer.fade().alpha(), 10);
}

TEST_F(GuiTest, PlainBackgroundCoversExactlyItsRectangle) {
  gui::GUI_Component_Background background("gui_mainMenuBg", 1, 0, 0, 800, 600);
  EXPECT_EQ(background.frame().right(), 800);
  EXPECT_EQ(background.frame().bottom(), 600);
  EXPECT_EQ(background.process(input, true), "");
  const auto& calls = graphics.queued();
  ASSERT_EQ(calls.size(), 9u);
  double covered = 0;
  for (const auto& c : calls) {
    EXPECT_EQ(c.image, &gui::ImageCache::get(gui::guiImagePath("bg.png")));
    covered += c.image->width() * c.scaleX * c.image->height() * c.scaleY;
    EXPECT_GE(c.x, 0);
    EXPECT_GE(c.y, 0);
    EXPECT_LE(c.x + c.image->width() * c.scaleX, 800 + 1e-9);
    EXPECT_LE(c.y + c.image->height() * c.scaleY, 600 + 1e-9);
  }
  EXPECT_NEAR(covered, 800.0 * 600.0, 1e-6);  // no gaps, no overlaps
}

TEST_F(GuiTest, FrameSmallerThanItsCornersCollapsesInsteadOfMirroring) {
  gui::GUI_Component_Background tiny("tiny", 1, 10, 10, 20, 20);
  tiny.process(input, true);
  for (const auto& c : graphics.queued()) {
    EXPECT_GE(c.scaleX, 0.0);
    EXPECT_GE(c.scaleY, 0.0);
  }
}

}  // namespace
}  // namespace guitest
