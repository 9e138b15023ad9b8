#include "drivers/Controls.h"

#include <algorithm>
#include <string>

#include "config/Options.h"
#include "platform/ButtonNames.h"
#include "platform/Buttons.h"
#include "platform/Input.h"

namespace drivers {
namespace {

namespace button = platform::button;

struct ActionInfo {
  const char* caption;
  const char* keyOption;
  const char* padOption;
  int defaultKey;
  int defaultPad;
};

constexpr int kKeyR = 19;
constexpr int kPadB = button::kGamepadButton0 + 1;
constexpr int kPadY = button::kGamepadButton0 + 3;
constexpr int kPadLeftShoulder = button::kGamepadButton0 + 9;
constexpr int kPadRightShoulder = button::kGamepadButton0 + 10;

// In the order of Action.
constexpr std::array<ActionInfo, kActionCount> kInfo = {{
    {"Throttle", "throttleKey", "throttlePad", button::kUp, button::kGamepadButton0},
    {"Brake", "brakeKey", "brakePad", button::kDown, kPadB},
    {"Steer left", "leftKey", "leftPad", button::kLeft, button::kGamepadLeft},
    {"Steer right", "rightKey", "rightPad", button::kRight, button::kGamepadRight},
    {"Back on track", "backOnTrackKey", "backOnTrackPad", kKeyR, kPadY},
    {"Follow next car", "followNextKey", "followNextPad", button::kPageUp, kPadRightShoulder},
    {"Follow previous car", "followPreviousKey", "followPreviousPad", button::kPageDown,
     kPadLeftShoulder},
}};

// Pause, instruments, full screen, screenshot and "race again" on the result screen.
constexpr std::array kReservedKeys = {button::kEscape, button::kBackspace, button::kF11,
                                      button::kF12, button::kEnter};

constexpr const char* kSteeringKey = "steering";

std::size_t indexOf(Action action) {
  return static_cast<std::size_t>(action);
}

}  // namespace

const char* steeringName(Steering steering) {
  return steering == Steering::Smooth ? "smooth" : "direct";
}

Controls Controls::defaults() {
  Controls controls;
  for (std::size_t i = 0; i < kInfo.size(); ++i) {
    controls.keys_[i] = kInfo[i].defaultKey;
    controls.pads_[i] = kInfo[i].defaultPad;
  }
  return controls;
}

Controls Controls::fromOptions() {
  Controls controls = defaults();
  const Options& options = *Options::instance();
  for (Action action : kActions) {
    for (Device device : {Device::Keyboard, Device::Gamepad}) {
      const std::string name = options.getControlsString(optionKey(action, device));
      const std::optional<int> id = platform::buttonByName(name);
      // A hand-edited name the game does not know, or one that would clash, keeps the default.
      if (id && accepts(device, *id) && controls.button(action, device) != *id) {
        controls.assign(action, device, *id);
      }
    }
  }
  const std::string steering = options.getControlsString(kSteeringKey);
  controls.steering_ = steering == "smooth" ? Steering::Smooth : Steering::Direct;
  return controls;
}

void Controls::store() const {
  Options& options = *Options::instance();
  for (Action action : kActions) {
    for (Device device : {Device::Keyboard, Device::Gamepad}) {
      options.setControlsString(optionKey(action, device),
                                platform::buttonName(button(action, device)));
    }
  }
  options.setControlsString(kSteeringKey, steeringName(steering_));
}

int Controls::button(Action action, Device device) const {
  return device == Device::Keyboard ? keys_[indexOf(action)] : pads_[indexOf(action)];
}

bool Controls::accepts(Device device, int id) {
  if (device == Device::Gamepad) return button::isGamepad(id);
  return button::isKey(id) && !platform::buttonName(id).empty() &&
         std::find(kReservedKeys.begin(), kReservedKeys.end(), id) == kReservedKeys.end();
}

std::optional<Action> Controls::assign(Action action, Device device, int id) {
  if (!accepts(device, id)) return std::nullopt;
  auto& buttons = device == Device::Keyboard ? keys_ : pads_;
  const int previous = buttons[indexOf(action)];
  std::optional<Action> swapped;
  for (Action other : kActions) {
    if (other != action && buttons[indexOf(other)] == id) {
      buttons[indexOf(other)] = previous;
      swapped = other;
    }
  }
  buttons[indexOf(action)] = id;
  return swapped;
}

bool Controls::held(const platform::Input& input, Action action) const {
  return input.down(keys_[indexOf(action)]) || input.down(pads_[indexOf(action)]);
}

const char* Controls::caption(Action action) {
  return kInfo[indexOf(action)].caption;
}

const char* Controls::optionKey(Action action, Device device) {
  const ActionInfo& info = kInfo[indexOf(action)];
  return device == Device::Keyboard ? info.keyOption : info.padOption;
}

}  // namespace drivers
