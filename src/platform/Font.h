#pragma once
#include <memory>
#include <string>

#include "platform/Color.h"

namespace platform {

class Graphics;

// A font by family name and pixel height, found through fontconfig. A family that is not
// installed ("Trebuchet MS" on most Linux desktops) is replaced by a humanist sans-serif. A
// character the font has no glyph for (Hebrew, Arabic, Chinese, Japanese, emoji in a Latin
// font) is drawn with the installed font fontconfig finds for it, and right-to-left text is put
// in reading order, so a title in any script reads as written.
class Font {
 public:
  // Throws std::runtime_error when no usable font file can be found.
  Font(Graphics& graphics, const std::string& family, int height);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  int height() const { return height_; }
  const std::string& family() const { return family_; }
  // Width in pixels of the text drawn with the horizontal factor.
  double textWidth(const std::wstring& text, double factorX = 1.0) const;
  // Whether every character of `text` has a glyph in this font or in the one found for it
  // (false: some are drawn as boxes).
  bool hasGlyphs(const std::wstring& text) const;
  // Top-left corner of the text at (x, y).
  void draw(const std::wstring& text, double x, double y, double z, double factorX = 1.0,
            double factorY = 1.0, Color color = kWhite) const;

  // How many drawn strings currently keep a rendered texture (text not drawn for a couple of
  // seconds is dropped).
  std::size_t cachedTexts() const;

  // Backend state (the loaded face and its rendered-text cache), opaque outside src/platform.
  struct Face;
  Face* face() const { return face_.get(); }

 private:
  Graphics& graphics_;
  std::string family_;
  int height_;
  std::unique_ptr<Face> face_;
};

}  // namespace platform
