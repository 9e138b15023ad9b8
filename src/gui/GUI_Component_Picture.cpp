#include "gui/GUI_Component_Picture.h"

#include "gui/ImageCache.h"
#include "platform/Image.h"

namespace gui {

GUI_Component_Picture::GUI_Component_Picture(std::string id, const std::string& fileName, int z,
                                             double centerX, double centerY, double scale,
                                             double angle, platform::Color tint)
    : GUI_Component(std::move(id)),
      image_(ImageCache::get(fileName)),
      z_(z),
      centerX_(centerX),
      centerY_(centerY),
      scale_(scale),
      angle_(angle),
      tint_(tint) {}

GUI_Component_Picture::GUI_Component_Picture(std::string id, std::unique_ptr<platform::Image> image,
                                             int z, int x, int y)
    : GUI_Component(std::move(id)),
      owned_(std::move(image)),
      image_(*owned_),
      z_(z),
      centerX_(x + image_.width() / 2.0),
      centerY_(y + image_.height() / 2.0),
      scale_(1.0),
      angle_(0.0),
      tint_(platform::kWhite) {}

GUI_Component_Picture::~GUI_Component_Picture() = default;

std::string GUI_Component_Picture::process(const platform::Input& /*input*/,
                                           bool /*mayTakeMouse*/) {
  if (visible_) image_.drawRot(centerX_, centerY_, z_, angle_, 0.5, 0.5, scale_, scale_, tint_);
  return {};
}

}  // namespace gui
