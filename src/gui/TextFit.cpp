#include "gui/TextFit.h"

#include "platform/Font.h"

namespace gui {

std::wstring fitText(const platform::Font& font, std::wstring text, double maxWidth) {
  while (text.size() > 3 && font.textWidth(text) > maxWidth) {
    text.resize(text.size() - 3);
    text += L"..";
  }
  return text;
}

}  // namespace gui
