#pragma once
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace platform {
class Font;
class Graphics;
}  // namespace platform

namespace gui {

// The process-wide store of fonts, one per family name and pixel height. Created on first use;
// the first GUI_Manager installs the graphics.
class FontCache {
 public:
  // The font `name` (e.g. gui::kFontFamily) at `height` pixels (typically 16..40).
  // Throws std::runtime_error "No graphics specified" before any GUI_Manager exists.
  static const platform::Font& get(const std::string& name, int height);
  static const platform::Font& get(const std::wstring& name, int height);

  // Fonts belong to the graphics they were made with; installing a different one drops them.
  static void setGraphics(platform::Graphics* graphics);
  // Frees every font and forgets the graphics (the main window's teardown; tests).
  static void discard();
  static std::size_t size();

 private:
  static FontCache& instance();

  platform::Graphics* graphics_ = nullptr;
  std::map<std::pair<std::string, int>, std::unique_ptr<platform::Font>> fonts_;
};

}  // namespace gui
