// Time of each background stage, and of a whole generation, on the largest shipped track
// (about 3000 × 2100 world units: a 6000 × 4200 cell map, a 3000 × 2100 picture), in every
// theme.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "background/BackgroundGenerator.h"
#include "background/Theme.h"
#include "common/Angle.h"
#include "platform/Random.h"
#include "track/TrackLoader.h"

namespace {

// A rounded 3000 × 2000 loop, for when the shipped track is missing.
std::string writeFallbackTrack() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "kelvane-bench-loop.rst").string();
  std::ofstream out(path);
  out << "<?xml version=\"1.0\"?>\n<track><title>Bench Loop</title><points>\n";
  for (int i = 0; i < 200; ++i) {
    const double a = common::kTwoPi * i / 200;
    const double c = std::cos(a), s = std::sin(a);
    const double x = 1500 + 1350 * std::copysign(std::pow(std::fabs(c), 0.5), c);
    const double y = 1000 + 850 * std::copysign(std::pow(std::fabs(s), 0.5), s);
    out << "<point><x>" << x << "</x><y>" << y
        << "</y><width>90</width><offset>0</offset><rotation>0</rotation></point>\n";
  }
  out << "</points><positions></positions></track>\n";
  return path;
}

// The largest shipped track, painted in the theme numbered `theme` (themeNames() order).
const track::TrackData& largeTrack(int theme) {
  static const std::unique_ptr<track::TrackData> track = [] {
    auto loaded = track::importTrack(std::string(KELVANE_DATA_DIR) + "/tracks/grand_valley.rst");
    return loaded ? std::move(loaded) : track::importTrack(writeFallbackTrack());
  }();
  track->theme = background::themeNames().at(static_cast<std::size_t>(theme));
  return *track;
}

const std::string& outputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / "kelvane-bench-background.png").string();
  return path;
}

void runStage(background::BackgroundGenerator& generator, int stage, int theme) {
  const track::TrackData& track = largeTrack(theme);
  switch (stage) {
    case 1:
      generator.rasterize(track);
      break;
    case 2:
      generator.addLineMarks(track);
      break;
    case 3:
      generator.addZones(track);
      break;
    case 4:
      generator.renderClouds();
      break;
    case 5:
      generator.addPath({});
      break;
    case 6:
      generator.paint();
      break;
    case 7:
      generator.plantTrees();
      break;
    case 8:
      generator.save(outputPath());
      break;
    default:
      break;
  }
}

void BM_Stage(benchmark::State& state) {
  const int stage = static_cast<int>(state.range(0));
  const int theme = static_cast<int>(state.range(1));
  platform::setFixedSeed(7);
  for (auto _ : state) {
    state.PauseTiming();
    auto generator = std::make_unique<background::BackgroundGenerator>();
    for (int earlier = 1; earlier < stage; ++earlier) runStage(*generator, earlier, theme);
    state.ResumeTiming();
    runStage(*generator, stage, theme);
    state.PauseTiming();
    generator.reset();  // freeing the maps is not part of the stage
    state.ResumeTiming();
  }
  state.SetLabel(background::themeNames().at(static_cast<std::size_t>(theme)) + ": " +
                 background::BackgroundGenerator::stageCaption(stage).substr(2));
}
// Stage 1..8 of each of the five themes.
BENCHMARK(BM_Stage)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 8, 1), benchmark::CreateDenseRange(0, 4, 1)})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_WholeGeneration(benchmark::State& state) {
  const int theme = static_cast<int>(state.range(0));
  platform::setFixedSeed(7);
  for (auto _ : state) {
    background::BackgroundGenerator generator;
    if (!generator.step(largeTrack(theme), outputPath(), {}, true)) {
      state.SkipWithError(generator.lastError().c_str());
      break;
    }
  }
  state.SetLabel(background::themeNames().at(static_cast<std::size_t>(theme)));
}
BENCHMARK(BM_WholeGeneration)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
