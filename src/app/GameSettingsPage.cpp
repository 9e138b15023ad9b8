#include "app/GameSettingsPage.h"

#include "app/MenuRules.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/Controls.h"
#include "drivers/DriverLevel.h"
#include "gui/GUI_Component_Label.h"
#include "platform/Window.h"

namespace app {
namespace {

constexpr int kRowHeight = 38;
constexpr int kControlX = 200;  // from the area's left edge
constexpr int kChoiceWidth = 90;

config::Options& options() {
  return *config::Options::instance();
}

std::wstring percentText(int volume) {
  return std::to_wstring(volume) + L" %";
}

std::wstring sizeText(const WindowSize& size) {
  return std::to_wstring(size.width) + L" \u00d7 " + std::to_wstring(size.height);
}

}  // namespace

GameSettingsPage::GameSettingsPage(PanelWidgets& panel, SettingsHost& host, const Area& area)
    : panel_(panel), host_(host) {
  const int x = area.x + kControlX;
  int y = area.y;
  auto caption = [&](const std::wstring& text) {
    panel_.label("settings_caption", text, area.x, y + 3, 18, PanelWidgets::kDimText);
  };

  caption(L"Sound");
  soundMark_ =
      panel_.checkBox("settings_sound", x, y, options().getOptionInt(config::key::sound) != 0);
  y += kRowHeight;
  caption(L"Volume");
  panel_.button("settings_volumeDown", L"-", x, y, 24);
  volumeLabel_ =
      panel_.label("settings_volumeLbl", percentText(options().getOptionInt(config::key::volume)),
                   x + 34, y + 3);
  panel_.button("settings_volumeUp", L"+", x + 90, y, 24);
  y += kRowHeight;
  caption(L"Full screen");
  fullscreenMark_ = panel_.checkBox("settings_fullscreen", x, y, host_.window().fullscreen());
  y += kRowHeight;

  caption(L"Window size");
  const platform::Window::Size screen = host_.window().screenSize();
  const WindowSize current{windowWidthFor(options().getGraphicsInt(config::key::width)),
                           windowHeightFor(options().getGraphicsInt(config::key::height))};
  sizes_ = windowSizeChoices(screen.width, screen.height, current);
  for (std::size_t i = 0; i < sizes_.size(); ++i) {
    if (sizes_[i] == current) sizeIndex_ = static_cast<int>(i);
  }
  panel_.button("settings_sizeDown", L"<", x, y, 24);
  sizeLabel_ = panel_.label("settings_sizeLbl", sizeText(current), x + 34, y + 3);
  panel_.button("settings_sizeUp", L">", x + 130, y, 24);
  panel_.label("settings_sizeNote", L"from the next start", x + 166, y + 4, 16,
               PanelWidgets::kDimText);
  y += kRowHeight;

  caption(L"Computer drivers");
  level_ = std::make_unique<ChoiceRow>(panel_, "settings_level",
                                       std::vector<std::wstring>{L"Easy", L"Medium", L"Hard"}, x, y,
                                       kChoiceWidth, static_cast<int>(drivers::storedLevel()));
  y += kRowHeight;
  caption(L"Keyboard steering");
  const bool smooth = drivers::Controls::fromOptions().steering() == drivers::Steering::Smooth;
  steering_ = std::make_unique<ChoiceRow>(panel_, "settings_steering",
                                          std::vector<std::wstring>{L"Direct", L"Smooth"}, x, y,
                                          kChoiceWidth, smooth ? 1 : 0);
  y += kRowHeight;
  caption(L"Camera zoom");
  zoom_ = std::make_unique<ChoiceRow>(
      panel_, "settings_zoom", std::vector<std::wstring>{L"1\u00d7", L"1.5\u00d7", L"2\u00d7"}, x,
      y, kChoiceWidth, zoomIndexOf(options().getGraphicsInt(config::key::zoom)));
  y += kRowHeight;
  caption(L"Minimap");
  minimapMark_ = panel_.checkBox("settings_minimap", x, y,
                                 options().getGraphicsInt(config::key::minimap) != 0);
}

void GameSettingsPage::toggle(gui::GUI_Component_Label* mark, bool on) {
  mark->setText(on ? L"X" : L"");
  host_.settingChanged();
}

bool GameSettingsPage::onClick(const std::string& id) {
  if (id == "settings_sound") {
    const bool on = options().getOptionInt(config::key::sound) == 0;
    options().setOptionInt(config::key::sound, on ? 1 : 0);
    toggle(soundMark_, on);
  } else if (id == "settings_fullscreen") {
    platform::Window& window = host_.window();
    window.setFullscreen(!window.fullscreen());
    options().setGraphicsInt(config::key::fullscreen, window.fullscreen() ? 1 : 0);
    toggle(fullscreenMark_, window.fullscreen());
  } else if (id == "settings_minimap") {
    const bool on = options().getGraphicsInt(config::key::minimap) == 0;
    options().setGraphicsInt(config::key::minimap, on ? 1 : 0);
    toggle(minimapMark_, on);
  } else if (id == "settings_volumeDown" || id == "settings_volumeUp") {
    stepVolume(id == "settings_volumeUp" ? 1 : -1);
  } else if (id == "settings_sizeDown" || id == "settings_sizeUp") {
    stepWindowSize(id == "settings_sizeUp" ? 1 : -1);
  } else if (const int level = level_->indexOf(id); level >= 0) {
    level_->choose(level);
    drivers::storeLevel(static_cast<drivers::DriverLevel>(level));
    host_.settingChanged();
  } else if (const int steering = steering_->indexOf(id); steering >= 0) {
    steering_->choose(steering);
    drivers::Controls controls = drivers::Controls::fromOptions();
    controls.setSteering(steering == 1 ? drivers::Steering::Smooth : drivers::Steering::Direct);
    controls.store();
    host_.settingChanged();
  } else if (const int zoom = zoom_->indexOf(id); zoom >= 0) {
    zoom_->choose(zoom);
    options().setGraphicsInt(config::key::zoom, kZoomLevels[static_cast<std::size_t>(zoom)]);
    host_.settingChanged();
  } else {
    return false;
  }
  return true;
}

void GameSettingsPage::stepVolume(int delta) {
  const int volume = steppedVolume(options().getOptionInt(config::key::volume), delta);
  options().setOptionInt(config::key::volume, volume);
  host_.window().audio().setMasterVolume(volume / 100.0);
  volumeLabel_->setText(percentText(volume));
  host_.settingChanged();
}

void GameSettingsPage::stepWindowSize(int delta) {
  const int next = sizeIndex_ + delta;
  if (next < 0 || next >= static_cast<int>(sizes_.size())) return;
  sizeIndex_ = next;
  const WindowSize& size = sizes_[static_cast<std::size_t>(next)];
  options().setGraphicsInt(config::key::width, size.width);
  options().setGraphicsInt(config::key::height, size.height);
  sizeLabel_->setText(sizeText(size));
  host_.say(L"The window opens at " + sizeText(size) + L" from the next start.");
  host_.settingChanged();
}

}  // namespace app
