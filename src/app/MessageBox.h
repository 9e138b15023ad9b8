#pragma once
#include <string>

#include "app/ScreenWidgets.h"

namespace app {

// The modal message box and the about box, laid over whatever menu screen is shown. Both cover
// the window with a dimming picture on layer 600, which takes every click, so nothing below can
// be used while they are open.
class MessageBox {
 public:
  static constexpr int kLayer = 600;
  static constexpr int kButtonLayer = 601;
  static constexpr int kMaxTextLines = 10;

  // Window size in pixels; `version` as shown in the about box ("1.0").
  MessageBox(ScreenWidgets& widgets, int screenWidth, int screenHeight, std::wstring version);

  // Replaces any open box. `text` is split at "\n"; each non-empty line is centred in the
  // 400 pixel box, an empty line only moves the next one down. The OK button's command is
  // `buttonId` (command::closePopup closes the box; others act and close it themselves).
  void showPopup(const std::wstring& title, const std::wstring& text, const std::string& buttonId);
  // Removes the open box with its button, whatever command that button carries: a box can be
  // replaced by another before its button is pressed, and its button must not stay behind.
  void closePopup();
  void showAbout();
  void closeAbout();

  // The about box's credits and developers lines.
  static const wchar_t* creditsLine();
  static const wchar_t* developersLine();
  static const wchar_t* librariesLine();

 private:
  void addTextLine(const std::wstring& line, int y, int originX);

  ScreenWidgets& widgets_;
  int screenWidth_;
  int screenHeight_;
  std::wstring version_;
  std::string buttonId_;  // the open box's button
};

}  // namespace app
