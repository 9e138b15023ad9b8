#pragma once
#include <optional>

#include "app/SettingsPage.h"
#include "drivers/Controls.h"

namespace app {

// The player's keys and pad buttons, one row per action: a click on a button waits for the
// key (or pad button) to give it; "Defaults" gives every action its first key back.
class ControlsSettingsPage : public SettingsPage {
 public:
  ControlsSettingsPage(PanelWidgets& panel, SettingsHost& host, const Area& area);
  bool onClick(const std::string& id) override;
  void update(const platform::Input& input) override;
  bool takesKeys() const override { return capture_.has_value(); }

  struct Capture {
    drivers::Action action;
    drivers::Device device;
  };
  const std::optional<Capture>& capture() const { return capture_; }
  const drivers::Controls& controls() const { return controls_; }

 private:
  void build();
  void startCapture(const Capture& capture);
  void take(int id);

  PanelWidgets& panel_;
  SettingsHost& host_;
  Area area_;
  drivers::Controls controls_;
  std::optional<Capture> capture_;
};

}  // namespace app
