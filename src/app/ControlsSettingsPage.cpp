#include "app/ControlsSettingsPage.h"

#include "platform/ButtonNames.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "platform/Text.h"
#include "race/RaceControls.h"

namespace app {
namespace {

using drivers::Action;
using drivers::Controls;
using drivers::Device;

constexpr int kKeyColumn = 200;
constexpr int kPadColumn = 370;
constexpr int kButtonWidth = 150;
constexpr int kRowHeight = 32;
constexpr const char* kKeyPrefix = "settings_key";
constexpr const char* kPadPrefix = "settings_pad";
constexpr const char* kDefaults = "settings_defaults";

std::wstring nameOf(int id) {
  const std::string name = platform::buttonName(id);
  return name.empty() ? L"(none)" : platform::widen(name);
}

std::wstring captionOf(Action action) {
  return platform::widen(Controls::caption(action));
}

// The game's own keys, named when a player tries to take one.
std::wstring reservedUse(int id) {
  namespace button = platform::button;
  switch (id) {
    case button::kEscape:
      return L"pauses the race";
    case button::kBackspace:
      return L"shows the instruments";
    case button::kF11:
      return L"switches full screen";
    case button::kF12:
      return L"takes a screenshot";
    case button::kEnter:
      return L"races again from the results";
    default:
      return L"is kept by the game";
  }
}

// Why `id` cannot drive on `device`: the game keeps it, or the race already uses it for the
// view, where one key would then do two things; nothing when it may be taken.
std::optional<std::wstring> refusal(Device device, int id) {
  if (!Controls::accepts(device, id)) return reservedUse(id);
  if (const char* use = race::RaceControls::viewKeyUse(id)) {
    return L"already " + platform::widen(use);
  }
  return std::nullopt;
}

std::optional<int> indexAfter(const std::string& id, const std::string& prefix) {
  if (!id.starts_with(prefix)) return std::nullopt;
  const std::string number = id.substr(prefix.size());
  if (number.size() != 1 || number[0] < '0' || number[0] >= '0' + drivers::kActionCount) {
    return std::nullopt;
  }
  return number[0] - '0';
}

}  // namespace

ControlsSettingsPage::ControlsSettingsPage(PanelWidgets& panel, SettingsHost& host,
                                           const Area& area)
    : panel_(panel), host_(host), area_(area), controls_(Controls::fromOptions()) {
  build();
}

// The buttons show their key in their caption, so the page is laid out afresh on each change.
void ControlsSettingsPage::build() {
  panel_.clear();
  const int x = area_.x, y = area_.y;
  panel_.label("settings_head", L"Keyboard", x + kKeyColumn + 4, y, 18, PanelWidgets::kDimText);
  panel_.label("settings_head", L"Gamepad", x + kPadColumn + 4, y, 18, PanelWidgets::kDimText);
  for (int i = 0; i < drivers::kActionCount; ++i) {
    const Action action = drivers::kActions[static_cast<std::size_t>(i)];
    const int rowY = y + 26 + i * kRowHeight;
    panel_.label("settings_caption", captionOf(action), x, rowY + 3, 18);
    for (Device device : {Device::Keyboard, Device::Gamepad}) {
      const bool waiting = capture_ && capture_->action == action && capture_->device == device;
      const std::wstring caption =
          waiting ? (device == Device::Keyboard ? L"Press a key..." : L"Press a button...")
                  : nameOf(controls_.button(action, device));
      const bool keyboard = device == Device::Keyboard;
      panel_.button(std::string(keyboard ? kKeyPrefix : kPadPrefix) + std::to_string(i), caption,
                    x + (keyboard ? kKeyColumn : kPadColumn), rowY, kButtonWidth);
    }
  }
  const int bottom = y + 26 + drivers::kActionCount * kRowHeight + 10;
  panel_.button(kDefaults, L"Defaults", x, bottom, 100);
  panel_.label("settings_hint", L"Click a key, then press the new one (Escape: keep the old).",
               x + 112, bottom + 4, 16, PanelWidgets::kDimText);
}

bool ControlsSettingsPage::onClick(const std::string& id) {
  if (id == kDefaults) {
    const drivers::Steering steering = controls_.steering();
    controls_ = Controls::defaults();
    controls_.setSteering(steering);
    controls_.store();
    capture_.reset();
    build();
    host_.say(L"Every key and button is back to its default.");
    host_.settingChanged();
    return true;
  }
  for (Device device : {Device::Keyboard, Device::Gamepad}) {
    const auto index = indexAfter(id, device == Device::Keyboard ? kKeyPrefix : kPadPrefix);
    if (!index) continue;
    const Capture clicked{drivers::kActions[static_cast<std::size_t>(*index)], device};
    const bool same =
        capture_ && capture_->action == clicked.action && capture_->device == clicked.device;
    if (same) {
      capture_.reset();  // a second click leaves the key as it was
      host_.say(L"");
      build();
    } else {
      startCapture(clicked);
    }
    return true;
  }
  return false;
}

void ControlsSettingsPage::startCapture(const Capture& capture) {
  capture_ = capture;
  host_.say(capture.device == Device::Keyboard
                ? L"Press the key for " + captionOf(capture.action) + L"."
                : L"Press the gamepad button for " + captionOf(capture.action) + L".");
  build();
}

void ControlsSettingsPage::update(const platform::Input& input) {
  if (!capture_) return;
  for (int id : input.presses()) {
    if (id == platform::button::kEscape) {
      capture_.reset();
      host_.say(L"");
      build();
      return;
    }
    const bool ofDevice = capture_->device == Device::Keyboard ? platform::button::isKey(id)
                                                               : platform::button::isGamepad(id);
    if (ofDevice) {
      take(id);
      return;
    }
  }
}

void ControlsSettingsPage::take(int id) {
  const Capture capture = *capture_;
  if (const auto why = refusal(capture.device, id)) {
    host_.say(nameOf(id) + L" " + *why + L": choose another key.");
    return;  // still waiting
  }
  const int previous = controls_.button(capture.action, capture.device);
  const std::optional<Action> swapped = controls_.assign(capture.action, capture.device, id);
  capture_.reset();
  controls_.store();
  if (swapped) {
    host_.say(nameOf(id) + L" was " + captionOf(*swapped) + L"'s; " + captionOf(*swapped) +
              L" now has " + nameOf(previous) + L".");
  } else {
    host_.say(captionOf(capture.action) + L": " + nameOf(id) + L".");
  }
  build();
  host_.settingChanged();
}

}  // namespace app
