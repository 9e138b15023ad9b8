#include "gui/GUI_Component_Label.h"

#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Text.h"

namespace gui {

GUI_Component_Label::GUI_Component_Label(std::string id, std::wstring text,
                                         const std::string& fontName, int fontHeight, int x, int y,
                                         int z, bool shadow)
    : GUI_Component(std::move(id)),
      font_(FontCache::get(fontName, fontHeight)),
      x_(x),
      y_(y),
      z_(z),
      bottom_(y + font_.height()),
      shadow_(shadow) {
  setText(std::move(text));
}

GUI_Component_Label::GUI_Component_Label(std::string id, std::wstring text,
                                         const std::wstring& fontName, int fontHeight, int x, int y,
                                         int z, bool shadow)
    : GUI_Component_Label(std::move(id), std::move(text), platform::narrow(fontName), fontHeight, x,
                          y, z, shadow) {}

void GUI_Component_Label::setText(std::wstring text) {
  text_ = std::move(text);
  right_ = x_ + static_cast<int>(font_.textWidth(text_));
}

std::string GUI_Component_Label::process(const platform::Input& /*input*/, bool /*mayTakeMouse*/) {
  if (!visible_) return {};
  if (platform::alphaOf(backing_) != 0 && !text_.empty()) {
    const int pad = backingPadding_;
    ImageCache::pixel().draw(x_ - pad, y_ - pad, z_, right_ - x_ + 2 * pad, bottom_ - y_ + 2 * pad,
                             backing_);
  }
  if (shadow_) font_.draw(text_, x_ + 1, y_ + 1, z_, 1.0, 1.0, shadowColour_);
  font_.draw(text_, x_, y_, z_, 1.0, 1.0, colour_);
  return {};
}

}  // namespace gui
