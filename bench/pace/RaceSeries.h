#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Races of computer drivers only, run through the game's own race code without a window.
struct SeriesResult {
  double bestLap = -1;      // seconds: the fastest lap of any car in any race
  double offRoadShare = 0;  // of all cars' frames after the start
  bool allFinished = true;  // every car of every race
  double longestStop = 0;   // seconds: the longest a car stood or rolled backwards
  int races = 0;
};

struct SeriesSettings {
  std::string level;  // "easy", "medium" or "hard"
  int cars = 4;
  int laps = 3;
  std::vector<std::uint32_t> seeds = {1, 2, 3};
  double timeLimit = 15 * 60;  // simulated seconds before a race is given up
};

// One race per seed on the track (a path in the program's tracks folder).
SeriesResult raceSeries(const std::string& trackPath, const SeriesSettings& settings);
