#pragma once
#include <memory>
#include <string>

#include "app/PanelWidgets.h"
#include "app/SettingsPage.h"

namespace gui {
class GUI_Component_Label;
}

namespace app {

class MessageBox;

// The settings, laid over the main menu on three pages ("Game", "Player", "Controls"). Every
// change is kept in the options store at once and written to "options.ini"; when the file
// cannot be written a message box says so. "Back" (or Escape) closes the screen and the menu
// below it is as it was.
class SettingsScreen : public SettingsHost {
 public:
  // The command that opens the screen (Tools → Settings, the race setup's button); every
  // command of the screen itself starts with kPrefix.
  static constexpr const char* kOpen = "settings";
  static constexpr const char* kPrefix = "settings_";
  // Above the menus (up to 550) and below the message box (600).
  static constexpr int kLayer = 590;
  static constexpr int kWidth = 620;
  static constexpr int kHeight = 450;

  enum class Page { Game, Player, Controls };

  SettingsScreen(ScreenWidgets& widgets, MessageBox& messageBox, platform::Window& window,
                 int screenWidth, int screenHeight);
  ~SettingsScreen() override;

  void open(Page page = Page::Game);
  void close();
  bool isOpen() const { return open_; }
  // A command of the screen; false for the ids that are not its own.
  bool onClick(const std::string& id);
  // Once per frame while the menus are shown (keys to capture, Escape).
  void update(const platform::Input& input);
  // A screen change removed every widget: the screen is closed without touching them.
  void forget();

  Page page() const { return pageShown_; }
  SettingsPage* currentPage() const { return page_.get(); }
  const std::wstring& status() const { return status_; }

  void settingChanged() override;
  void say(const std::wstring& text) override;
  platform::Window& window() override { return window_; }

 private:
  void showPage(Page page);

  ScreenWidgets& widgets_;
  MessageBox& messageBox_;
  platform::Window& window_;
  int screenWidth_;
  int screenHeight_;
  PanelWidgets frame_;
  PanelWidgets pageWidgets_;
  std::unique_ptr<SettingsPage> page_;
  std::unique_ptr<ChoiceRow> tabs_;
  gui::GUI_Component_Label* statusLabel_ = nullptr;
  std::wstring status_;
  Page pageShown_ = Page::Game;
  bool open_ = false;
};

}  // namespace app
