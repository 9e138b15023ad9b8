#include "physics/SurfaceOptions.h"

#include <algorithm>

#include "config/Options.h"
#include "track/SurfaceMap.h"

namespace {

double nonNegative(int value) {
  return static_cast<double>(std::max(value, 0));
}

// "<weather>_<ground>_grip" and "..._resistance", with `fallback` for keys the file lacks.
SurfaceGrip readGrip(const Options& options, const std::string& weather, const char* ground,
                     const SurfaceGrip& fallback) {
  const CIniFile& ini = options.ini();
  const std::string prefix = weather + "_" + ground;
  SurfaceGrip grip;
  grip.grip = nonNegative(
      ini.getValueInt(Options::kWeatherSection, prefix + "_grip", static_cast<int>(fallback.grip)));
  grip.resistance = nonNegative(ini.getValueInt(Options::kWeatherSection, prefix + "_resistance",
                                                static_cast<int>(fallback.resistance)));
  return grip;
}

}  // namespace

const SurfaceGrip& SurfaceValues::of(std::int32_t cell) const {
  switch (cell) {
    case SurfaceMap::kGrass:
    case SurfaceMap::kWater:
    case SurfaceMap::kOutside:
      return grass;
    case SurfaceMap::kSand:
      return sand;
    case SurfaceMap::kSnow:
      return snow;
    case SurfaceMap::kGravel:
      return gravel;
    default:
      return tarmac;
  }
}

SurfaceValues SurfaceOptions::read() {
  const Options& options = *Options::instance();
  // The weather type is the prefix of the surface keys: "dry" and "wet" exist by default, and
  // a player may add the keys for a weather type of their own.
  const std::string weather = options.getWeatherString("weatherType");
  SurfaceValues values;
  values.tarmac = readGrip(options, weather, "tarmac", SurfaceGrip{});
  values.grass = readGrip(options, weather, "grass", SurfaceGrip{});
  values.sand = readGrip(options, weather, "sand", values.grass);
  values.snow = readGrip(options, weather, "snow", values.grass);
  values.gravel = readGrip(options, weather, "gravel", values.grass);
  return values;
}

const SurfaceValues& SurfaceOptions::current() {
  // Revisions are unique across every store the process creates, so a store destroyed and
  // created anew is noticed as well.
  const unsigned revision = Options::instance()->revision();
  if (!valid_ || revision != revision_) {
    values_ = read();
    revision_ = revision;
    valid_ = true;
  }
  return values_;
}
