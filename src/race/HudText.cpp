#include "race/HudText.h"

#include "gui/FontCache.h"
#include "gui/UiFont.h"
#include "platform/Font.h"

namespace race {

void drawHudText(const std::wstring& text, double x, double y, double z, platform::Color color) {
  gui::FontCache::get(gui::kFontFamily, 20).draw(text, x, y, z, 1, 1, color);
}

const platform::Font& countdownFont() {
  return gui::FontCache::get(gui::kFontFamily, 40);
}

}  // namespace race
