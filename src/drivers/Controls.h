#pragma once
#include <array>
#include <optional>

namespace platform {
class Input;
}

namespace drivers {

// What the player can do with a key or a pad button during a race.
enum class Action { Throttle, Brake, Left, Right, BackOnTrack, FollowNext, FollowPrevious };
constexpr int kActionCount = 7;
constexpr std::array<Action, kActionCount> kActions = {
    Action::Throttle,    Action::Brake,      Action::Left,          Action::Right,
    Action::BackOnTrack, Action::FollowNext, Action::FollowPrevious};

// The two ways of giving an action: the keyboard or the gamepad.
enum class Device { Keyboard, Gamepad };

// How the keys steer: "direct" gives full lock at once (the game's original feel); "smooth"
// turns the wheel over about 0.15 s and gives less lock the faster the car goes.
enum class Steering { Direct, Smooth };

// The player's keys and pad buttons for every action, and the steering. Kept in the options:
// the buttons' ids in [ Keys ] ("throttle=200" is the Up arrow, "padThrottle=266" the pad's A),
// the steering as "smoothSteering" in [ Options ].
class Controls {
 public:
  static Controls defaults();
  // From the options store; a missing or unknown name gets the action's default.
  static Controls fromOptions();
  // Into the options store (the file is written by whoever saves the store).
  void store() const;

  // A button id (platform/Buttons.h), or 0 for none.
  int button(Action action, Device device) const;
  // Gives `action` the button `id`. The action that had it before, if another, gets this
  // action's old button in exchange, so no button ever does two things; that action is
  // returned. Ids of the other device and the game's own keys are refused (nothing changes,
  // see accepts()).
  std::optional<Action> assign(Action action, Device device, int id);
  // Whether `id` may be given to an action on `device`: a button of that device which the game
  // does not keep for itself (Escape, Backspace, F11, F12, Enter).
  static bool accepts(Device device, int id);

  // Whether the action's key or pad button is held.
  bool held(const platform::Input& input, Action action) const;

  Steering steering() const { return steering_; }
  void setSteering(Steering steering) { steering_ = steering; }

  // "Throttle", "Brake", "Steer left", ... for the screens.
  static const char* caption(Action action);
  // The option key of an action's button: "throttle", "padThrottle", ...
  static const char* optionKey(Action action, Device device);

  bool operator==(const Controls&) const = default;

 private:
  std::array<int, kActionCount> keys_{};
  std::array<int, kActionCount> pads_{};
  Steering steering_ = Steering::Direct;
};

}  // namespace drivers
