#include <gtest/gtest.h>
#include <iostream>
#include <cmath>
#include "DriverFixtures.h"
#include "drivers/CPUDriver.h"
#include "platform/Random.h"
static void probe(int size, double r1, double r2, int n) {
  driverfixtures::ScopedOptions options;
  auto track = driverfixtures::ringTrack(size, r1, r2, n);
  driverfixtures::FakeCar car(*track);
  platform::setFixedSeed(21);
  const TrackPoint& p = track->pointAt(0);
  car.x = p.x; car.y = p.y; car.angle = p.rotation;
  CPUDriver d(car, *track);
  std::cout << "ring " << size << " " << n << " path " << d.path()->size() << " sum " << d.trackLengthSum() << "\n";
  double c = size/2.0, mid = (r1+r2)/2;
  int changes = 0, unfinished = 0, searches = 0;
  double a = 0;
  for (int i = 0; i < 400; ++i) {
    a += 0.01; car.angle = a; car.x = (c + mid*cos(a))*4; car.y = (c+mid*sin(a))*4;
    auto before = *d.path();
    long long e0 = SearchWorkspace::shared().lastExpansions();
    bool r = d.plan();
    if (!r) unfinished++;
    if (SearchWorkspace::shared().lastExpansions() != e0) searches++;
    if (d.path()->size() != before.size()) changes++;
  }
  std::cout << " changes " << changes << " unfinished " << unfinished << " searches " << searches << " size " << d.path()->size() << "\n";
}
TEST(Scratch, Plan) {
  probe(200, 55, 85, 12);
  probe(200, 55, 85, 48);
  probe(300, 90, 130, 20);
  probe(300, 90, 130, 40);
  probe(400, 120, 170, 24);
}
