#include "gui/GUI_Component_Swatch.h"

#include "gui/ImageCache.h"
#include "platform/Image.h"
#include "platform/Input.h"

namespace gui {
namespace {

constexpr platform::Color kSelectedOutline = platform::kWhite;
constexpr platform::Color kHoverOutline = 0xa0ffffffu;

}  // namespace

GUI_Component_Swatch::GUI_Component_Swatch(std::string id, int z, int x, int y, int width,
                                           int height, platform::Color colour, bool clickable)
    : GUI_Component(std::move(id)),
      z_(z),
      x_(x),
      y_(y),
      width_(width),
      height_(height),
      colour_(colour),
      clickable_(clickable) {}

void GUI_Component_Swatch::drawOutline(int thickness, platform::Color colour) const {
  const platform::Image& pixel = ImageCache::pixel();
  pixel.draw(x_ - thickness, y_ - thickness, z_, width_ + 2 * thickness, thickness, colour);
  pixel.draw(x_ - thickness, y_ + height_, z_, width_ + 2 * thickness, thickness, colour);
  pixel.draw(x_ - thickness, y_, z_, thickness, height_, colour);
  pixel.draw(x_ + width_, y_, z_, thickness, height_, colour);
}

std::string GUI_Component_Swatch::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  const int mx = static_cast<int>(input.mouseX()), my = static_cast<int>(input.mouseY());
  const bool hovered =
      clickable_ && mayTakeMouse && x_ < mx && mx < x_ + width_ && y_ < my && my < y_ + height_;
  ImageCache::pixel().draw(x_, y_, z_, width_, height_, colour_);
  if (selected_) {
    drawOutline(2, kSelectedOutline);
  } else if (hovered) {
    drawOutline(1, kHoverOutline);
  }
  return hovered ? id() : std::string();
}

}  // namespace gui
