#pragma once
#include <string>

#include "app/PanelWidgets.h"

namespace platform {
class Input;
class Window;
}  // namespace platform

namespace app {

// What a settings page may ask of the screen around it.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  // A setting changed in the options store: the screen writes the file (and says so when it
  // cannot).
  virtual void settingChanged() = 0;
  // A line for the player under the page (a key taken, a conflict); empty clears it.
  virtual void say(const std::wstring& text) = 0;
  virtual platform::Window& window() = 0;
};

// One page of the settings screen. It builds its widgets into the panel at construction, in
// the area given; the screen frees them when another page is shown.
class SettingsPage {
 public:
  // The page's room on the screen, pixels.
  struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };

  virtual ~SettingsPage() = default;
  // A command of this page's widgets; false when the id is not the page's.
  virtual bool onClick(const std::string& id) = 0;
  // Once per frame while the page is shown, before the widgets are drawn.
  virtual void update(const platform::Input& /*input*/) {}
  // While true (a key being captured, a name being typed) Escape is the page's, not a way
  // out of the screen.
  virtual bool takesKeys() const { return false; }
};

}  // namespace app
