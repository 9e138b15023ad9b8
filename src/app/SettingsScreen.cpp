#include "app/SettingsScreen.h"

#include "app/ControlsSettingsPage.h"
#include "app/GameSettingsPage.h"
#include "app/MenuRules.h"
#include "app/MessageBox.h"
#include "app/PlayerSettingsPage.h"
#include "config/Options.h"
#include "gui/GUI_Component_Label.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "platform/Text.h"

namespace app {
namespace {

constexpr const char* kBack = "settings_back";
constexpr const char* kTabPrefix = "settings_tab";
constexpr int kTabWidth = 96;
constexpr int kContentTop = 64;
constexpr int kContentLeft = 24;

}  // namespace

SettingsScreen::SettingsScreen(ScreenWidgets& widgets, MessageBox& messageBox,
                               platform::Window& window, int screenWidth, int screenHeight)
    : widgets_(widgets),
      messageBox_(messageBox),
      window_(window),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      frame_(widgets, kLayer),
      pageWidgets_(widgets, kLayer) {}

SettingsScreen::~SettingsScreen() = default;

void SettingsScreen::open(Page page) {
  close();
  open_ = true;
  const PanelWidgets::Corner corner =
      frame_.frame("settings_", L"Settings", screenWidth_, screenHeight_, kWidth, kHeight);
  tabs_ = std::make_unique<ChoiceRow>(
      frame_, kTabPrefix, std::vector<std::wstring>{L"Game", L"Player", L"Controls"},
      corner.x + kWidth - 3 * (kTabWidth + 6) - 14, corner.y + 12, kTabWidth, 0);
  statusLabel_ = frame_.label("settings_status", L"", corner.x + kContentLeft,
                              corner.y + kHeight - 36, 16, PanelWidgets::kAccent);
  frame_.button(kBack, L"Back", corner.x + kWidth - 114, corner.y + kHeight - 40, 100);
  showPage(page);
}

void SettingsScreen::showPage(Page page) {
  page_.reset();
  pageWidgets_.clear();
  pageShown_ = page;
  tabs_->choose(static_cast<int>(page));
  say(L"");
  const int x = (screenWidth_ - kWidth) / 2 + kContentLeft;
  const int y = std::max(0, (screenHeight_ - kHeight) / 2) + kContentTop;
  const SettingsPage::Area area{x, y, kWidth - 2 * kContentLeft, kHeight - kContentTop - 50};
  switch (page) {
    case Page::Game:
      page_ = std::make_unique<GameSettingsPage>(pageWidgets_, *this, area);
      break;
    case Page::Player:
      page_ = std::make_unique<PlayerSettingsPage>(pageWidgets_, *this, area);
      break;
    case Page::Controls:
      page_ = std::make_unique<ControlsSettingsPage>(pageWidgets_, *this, area);
      break;
  }
}

void SettingsScreen::close() {
  page_.reset();
  tabs_.reset();
  pageWidgets_.clear();
  frame_.clear();
  statusLabel_ = nullptr;
  open_ = false;
}

void SettingsScreen::forget() {
  page_.reset();
  tabs_.reset();
  pageWidgets_.forget();
  frame_.forget();
  statusLabel_ = nullptr;
  open_ = false;
}

bool SettingsScreen::onClick(const std::string& id) {
  if (id == kOpen) {
    open();
    return true;
  }
  if (!open_ || !id.starts_with(kPrefix)) return false;
  if (id == kBack) {
    close();
  } else if (const int tab = tabs_->indexOf(id); tab >= 0) {
    showPage(static_cast<Page>(tab));
  } else if (page_) {
    page_->onClick(id);
  }
  return true;
}

void SettingsScreen::update(const platform::Input& input) {
  if (!open_ || !page_) return;
  const bool pageHadKeys = page_->takesKeys();
  page_->update(input);
  if (pageHadKeys) return;
  for (int id : input.presses()) {
    if (id == platform::button::kEscape) {
      close();
      return;
    }
  }
}

void SettingsScreen::settingChanged() {
  config::Options& options = *config::Options::instance();
  if (options.save()) return;
  messageBox_.showPopup(L"Settings not saved",
                        L"\n" + wrapLimited(platform::widen(options.lastSaveError()), 4) +
                            L"\nThe change lasts until the game ends.",
                        "alertOK");
}

void SettingsScreen::say(const std::wstring& text) {
  status_ = text;
  if (statusLabel_ != nullptr) statusLabel_->setText(text);
}

}  // namespace app
