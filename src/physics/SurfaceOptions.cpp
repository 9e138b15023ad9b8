#include "physics/SurfaceOptions.h"

#include <algorithm>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "track/SurfaceMap.h"

namespace physics {

namespace {

double nonNegative(int value) {
  return static_cast<double>(std::max(value, 0));
}

// A ground's grip and resistance in `weather`, with `fallback` for keys the file lacks.
SurfaceGrip readGrip(const config::Options& options, const std::string& weather, const char* ground,
                     const SurfaceGrip& fallback) {
  const config::CIniFile& ini = options.ini();
  auto value = [&](const char* name, double fallbackValue) {
    return nonNegative(ini.getValueInt(config::Options::kWeatherSection,
                                       config::key::surfaceValue(weather, ground, name),
                                       static_cast<int>(fallbackValue)));
  };
  SurfaceGrip grip;
  grip.grip = value(config::key::grip, fallback.grip);
  grip.resistance = value(config::key::resistance, fallback.resistance);
  return grip;
}

}  // namespace

const SurfaceGrip& SurfaceValues::of(std::int32_t cell) const {
  switch (cell) {
    case track::SurfaceMap::kGrass:
    case track::SurfaceMap::kWater:
    case track::SurfaceMap::kOutside:
      return grass;
    case track::SurfaceMap::kSand:
      return sand;
    case track::SurfaceMap::kSnow:
      return snow;
    case track::SurfaceMap::kGravel:
      return gravel;
    default:
      return tarmac;
  }
}

SurfaceValues SurfaceOptions::read() {
  const config::Options& options = *config::Options::instance();
  // The weather type is the prefix of the surface keys: "dry" and "wet" exist by default, and
  // a player may add the keys for a weather type of their own.
  const std::string weather = options.weather();
  // A key the file lacks has its weather's default; a player's own weather has none, and its
  // sand, snow and gravel then feel like its grass.
  auto fallback = [&](const char* ground, const SurfaceGrip& otherwise) {
    using config::key::surfaceValue;
    SurfaceGrip grip = otherwise;
    const auto defaultGrip =
        config::Options::surfaceDefault(surfaceValue(weather, ground, config::key::grip));
    const auto defaultResistance =
        config::Options::surfaceDefault(surfaceValue(weather, ground, config::key::resistance));
    if (defaultGrip) grip.grip = *defaultGrip;
    if (defaultResistance) grip.resistance = *defaultResistance;
    return grip;
  };
  SurfaceValues values;
  values.tarmac =
      readGrip(options, weather, config::key::tarmac, fallback(config::key::tarmac, SurfaceGrip{}));
  values.grass =
      readGrip(options, weather, config::key::grass, fallback(config::key::grass, SurfaceGrip{}));
  values.sand =
      readGrip(options, weather, config::key::sand, fallback(config::key::sand, values.grass));
  values.snow =
      readGrip(options, weather, config::key::snow, fallback(config::key::snow, values.grass));
  values.gravel =
      readGrip(options, weather, config::key::gravel, fallback(config::key::gravel, values.grass));
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
