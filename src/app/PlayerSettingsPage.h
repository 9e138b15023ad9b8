#pragma once
#include <vector>

#include "app/SettingsPage.h"

namespace gui {
class GUI_Component_Picture;
class GUI_Component_Swatch;
class GUI_Component_TextField;
}  // namespace gui

namespace app {

// The player's name (a text field) and car colour (a palette, with the car shown in it).
class PlayerSettingsPage : public SettingsPage {
 public:
  PlayerSettingsPage(PanelWidgets& panel, SettingsHost& host, const Area& area);
  bool onClick(const std::string& id) override;
  bool takesKeys() const override;

  gui::GUI_Component_TextField* nameField() const { return name_; }

 private:
  void rename(const std::string& typed);
  void chooseColour(std::size_t index);

  PanelWidgets& panel_;
  SettingsHost& host_;
  gui::GUI_Component_TextField* name_ = nullptr;
  std::vector<gui::GUI_Component_Swatch*> swatches_;
  gui::GUI_Component_Picture* car_ = nullptr;
};

}  // namespace app
