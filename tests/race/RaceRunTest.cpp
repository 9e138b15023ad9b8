#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>

#include "RaceFixture.h"
#include "physics/Car.h"
#include "platform/Text.h"
#include "race/HeadlessRace.h"
#include "race/TimeFormat.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSlowBuild = true;
#else
constexpr bool kSlowBuild = false;
#endif

using RaceRuns = RaceFixture;

// FNV-1a over the race's state, rounded so that the last bits of a platform's libm cannot
// matter while any change in behaviour does.
std::uint64_t stateHash(const race::RaceData& race) {
  std::uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](long long value) {
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= static_cast<std::uint64_t>(value >> (8 * byte)) & 0xffu;
      hash *= 1099511628211ull;
    }
  };
  const race::LapTable& laps = *race.laps();
  for (int c = 0; c < race.carCount(); ++c) {
    const physics::Car& car = race.car(c);
    mix(std::llround(car.getX() * 100));
    mix(std::llround(car.getY() * 100));
    mix(std::llround(car.getAngle() * 10000));
    mix(laps.lapsDone(c));
    for (int lap = 0; lap < laps.lapCount(); ++lap) mix(std::llround(laps.lapTime(c, lap) * 1000));
  }
  for (int c : laps.order()) mix(c);
  return hash;
}

TEST_F(RaceRuns, SeededRaceEndsInTheStoredState) {
  installTrack("meadow_loop.rst");
  setOptions(3, 2, 1);
  auto& race = makeRace("meadow_loop.rst");
  ASSERT_TRUE(race.startRace()) << race.lastError();
  for (int frame = 0; frame < 600; ++frame) race.updateRace();
  EXPECT_GT(race.car(0).speed, 5.0);
  EXPECT_EQ(stateHash(race), 5098029686437786686ull)
      << "state hash " << stateHash(race) << "; car 0 at " << race.car(0).getX() << ", "
      << race.car(0).getY();
}

struct TrackRace {
  const char* track;
  int cars;
};

class EveryTrack : public RaceFixture, public ::testing::WithParamInterface<TrackRace> {};

// Computer drivers must get every car home on every shipped track (fewer laps and cars in
// sanitizer builds, which run many times slower).
TEST_P(EveryTrack, ComputerDriversFinishTheRace) {
  const TrackRace param = GetParam();
  const int laps = kSlowBuild ? 1 : 3;
  const int cars = kSlowBuild ? std::min(param.cars, 2) : param.cars;
  installTrack(param.track);
  setOptions(cars, laps, 1);
  auto& race = makeRace(param.track);
  ASSERT_TRUE(race.startRace()) << race.lastError();
  const race::RaceOutcome outcome = race::runHeadless(race, 62L * 60 * 15);
  EXPECT_TRUE(outcome.allFinished) << race::formatResultTable(outcome.table);
  std::cout << param.track << ": " << cars << " cars, " << laps << " laps, winner "
            << platform::narrow(race::formatTime(outcome.winnerTime)) << ", last "
            << platform::narrow(race::formatTime(outcome.slowestTime)) << '\n';
  // The followed car has finished: the result screen comes up by itself.
  race.drawRace();
  EXPECT_TRUE(race.resultScreenShown());
  EXPECT_EQ(race.resultTable()[0][0], L" 1");
  EXPECT_NE(race.resultTable()[0][2], race::kNoTime);
}

INSTANTIATE_TEST_SUITE_P(
    ShippedTracks, EveryTrack,
    ::testing::Values(TrackRace{"coastal_sweep.rst", 4}, TrackRace{"forest_ribbon.rst", 4},
                      TrackRace{"grand_valley.rst", 4}, TrackRace{"harbour_grid.rst", 4},
                      TrackRace{"meadow_loop.rst", 4}, TrackRace{"quarry_hairpins.rst", 4},
                      TrackRace{"harbour_grid.rst", 12}, TrackRace{"canyon_run.rst", 4},
                      TrackRace{"dune_sprint.rst", 4}, TrackRace{"lighthouse_point.rst", 4},
                      TrackRace{"mesa_loop.rst", 4}, TrackRace{"pine_switchbacks.rst", 4},
                      TrackRace{"snowline_sprint.rst", 4}),
    [](const ::testing::TestParamInfo<TrackRace>& info) {
      std::string name = info.param.track;
      name = name.substr(0, name.find('.'));
      return name + "_" + std::to_string(info.param.cars) + "_cars";
    });

}  // namespace
