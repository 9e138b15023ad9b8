#pragma once
#include <string>

#include "app/PanelWidgets.h"

namespace platform {
class Input;
}

namespace app {

// Help → Keys: every key and pad button of a race as the settings have them now, and the
// game's own keys, in a panel over the menu. "Close", a click on the panel or Escape closes it.
class KeysPanel {
 public:
  static constexpr const char* kOpen = "helpKeys";
  static constexpr const char* kPrefix = "keys_";
  static constexpr int kLayer = 590;

  KeysPanel(ScreenWidgets& widgets, int screenWidth, int screenHeight);

  void open();
  void close();
  bool isOpen() const { return open_; }
  // A command of the panel; false for the ids that are not its own.
  bool onClick(const std::string& id);
  void update(const platform::Input& input);
  void forget();

  // The lines the panel shows: the action, then its keys ("Throttle", "Up / Pad A").
  struct Line {
    std::wstring action;
    std::wstring keys;
  };
  static std::vector<Line> lines();

 private:
  PanelWidgets panel_;
  int screenWidth_;
  int screenHeight_;
  bool open_ = false;
};

}  // namespace app
