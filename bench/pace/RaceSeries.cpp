#include "RaceSeries.h"

#include <algorithm>
#include <cmath>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "physics/Car.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Random.h"
#include "race/RaceData.h"
#include "track/SurfaceMap.h"

namespace {

constexpr double kStandingSpeed = 0.5;  // m/s

// A car stands, or rolls backwards, this frame.
bool stopped(const physics::Car& car) {
  const double heading = -car.getAngle();
  const double ahead = std::sin(heading) * (car.getX() - car.getPreviousX()) +
                       std::cos(heading) * (car.getY() - car.getPreviousY());
  return car.speed < kStandingSpeed || ahead < 0;
}

// Every race starts from the same settings: a store left from the last race would hold the
// players' colours it drew, and the random draws of the next race would differ.
void setRaceOptions(const SeriesSettings& settings) {
  config::Options::destroy(false);
  config::Options* options = config::Options::instance();
  options->setOptionInt(config::key::onlyCPU, 1);
  options->setOptionInt(config::key::nrCars, settings.cars);
  options->setOptionInt(config::key::nrLaps, settings.laps);
  options->setOptionInt(config::key::sound, 0);
  options->setAIString(config::key::difficulty, settings.level);
}

void raceOnce(race::RaceData& race, const SeriesSettings& settings, SeriesResult& result,
              long& frames, long& offRoad) {
  const int cars = race.carCount();
  std::vector<int> stopRun(static_cast<std::size_t>(cars), 0);
  const long frameLimit = static_cast<long>(settings.timeLimit * race.framesPerSecond());
  for (long frame = 0; frame < frameLimit && !race.allFinished(); ++frame) {
    race.updateRace();
    if (race.countdownFrames() >= 0) continue;
    for (int c = 0; c < cars; ++c) {
      if (race.laps()->finished(c)) continue;
      const physics::Car& car = race.car(c);
      ++frames;
      if (car.getSurface() != track::SurfaceMap::kRoad) ++offRoad;
      int& run = stopRun[static_cast<std::size_t>(c)];
      run = stopped(car) ? run + 1 : 0;
      result.longestStop =
          std::max(result.longestStop, static_cast<double>(run) / race.framesPerSecond());
    }
  }
  result.allFinished = result.allFinished && race.allFinished();
  for (int c = 0; c < cars; ++c) {
    const double best = race.laps()->bestLap(c);
    if (best > 0 && (result.bestLap < 0 || best < result.bestLap)) result.bestLap = best;
  }
  ++result.races;
}

}  // namespace

SeriesResult raceSeries(const std::string& trackPath, const SeriesSettings& settings) {
  SeriesResult result;
  long frames = 0;
  long offRoad = 0;
  platform::Graphics graphics(800, 600);
  platform::Input input;
  platform::Audio audio;
  for (const std::uint32_t seed : settings.seeds) {
    platform::setFixedSeed(seed);
    setRaceOptions(settings);
    race::RaceData race(graphics, input, audio, 16);
    race.selectTrackPath(trackPath);
    if (!race.getTrack() || !race.startRace()) {
      result.allFinished = false;
      continue;
    }
    raceOnce(race, settings, result, frames, offRoad);
  }
  gui::FontCache::discard();
  gui::ImageCache::discard();
  result.offRoadShare = frames > 0 ? static_cast<double>(offRoad) / frames : 0;
  return result;
}
