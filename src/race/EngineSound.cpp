#include "race/EngineSound.h"

#include <algorithm>

#include "physics/Car.h"

namespace race {

EngineMix engineMix(double listenerX, double listenerY, double carX, double carY) {
  constexpr double kPanRange = 256.0;
  constexpr double kSilentSquared = 65536.0;  // 256²
  const double dx = carX - listenerX, dy = carY - listenerY;
  EngineMix mix;
  mix.pan = std::clamp(dx / kPanRange, -1.0, 1.0);
  mix.volume = 1.0 - std::min((dx * dx + dy * dy) / kSilentSquared, 1.0);
  return mix;
}

EngineSound::EngineSound(std::unique_ptr<platform::Sample> sample) : sample_(std::move(sample)) {}

void EngineSound::registerCar(const physics::Car& car) {
  sources_.push_back({&car, {}, {}});
}

void EngineSound::setListener(const physics::Car& car) {
  listener_ = &car;
}

void EngineSound::update() {
  if (sources_.empty() || listener_ == nullptr) return;
  if (current_ >= sourceCount()) current_ = 0;
  Source& source = sources_[static_cast<std::size_t>(current_)];
  const bool playing = source.instance.playing();
  if (source.car == listener_) {
    source.mix = kListenerMix;
    if (!playing && sample_)
      source.instance = sample_->play(kListenerMix.pan, kListenerMix.volume, 1.0);
  } else {
    source.mix =
        engineMix(listener_->getX(), listener_->getY(), source.car->getX(), source.car->getY());
    if (playing) {
      source.instance.changePan(source.mix.pan);
      source.instance.changeVolume(source.mix.volume);
    } else if (sample_) {
      source.instance = sample_->play(source.mix.pan, source.mix.volume, 1.0);
    }
  }
  current_ = (current_ + 1) % sourceCount();
}

}  // namespace race
