#include "race/HudText.h"

#include "gui/FontCache.h"
#include "gui/UiFont.h"
#include "platform/Font.h"

namespace race {

void drawHudText(const std::wstring& text, double x, double y, double z, platform::Color color) {
  hudFont(20).draw(text, x, y, z, 1, 1, color);
}

const platform::Font& hudFont(int height) {
  return gui::FontCache::get(gui::kFontFamily, height);
}

}  // namespace race
