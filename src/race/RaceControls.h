#pragma once
#include <optional>
#include <vector>

#include "drivers/Controls.h"

namespace physics {
class Car;
}

namespace platform {
class Input;
}

namespace race {

class Camera;

// A key that acts once and then ignores itself for a while, so a held key does not repeat
// every frame.
class KeyCooldown {
 public:
  // frames: how long the key rests after acting (20 with 16 ms frames).
  explicit KeyCooldown(int frames) : frames_(frames) {}
  // Call once per frame with whether the key is held; true when its action should run.
  bool poll(bool held) {
    if (remaining_ > 0) {
      --remaining_;
      return false;
    }
    if (!held) return false;
    remaining_ = frames_;
    return true;
  }
  int remaining() const { return remaining_; }
  // Back to ready (a new race).
  void reset() { remaining_ = 0; }

 private:
  int frames_;
  int remaining_ = 0;
};

// Which way the zoom keys ask the camera to go.
enum class ZoomStep { None, In, Out };

// The race's own keys and mouse (the driving keys belong to the player's driver): Escape pauses,
// the player's "follow next/previous car" keys (Page Up and Page Down unless changed) follow
// another car, Backspace shows the instruments, a click on a car follows it; the player's "back on
// track" key (R or the pad's Y unless changed) puts the car back on the road; and the keys the
// settings name in "[ Keys ]": zoom in (= or the keypad's +), zoom out (- or the keypad's -) and
// the minimap (M). Each key acts once and then rests, so a held key does not repeat every frame;
// a key's rest only runs out in the frames
// that ask for it.
class RaceControls {
 public:
  // restFrames: how long a key rests after acting (20 with 16 ms frames).
  RaceControls(const platform::Input& input, int restFrames);

  // What the race does with the key `id` besides driving (a platform button id): "zooms the view
  // in", "zooms the view out" or "shows or hides the minimap" for the keys the settings name
  // there (and the keypad's + and -); null for a key the race leaves to the player.
  static const char* viewKeyUse(int id);

  // A new race: every key ready, the player's keys as the settings have them, and the zoom and
  // minimap keys read afresh.
  void reset(const drivers::Controls& keys = drivers::Controls::defaults());
  // True when the player asks to be put back on the road. Ask once in every racing frame.
  bool backOnTrackPressed();
  // Ask once in every frame of the race (the zoom and minimap work during the countdown too).
  ZoomStep zoomKeys();
  bool minimapPressed();
  // Escape: true when the race should pause or go on. Ask once in every frame of the race.
  bool pausePressed();
  // "Follow next" follows the next car, "follow previous" the previous one, wrapping around the
  // field of `carCount` cars; nothing when neither acts. Ask once in every racing frame.
  std::optional<int> followKeys(int followedCar, int carCount);
  // Backspace: true when the instruments should be shown or hidden. Ask once in every racing
  // frame.
  bool instrumentsPressed();
  // The car under the pointer while the left button is down: within a car length of its centre
  // on the screen, the lowest index where cars overlap. Nothing without a click on a car.
  std::optional<int> clickedCar(const std::vector<physics::Car*>& cars, const Camera& camera) const;

 private:
  const platform::Input& input_;
  drivers::Controls keys_ = drivers::Controls::defaults();
  KeyCooldown pauseKey_;
  KeyCooldown followKeys_;
  KeyCooldown instrumentsKey_;
  KeyCooldown backOnTrackKey_;
  KeyCooldown zoomKeys_;
  KeyCooldown minimapKey_;
  int zoomInButton_ = -1;
  int zoomOutButton_ = -1;
  int minimapButton_ = -1;
};

}  // namespace race
