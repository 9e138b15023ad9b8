#include "app/KeysPanel.h"

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/Controls.h"
#include "platform/ButtonNames.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "platform/Text.h"

namespace app {
namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 440;
constexpr int kLineHeight = 22;
constexpr const char* kClose = "keys_close";

std::wstring nameOf(int id) {
  return platform::widen(platform::buttonName(id));
}

}  // namespace

KeysPanel::KeysPanel(ScreenWidgets& widgets, int screenWidth, int screenHeight)
    : panel_(widgets, kLayer), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

std::vector<KeysPanel::Line> KeysPanel::lines() {
  using drivers::Device;
  const drivers::Controls controls = drivers::Controls::fromOptions();
  std::vector<Line> lines;
  for (drivers::Action action : drivers::kActions) {
    lines.push_back({platform::widen(drivers::Controls::caption(action)),
                     nameOf(controls.button(action, Device::Keyboard)) + L"  /  " +
                         nameOf(controls.button(action, Device::Gamepad))});
  }
  namespace button = platform::button;
  lines.push_back({L"Pause and results", nameOf(button::kEscape)});
  lines.push_back({L"Instruments", nameOf(button::kBackspace)});
  lines.push_back({L"Follow a car", L"Click on it"});
  const config::Options& options = *config::Options::instance();
  lines.push_back({L"Zoom in / out", nameOf(options.getKeysInt(config::key::zoomIn)) + L"  /  " +
                                         nameOf(options.getKeysInt(config::key::zoomOut))});
  lines.push_back({L"Minimap", nameOf(options.getKeysInt(config::key::toggleMinimap))});
  lines.push_back({L"Race again (results)", nameOf(button::kEnter)});
  lines.push_back({L"Full screen", nameOf(button::kF11)});
  lines.push_back({L"Screenshot", nameOf(button::kF12)});
  return lines;
}

void KeysPanel::open() {
  close();
  open_ = true;
  const PanelWidgets::Corner corner =
      panel_.frame("keys_", L"Keys", screenWidth_, screenHeight_, kWidth, kHeight);
  int y = corner.y + 52;
  for (const Line& line : lines()) {
    panel_.label("keys_action", line.action, corner.x + 24, y, 18, PanelWidgets::kDimText);
    panel_.label("keys_keys", line.keys, corner.x + 220, y, 18);
    y += kLineHeight;
  }
  panel_.label("keys_note", L"Change them in Tools > Settings > Controls.", corner.x + 24,
               corner.y + kHeight - 36, 16, PanelWidgets::kAccent);
  panel_.button(kClose, L"Close", corner.x + kWidth - 114, corner.y + kHeight - 40, 100);
}

void KeysPanel::close() {
  panel_.clear();
  open_ = false;
}

void KeysPanel::forget() {
  panel_.forget();
  open_ = false;
}

bool KeysPanel::onClick(const std::string& id) {
  if (id == kOpen) {
    open();
    return true;
  }
  if (!open_ || !id.starts_with(kPrefix)) return false;
  if (id == kClose || id == "keys_bg" || id == "keys_panel") close();
  return true;
}

void KeysPanel::update(const platform::Input& input) {
  if (!open_) return;
  for (int id : input.presses()) {
    if (id == platform::button::kEscape) close();
  }
}

}  // namespace app
