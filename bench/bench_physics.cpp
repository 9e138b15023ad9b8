// Cost of the car model's step and of one frame of the physics world with a full grid.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/Options.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/SurfaceOptions.h"
#include "platform/Paths.h"
#include "track/TrackData.h"

namespace {

// Options come from an empty folder, so the defaults apply and no real file is read.
class Scene {
 public:
  Scene() {
    folder_ = std::filesystem::temp_directory_path() / "kelvane-bench-physics";
    std::filesystem::create_directories(folder_);
    config::Options::destroy(false);
    platform::setProgramFolder(folder_.string() + "/");
    track_.surfaceMap = std::make_unique<track::SurfaceMap>(500, 500);
    for (auto& cell : track_.surfaceMap->cells) cell = track::SurfaceMap::kRoad;
  }
  ~Scene() {
    config::Options::destroy(false);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // Every cell of the map becomes `kind` (SurfaceMap::kGrass, kSand, ...).
  void fill(std::int32_t kind) {
    for (auto& cell : track_.surfaceMap->cells) cell = kind;
  }

  std::unique_ptr<physics::CarPhysics> car(double x, double y) {
    auto made = std::make_unique<physics::CarPhysics>(track_);
    made->initModel();
    made->setPosition(x, y, 0);
    return made;
  }

 private:
  std::filesystem::path folder_;
  track::TrackData track_;
};

void BM_CarPhysicsUpdate(benchmark::State& state) {
  Scene scene;
  auto car = scene.car(1000, 200);
  int frame = 0;
  for (auto _ : state) {
    car->throttle = 1;
    car->brake = 0;
    car->steer = (frame++ / 120) % 2 == 0 ? 0.5 : -0.5;  // weave, so every branch is taken
    car->update(physics::PhysicsWorld::kTimeStep);
    // Keep the car on the map for millions of iterations.
    if (frame % 600 == 0) car->setPosition(1000, 200, car->heading());
    benchmark::DoNotOptimize(car->getX());
  }
}
BENCHMARK(BM_CarPhysicsUpdate);

// Twelve cars packed two abreast as on a start grid, close enough that neighbours touch and
// the exact rectangle test runs for many pairs.
void BM_PhysicsWorldStep12(benchmark::State& state) {
  Scene scene;
  std::vector<std::unique_ptr<physics::CarPhysics>> cars;
  physics::PhysicsWorld world;
  auto place = [&] {
    for (std::size_t i = 0; i < cars.size(); ++i) {
      cars[i]->setPosition(1000 + (i % 2) * 9.0, 200 + (i / 2) * 17.0, 0.05 * (i % 3));
      cars[i]->speed = 2;
    }
  };
  for (int i = 0; i < 12; ++i) {
    cars.push_back(scene.car(0, 0));
    world.registerCar(*cars.back());
  }
  place();
  int frame = 0;
  for (auto _ : state) {
    for (auto& car : cars) car->throttle = 1;
    world.step();
    if (++frame % 30 == 0) place();  // keep them packed
  }
}
BENCHMARK(BM_PhysicsWorldStep12);

// Not a time: the top speed at full throttle on each kind of ground with the default dry
// settings, in km/h (the "km/h" counter), for the themes' notes. The car is put back on the
// map every second, keeping its speed, so it never meets the map's edge.
void BM_TopSpeedOnGround(benchmark::State& state) {
  Scene scene;
  scene.fill(static_cast<std::int32_t>(state.range(0)));
  double topSpeed = 0;
  for (auto _ : state) {
    auto car = scene.car(1000, 200);
    for (int step = 0; step < 60 * 100; ++step) {
      car->throttle = 1;
      car->brake = 0;
      car->steer = 0;
      car->update(physics::PhysicsWorld::kTimeStep);
      if (step % 100 == 0) car->setPosition(1000, 200, car->heading());
    }
    topSpeed = car->speed * 3.6;
  }
  state.counters["km/h"] = topSpeed;
}
BENCHMARK(BM_TopSpeedOnGround)
    ->Arg(track::SurfaceMap::kRoad)
    ->Arg(track::SurfaceMap::kGrass)
    ->Arg(track::SurfaceMap::kSand)
    ->Arg(track::SurfaceMap::kSnow)
    ->Arg(track::SurfaceMap::kGravel)
    ->Iterations(1);

// What every step would pay without the cache: four key strings built and looked up.
void BM_SurfaceOptionsUncached(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) benchmark::DoNotOptimize(physics::SurfaceOptions::read());
}
BENCHMARK(BM_SurfaceOptionsUncached);

}  // namespace
