#pragma once
#include <memory>
#include <vector>

#include "platform/Audio.h"

namespace physics {
class Car;
}  // namespace physics

namespace race {

// Where and how loud one engine is heard.
struct EngineMix {
  double pan = 0;     // -1 full left .. 1 full right
  double volume = 0;  // 0 .. 1
};

// The listener's own engine: quiet and centred.
inline constexpr EngineMix kListenerMix{0.0, 0.1};

// A car's engine heard from the listener's position (world units). Panned by the horizontal
// distance (fully to one side at 256 units) and fading with the squared distance (silent at 256).
EngineMix engineMix(double listenerX, double listenerY, double carX, double carY);

// Every car's engine, one sample replayed per car. One car is serviced per frame, in turn, so the
// number of sound calls per frame stays constant however many cars race.
class EngineSound {
 public:
  // The sample is owned (null plays nothing: a race without a sound device still keeps the
  // rhythm); the cars registered later are not.
  explicit EngineSound(std::unique_ptr<platform::Sample> sample);

  void registerCar(const physics::Car& car);
  void setListener(const physics::Car& car);
  const physics::Car* listener() const { return listener_; }

  // Services the next car: starts its engine again if it has stopped, otherwise moves it in the
  // stereo field. Called once per racing frame.
  void update();

  int sourceCount() const { return static_cast<int>(sources_.size()); }
  int current() const { return current_; }
  // The mix last given to a source (for tests and the debug display).
  const EngineMix& lastMix(int source) const { return sources_[source].mix; }

 private:
  struct Source {
    const physics::Car* car = nullptr;
    platform::SampleInstance instance;
    EngineMix mix;
  };
  std::unique_ptr<platform::Sample> sample_;
  std::vector<Source> sources_;
  const physics::Car* listener_ = nullptr;
  int current_ = 0;
};

}  // namespace race
