#include "physics/SurfaceOptions.h"

#include <algorithm>

#include "config/OptionKeys.h"
#include "config/Options.h"

namespace physics {

namespace {

double nonNegative(int value) {
  return static_cast<double>(std::max(value, 0));
}

}  // namespace

SurfaceValues SurfaceOptions::read() {
  const config::Options* options = config::Options::instance();
  // The weather type is the prefix of the surface keys: "dry" and "wet" exist by default, and
  // a user may add the four keys for a weather type of their own.
  const std::string weather = options->getWeatherString(config::key::weatherType);
  auto value = [&](const char* name) {
    return nonNegative(options->getWeatherInt(config::key::surfaceValue(weather, name)));
  };
  SurfaceValues values;
  values.tarmacGrip = value(config::key::tarmacGrip);
  values.tarmacResistance = value(config::key::tarmacResistance);
  values.grassGrip = value(config::key::grassGrip);
  values.grassResistance = value(config::key::grassResistance);
  return values;
}

const SurfaceValues& SurfaceOptions::current() {
  // Revisions are unique across every store the process creates, so a store destroyed and
  // created anew is noticed as well.
  const unsigned revision = config::Options::instance()->revision();
  if (!valid_ || revision != revision_) {
    values_ = read();
    revision_ = revision;
    valid_ = true;
  }
  return values_;
}

}  // namespace physics
