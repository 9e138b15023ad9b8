// What the computer drivers cost: training the network, planning the first line, the per-frame
// control step and a planning turn with its expansion budget.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/Options.h"
#include "drivers/CPUDriver.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/StartPosition.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

std::string tracksFolder() {
  return std::string(KELVANE_DATA_DIR) + "/tracks/";
}

// The options store reads a settings file of its own, never the player's.
void useScratchOptions() {
  static const bool done = [] {
    const auto folder = std::filesystem::temp_directory_path() / "kelvane-bench-drivers";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / "options.ini");
    platform::setProgramFolder(folder.string() + "/");
    config::Options::destroy(false);
    return true;
  }();
  (void)done;
}

std::vector<std::string> trackNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(tracksFolder(), error)) {
    if (entry.path().extension() == ".rst") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Tracks with their surface maps, loaded once.
track::TrackData* loadedTrack(const std::string& name) {
  static std::map<std::string, std::unique_ptr<track::TrackData>> cache;
  auto& slot = cache[name];
  if (!slot) {
    slot = track::importTrack(tracksFolder() + name + ".rst");
    if (slot) slot->surfaceMap = track::buildSurfaceMap(*slot, 4.0);
  }
  return slot.get();
}

void placeOnGrid(physics::Car& car, const track::TrackData& track) {
  physics::placeOnStartPosition(car, track.positionAt(0));
}

// A trained lead driver to copy networks from.
const drivers::CPUDriver& trainedLead(track::TrackData& track, physics::Car& car) {
  static std::unique_ptr<drivers::CPUDriver> lead;
  if (!lead) {
    platform::setFixedSeed(99);
    lead = std::make_unique<drivers::CPUDriver>(car, track);
    lead->train(100000, nullptr);
  }
  return *lead;
}

void BM_TrainNetwork(benchmark::State& state) {
  int epochs = 0;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    platform::setFixedSeed(seed++);
    drivers::NeuralNetwork network;
    epochs = network.train(100000);
    benchmark::DoNotOptimize(network.outputs());
  }
  state.counters["epochs"] = epochs;
}
BENCHMARK(BM_TrainNetwork)->Unit(benchmark::kMillisecond);

void BM_InitialPath(benchmark::State& state, const std::string& name) {
  useScratchOptions();
  track::TrackData* track = loadedTrack(name);
  if (!track) {
    state.SkipWithError("track does not load");
    return;
  }
  physics::CarPhysics car(*track);
  car.initModel();
  placeOnGrid(car, *track);
  const drivers::CPUDriver& lead = trainedLead(*track, car);
  std::size_t nodes = 0;
  for (auto _ : state) {
    drivers::CPUDriver driver(car, *track, lead);
    nodes = driver.path()->size();
    benchmark::DoNotOptimize(nodes);
  }
  state.counters["nodes"] = static_cast<double>(nodes);
}

// drive + learn for one car, the car moving as in a race (its physics step is not timed).
void BM_DriveAndLearn(benchmark::State& state, const std::string& name) {
  useScratchOptions();
  track::TrackData* track = loadedTrack(name);
  if (!track) {
    state.SkipWithError("track does not load");
    return;
  }
  physics::CarPhysics car(*track);
  car.initModel();
  placeOnGrid(car, *track);
  drivers::CPUDriver driver(car, *track, trainedLead(*track, car));
  const std::vector<physics::Car*> cars = {&car};
  int frame = 0;
  for (auto _ : state) {
    driver.drive(cars);
    driver.learn();
    state.PauseTiming();
    car.update(physics::PhysicsWorld::kTimeStep);
    // Start over now and then so that the car keeps driving on the road.
    if (++frame % 3000 == 0) {
      car.initModel();
      placeOnGrid(car, *track);
    }
    state.ResumeTiming();
  }
}

// One planning turn of a driver racing round the track, with the expansion budget of the
// default skill (25 × 10 per call).
void BM_PlanTurn(benchmark::State& state, const std::string& name) {
  useScratchOptions();
  track::TrackData* track = loadedTrack(name);
  if (!track) {
    state.SkipWithError("track does not load");
    return;
  }
  physics::CarPhysics car(*track);
  car.initModel();
  placeOnGrid(car, *track);
  drivers::CPUDriver driver(car, *track, trainedLead(*track, car));
  const std::vector<physics::Car*> cars = {&car};
  long long finished = 0;
  long long calls = 0;
  for (auto _ : state) {
    finished += driver.plan() ? 1 : 0;
    ++calls;
    state.PauseTiming();
    driver.drive(cars);
    driver.learn();
    car.update(physics::PhysicsWorld::kTimeStep);
    state.ResumeTiming();
  }
  state.counters["done_share"] = calls ? static_cast<double>(finished) / calls : 0;
}

const bool registered = [] {
  for (const std::string& name : trackNames()) {
    benchmark::RegisterBenchmark(("BM_InitialPath/" + name).c_str(), BM_InitialPath, name)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_DriveAndLearn/" + name).c_str(), BM_DriveAndLearn, name)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("BM_PlanTurn/" + name).c_str(), BM_PlanTurn, name)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
