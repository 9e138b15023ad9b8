#include "app/MessageBox.h"

#include <cmath>
#include <memory>

#include "app/MenuCommands.h"
#include "app/MenuRules.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/Sprite.h"
#include "gui/UiFont.h"
#include "platform/Font.h"

namespace app {

namespace {
constexpr int kTextHeight = 18;
constexpr int kBoxWidth = 400;
}  // namespace

MessageBox::MessageBox(ScreenWidgets& widgets, int screenWidth, int screenHeight,
                       std::wstring version)
    : widgets_(widgets),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      version_(std::move(version)) {}

const wchar_t* MessageBox::creditsLine() {
  return L"\u00a9 2008 Lakeside Technical College";
}

const wchar_t* MessageBox::developersLine() {
  return L"Developers: Mira Arden, Jonas Okafor, Lena Verhoeven";
}

const wchar_t* MessageBox::librariesLine() {
  return L"using SDL2 and Xerces-C";
}

void MessageBox::showPopup(const std::wstring& title, const std::wstring& text,
                           const std::string& buttonId) {
  closePopup();
  const Point origin = popupOrigin(screenWidth_, screenHeight_);
  widgets_.add(std::make_unique<gui::GUI_Component_Image>("popupbg",
                                                          gui::guiImagePath("alert_bg.png"), kLayer,
                                                          0, 0, screenWidth_, screenHeight_, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Image>("popup", gui::guiImagePath("popup.png"),
                                                          kLayer, origin.x, origin.y, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Label>("popuptitle", title, gui::kFontFamily,
                                                          kTextHeight, origin.x + 10, origin.y + 3,
                                                          kLayer, true));

  // closePopup removes ten text lines; more would stay behind on the screen, so the text is
  // cut at ten lines.
  int lines = 0;
  int lineY = origin.y + 40;
  std::wstring buffer;
  for (const wchar_t c : text) {
    if (c == L'\n') {
      if (!buffer.empty() && lines < kMaxTextLines) {
        addTextLine(buffer, lineY, origin.x);
        ++lines;
      }
      buffer.clear();
      lineY += kTextHeight;
    } else {
      buffer += c;
    }
  }
  if (!buffer.empty() && lines < kMaxTextLines) addTextLine(buffer, lineY, origin.x);

  buttonId_ = buttonId;
  auto button = std::make_unique<gui::GUI_Component_Button>(buttonId, L"OK");
  button->place(kButtonLayer, origin.x + 150, screenHeight_ / 2 - 40, 100);
  widgets_.add(std::move(button));
}

void MessageBox::addTextLine(const std::wstring& line, int y, int originX) {
  const double width = gui::FontCache::get(gui::kFontFamily, kTextHeight).textWidth(line, 1.0);
  const int x = originX + static_cast<int>(std::trunc((kBoxWidth - width) * 0.5));
  widgets_.add(std::make_unique<gui::GUI_Component_Label>("popuptext", line, gui::kFontFamily,
                                                          kTextHeight, x, y, kLayer, true));
}

void MessageBox::closePopup() {
  for (const char* id : {command::closePopup, "popup", "popuptitle", "popupbg"})
    widgets_.destroyById(id);
  if (!buttonId_.empty()) widgets_.destroyById(buttonId_);
  buttonId_.clear();
  for (int i = 0; i < kMaxTextLines; ++i) widgets_.destroyById("popuptext");
}

void MessageBox::showAbout() {
  closePopup();
  const Point origin = aboutOrigin(screenWidth_, screenHeight_);
  widgets_.add(std::make_unique<gui::GUI_Component_Image>(command::aboutBackground,
                                                          gui::guiImagePath("alert_bg.png"), kLayer,
                                                          0, 0, screenWidth_, screenHeight_, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Image>(
      command::aboutBox, gui::guiImagePath("aboutbox.png"), kLayer, origin.x, origin.y, true));
  const int x = origin.x + 300;
  widgets_.add(std::make_unique<gui::GUI_Component_Label>("aboutversion", L"Version " + version_,
                                                          gui::kFontFamily, 19, x, origin.y + 250,
                                                          kLayer, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Label>(
      "aboutdevs", creditsLine(), gui::kFontFamily, 16, x, origin.y + 280, kLayer, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Label>(
      "aboutdevs", developersLine(), gui::kFontFamily, 16, x, origin.y + 295, kLayer, true));
  widgets_.add(std::make_unique<gui::GUI_Component_Label>(
      "aboutdevs", librariesLine(), gui::kFontFamily, 16, x, origin.y + 310, kLayer, true));
}

void MessageBox::closeAbout() {
  for (const char* id : {command::aboutBackground, command::aboutBox, "aboutversion"})
    widgets_.destroyById(id);
  for (int i = 0; i < 3; ++i) widgets_.destroyById("aboutdevs");
}

}  // namespace app
