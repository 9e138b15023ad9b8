#pragma once
#include <cstdint>

namespace platform {

// One random source for the whole game. With a fixed seed (--seed N) every draw of the game is
// reproducible and the places that would seed from the clock keep the sequence instead.
void setFixedSeed(std::uint32_t seed);
bool hasFixedSeed();
// Seeds from the current time, unless a fixed seed was given.
void seedFromClock();

// A uniform double in [min, max).
double random(double min, double max);
// Like the C library's rand(): a uniform integer in 0 .. 2147483647.
int randInt();

}  // namespace platform
