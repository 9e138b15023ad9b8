#include "platform/Random.h"

#include <chrono>
#include <random>

namespace platform {

namespace {

struct RandomSource {
  RandomSource() {
    engine.seed(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  }
  std::mt19937 engine;
  bool fixed = false;
};

RandomSource& source() {
  static RandomSource instance;
  return instance;
}

}  // namespace

void setFixedSeed(std::uint32_t seed) {
  source().engine.seed(seed);
  source().fixed = true;
}

bool hasFixedSeed() {
  return source().fixed;
}

void seedFromClock() {
  if (source().fixed) return;
  source().engine.seed(static_cast<std::uint32_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double random(double min, double max) {
  // 53 random bits built by hand rather than with a standard distribution, whose algorithm may
  // differ between library versions: a fixed seed gives the same race everywhere.
  auto& engine = source().engine;
  const std::uint64_t high = engine() >> 5;
  const std::uint64_t low = engine() >> 6;
  const double unit = static_cast<double>((high << 26) | low) / 9007199254740992.0;
  return min + (max - min) * unit;
}

int randInt() {
  return static_cast<int>(source().engine() >> 1);
}

}  // namespace platform
