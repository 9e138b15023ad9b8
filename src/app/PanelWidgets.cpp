#include "app/PanelWidgets.h"

#include <algorithm>

#include "gui/FieldFrame.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_Swatch.h"
#include "gui/Sprite.h"
#include "gui/UiFont.h"

namespace app {
namespace {

constexpr int kChoiceGap = 6;
constexpr int kButtonHeight = 25;

}  // namespace

gui::GUI_Component_Label* PanelWidgets::label(const std::string& id, const std::wstring& text,
                                              int x, int y, int height, platform::Color colour) {
  auto label = std::make_unique<gui::GUI_Component_Label>(id, text, gui::kFontFamily, height, x, y,
                                                          layer_, true);
  label->setColour(colour);
  return add(std::move(label));
}

gui::GUI_Component_Button* PanelWidgets::button(const std::string& id, const std::wstring& caption,
                                                int x, int y, int width) {
  auto button = std::make_unique<gui::GUI_Component_Button>(id, caption);
  button->place(layer_, x, y, width);
  return add(std::move(button));
}

gui::GUI_Component_Swatch* PanelWidgets::swatch(const std::string& id, int x, int y, int width,
                                                int height, platform::Color colour,
                                                bool clickable) {
  return add(std::make_unique<gui::GUI_Component_Swatch>(id, layer_, x, y, width, height, colour,
                                                         clickable));
}

gui::GUI_Component_Label* PanelWidgets::checkBox(const std::string& id, int x, int y,
                                                 bool checked) {
  button(id, L" ", x, y, 20);
  return label(id + "_mark", checked ? L"X" : L"", x + 5, y - 1, 20);
}

PanelWidgets::Corner PanelWidgets::frame(const std::string& idPrefix, const std::wstring& title,
                                         int screenWidth, int screenHeight, int width, int height) {
  const Corner corner{(screenWidth - width) / 2, std::max(0, (screenHeight - height) / 2)};
  // Below the panel's own widgets: the dimming takes the mouse only where they do not.
  add(std::make_unique<gui::GUI_Component_Image>(idPrefix + "bg", gui::guiImagePath("alert_bg.png"),
                                                 layer_ - 2, 0, 0, screenWidth, screenHeight,
                                                 true));
  add(std::make_unique<gui::GUI_Component_Background>(idPrefix + "panel", layer_ - 1, corner.x,
                                                      corner.y, corner.x + width, corner.y + height,
                                                      gui::FieldFrameKind::Sub));
  label(idPrefix + "title", title, corner.x + 16, corner.y + 10, 22, kAccent);
  return corner;
}

void PanelWidgets::clear() {
  for (gui::GUI_Component* widget : mine_) widgets_.destroy(widget);
  mine_.clear();
}

ChoiceRow::ChoiceRow(PanelWidgets& panel, const std::string& idPrefix,
                     const std::vector<std::wstring>& captions, int x, int y, int width, int chosen)
    : idPrefix_(idPrefix), count_(static_cast<int>(captions.size())), x_(x), y_(y), width_(width) {
  for (int i = 0; i < count_; ++i) {
    panel.button(idPrefix_ + std::to_string(i), captions[static_cast<std::size_t>(i)],
                 x_ + i * (width_ + kChoiceGap), y_, width_);
  }
  mark_ = panel.swatch(idPrefix_ + "mark", x_, y_ + kButtonHeight + 1, width_, 3,
                       PanelWidgets::kAccent, false);
  choose(chosen);
}

int ChoiceRow::indexOf(const std::string& id) const {
  for (int i = 0; i < count_; ++i) {
    if (id == idPrefix_ + std::to_string(i)) return i;
  }
  return -1;
}

void ChoiceRow::choose(int index) {
  if (index < 0 || index >= count_) return;
  chosen_ = index;
  mark_->moveTo(x_ + index * (width_ + kChoiceGap), y_ + kButtonHeight + 1);
}

}  // namespace app
