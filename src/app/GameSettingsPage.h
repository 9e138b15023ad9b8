#pragma once
#include <memory>
#include <vector>

#include "app/SettingsChoices.h"
#include "app/SettingsPage.h"

namespace gui {
class GUI_Component_Label;
}

namespace app {

// Sound and its volume, full screen, the window's size, the computer drivers' level, the
// steering, the race camera's zoom and the minimap.
class GameSettingsPage : public SettingsPage {
 public:
  GameSettingsPage(PanelWidgets& panel, SettingsHost& host, const Area& area);
  bool onClick(const std::string& id) override;

 private:
  void toggle(gui::GUI_Component_Label* mark, bool on);
  void stepVolume(int delta);
  void stepWindowSize(int delta);

  PanelWidgets& panel_;
  SettingsHost& host_;
  std::vector<WindowSize> sizes_;
  int sizeIndex_ = 0;
  gui::GUI_Component_Label* soundMark_ = nullptr;
  gui::GUI_Component_Label* fullscreenMark_ = nullptr;
  gui::GUI_Component_Label* minimapMark_ = nullptr;
  gui::GUI_Component_Label* volumeLabel_ = nullptr;
  gui::GUI_Component_Label* sizeLabel_ = nullptr;
  std::unique_ptr<ChoiceRow> level_;
  std::unique_ptr<ChoiceRow> steering_;
  std::unique_ptr<ChoiceRow> zoom_;
};

}  // namespace app
