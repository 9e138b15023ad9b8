#include "editor/StripWidget.h"

#include "editor/EditorStyle.h"
#include "editor/Shapes.h"

namespace editor {

StripWidget::StripWidget(std::string id, platform::Graphics& graphics, int z, int left, int top,
                         int right, int bottom)
    : gui::GUI_Component(std::move(id)),
      graphics_(graphics),
      z_(z),
      left_(left),
      top_(top),
      right_(right),
      bottom_(bottom) {}

std::string StripWidget::process(const platform::Input&, bool) {
  if (!visible_) return {};
  Shapes strip;
  strip.box(left_, top_, right_, bottom_, style::kSlate);
  strip.box(left_, top_, right_, top_ + 2, style::kOrange);
  strip.drawOn(graphics_, z_);
  return {};
}

}  // namespace editor
