#include "race/HudText.h"

#include "gui/FontCache.h"
#include "platform/Font.h"

namespace race {
namespace {

constexpr const char* kFontName = "Trebuchet MS";

}  // namespace

void drawHudText(const std::wstring& text, double x, double y, double z, platform::Color color) {
  hudFont(20).draw(text, x, y, z, 1, 1, color);
}

const platform::Font& hudFont(int height) {
  return FontCache::get(kFontName, height);
}

}  // namespace race
