#include <gtest/gtest.h>
#include <iostream>
#include <cmath>
#include "DriverFixtures.h"
#include "drivers/CPUDriver.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"
TEST(Scratch, Drive) {
  driverfixtures::ScopedOptions options;
  const char* name = getenv("TRACK") ? getenv("TRACK") : "quarry_hairpins";
  auto track = importTrack(testsupport::tracksDir() + name + ".rst");
  track->surfaceMap = buildSurfaceMap(*track, 4.0);
  platform::setFixedSeed(1234);
  CarPhysics car(*track); car.initModel();
  const TrackPoint& p = track->positionAt(0);
  car.setPosition((float)(p.x - cos(p.rotation)*8.25), (float)(p.y + sin(p.rotation)*8.25), p.rotation + 1.57079632675);
  CPUDriver d(car, *track);
  d.train(100000, nullptr);
  std::cout << "path nodes " << d.path()->size() << " points " << track->pointCount() << "\n";
  PhysicsWorld w; w.registerCar(car);
  std::vector<Car*> cars{&car};
  long nfalse=0, ntrue=0, nsplice=0; double thr=0, brk=0, st=0, spd=0;
  int seconds = getenv("SECS") ? atoi(getenv("SECS")) : 60;
  for (int f = 1; f <= seconds*62; ++f) {
    { auto before = d.path()->size(); bool r = d.plan(); if (!r) nfalse++; else ntrue++; if (d.path()->size() != before) nsplice++; } d.drive(cars);
    thr += car.throttle; brk += car.brake; st += std::fabs(car.steer);
    d.learn(); w.step(); spd += car.speed;
    if (f % 310 == 0) {
      TrackPoint h; h.x = car.getX()*0.25; h.y = car.getY()*0.25;
      std::cout << f/62 << "s pt " << track->nearestPointIndex(h) << " cur " << d.cursor() << "/" << d.path()->size() << " speed " << spd/310 << " thr " << thr/310 << " brk " << brk/310 << " |st| " << st/310 << " sw " << d.speedWeight() << " dw " << d.distanceWeightHere() << " surf " << car.getSurface() << "\n";
      thr=brk=st=spd=0; std::cout << " plan false " << nfalse << " true " << ntrue << " splices " << nsplice << "\n";
      if (getenv("VERBOSE")) { std::wcout << d.debugText(); std::cout << " car " << car.getX()/4 << "," << car.getY()/4 << " dir " << car.getAngle()+1.5708 << " t1 " << d.target1()->x << "," << d.target1()->y << " t2 " << d.target2()->x << "," << d.target2()->y << " steer " << car.steer << " drift " << car.getDriftAngle() << "\n"; }
    }
  }
}
