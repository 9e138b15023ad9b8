#include "SoloRun.h"

#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/StartPosition.h"
#include "race/LapTable.h"
#include "track/SurfaceMap.h"

namespace {

constexpr int kFramesPerSecond = 62;
constexpr double kMostOffRoad = 0.03;

}  // namespace

SoloResult runSolo(const track::TrackData& track, const DriverMaker& makeDriver, int laps,
                   double timeLimit) {
  SoloResult result;
  if (track.positionCount() == 0) return result;
  physics::CarPhysics car(track);
  car.initModel();
  physics::placeOnStartPosition(car, track.positionAt(0));
  const std::unique_ptr<drivers::Driver> driver = makeDriver(car, track);
  physics::PhysicsWorld world;
  world.registerCar(car);
  race::LapTable table(1, laps, 1.0f / kFramesPerSecond, race::finishLineOf(track),
                       race::halfwayLineOf(track));
  const std::vector<physics::Car*> cars = {&car};
  const long frameLimit = static_cast<long>(timeLimit * kFramesPerSecond);
  long frames = 0;
  long offRoad = 0;
  while (!table.finished(0) && frames < frameLimit) {
    driver->plan();
    driver->drive(cars);
    driver->learn();
    world.step();
    table.carMoved(0, car.getPreviousX(), car.getPreviousY(), car.getX(), car.getY());
    table.endFrame();
    ++frames;
    if (car.getSurface() != track::SurfaceMap::kRoad) ++offRoad;
  }
  result.lapsDone = table.lapsDone(0);
  result.offRoadShare = frames > 0 ? static_cast<double>(offRoad) / frames : 0;
  for (int lap = 1; lap < result.lapsDone; ++lap) {
    const double time = table.lapTime(0, lap);
    if (result.flyingLap < 0 || time < result.flyingLap) result.flyingLap = time;
  }
  return result;
}

ReferenceLap tuneReference(const track::TrackData& track) {
  ReferenceLap best;
  for (double lookAheadTime : {0.15, 0.2, 0.3, 0.4, 0.5}) {
    for (double lateralGrip : {8.0, 10.0, 12.0, 14.0, 16.0, 18.0, 20.0, 24.0}) {
      for (double braking : {6.0, 9.0, 12.0}) {
        const ReferenceSettings settings{lookAheadTime, lateralGrip, braking};
        const SoloResult run = runSolo(
            track,
            [&settings](physics::Car& car, const track::TrackData& road) {
              return std::make_unique<ReferenceDriver>(car, road, settings);
            },
            3, 600);
        if (run.flyingLap < 0 || run.offRoadShare > kMostOffRoad) continue;
        if (best.result.flyingLap < 0 || run.flyingLap < best.result.flyingLap) {
          best = {settings, run};
        }
      }
    }
  }
  return best;
}
