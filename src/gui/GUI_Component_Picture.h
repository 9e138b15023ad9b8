#pragma once
#include <memory>
#include <string>

#include "gui/GUI_Component.h"
#include "platform/Color.h"

namespace platform {
class Image;
}

namespace gui {

// A picture drawn tinted, scaled and turned about its centre: a car in its player's colour.
// Never takes the mouse.
class GUI_Component_Picture : public GUI_Component {
 public:
  // fileName: a full path, loaded through the ImageCache. (centerX, centerY): where the
  // picture's centre goes, pixels; scale e.g. 6.0; angle in degrees clockwise.
  GUI_Component_Picture(std::string id, const std::string& fileName, int z, double centerX,
                        double centerY, double scale, double angle, platform::Color tint);
  // A picture of its own (see ImageCache::fromPixels), untinted at its size, top-left (x, y).
  GUI_Component_Picture(std::string id, std::unique_ptr<platform::Image> image, int z, int x,
                        int y);
  ~GUI_Component_Picture() override;

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return z_; }

  void setTint(platform::Color tint) { tint_ = tint; }
  platform::Color tint() const { return tint_; }

 private:
  std::unique_ptr<platform::Image> owned_;
  const platform::Image& image_;
  int z_;
  double centerX_;
  double centerY_;
  double scale_;
  double angle_;
  platform::Color tint_;
};

}  // namespace gui
