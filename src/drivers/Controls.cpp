#include "drivers/Controls.h"

#include <algorithm>

#include "config/OptionKeys.h"
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
};

// In the order of Action. Their defaults are the options' own (config::Options::defaultKey).
constexpr std::array<ActionInfo, kActionCount> kInfo = {{
    {"Throttle", config::key::throttle, config::key::padThrottle},
    {"Brake", config::key::brake, config::key::padBrake},
    {"Steer left", config::key::steerLeft, config::key::padSteerLeft},
    {"Steer right", config::key::steerRight, config::key::padSteerRight},
    {"Back on track", config::key::backOnTrack, config::key::padBackOnTrack},
    {"Follow next car", config::key::followNext, config::key::padFollowNext},
    {"Follow previous car", config::key::followPrevious, config::key::padFollowPrevious},
}};

// Pause, instruments, full screen, screenshot and "race again" on the result screen.
constexpr std::array kReservedKeys = {button::kEscape, button::kBackspace, button::kF11,
                                      button::kF12, button::kEnter};

std::size_t indexOf(Action action) {
  return static_cast<std::size_t>(action);
}

}  // namespace

Controls Controls::defaults() {
  Controls controls;
  for (std::size_t i = 0; i < kInfo.size(); ++i) {
    controls.keys_[i] = config::Options::defaultKey(kInfo[i].keyOption);
    controls.pads_[i] = config::Options::defaultKey(kInfo[i].padOption);
  }
  return controls;
}

Controls Controls::fromOptions() {
  Controls controls = defaults();
  const config::Options& options = *config::Options::instance();
  for (Action action : kActions) {
    for (Device device : {Device::Keyboard, Device::Gamepad}) {
      const int id = options.getKeysInt(optionKey(action, device));
      // A hand-edited number that is no button of the device, or the game's own key, keeps the
      // default.
      if (accepts(device, id) && controls.button(action, device) != id) {
        controls.assign(action, device, id);
      }
    }
  }
  controls.steering_ =
      options.getOptionInt(config::key::smoothSteering) != 0 ? Steering::Smooth : Steering::Direct;
  return controls;
}

void Controls::store() const {
  config::Options& options = *config::Options::instance();
  for (Action action : kActions) {
    for (Device device : {Device::Keyboard, Device::Gamepad}) {
      options.setKeysInt(optionKey(action, device), button(action, device));
    }
  }
  options.setOptionInt(config::key::smoothSteering, steering_ == Steering::Smooth ? 1 : 0);
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
