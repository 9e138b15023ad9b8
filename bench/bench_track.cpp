// Rasterising the largest shipped track: the race's map (cell 4) at every race start, and the
// background generator's fine map (cell 0.5), plus the full load of a track file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

std::string tracksDir() {
  return std::string(KELVANE_DATA_DIR) + "/tracks/";
}

// The shipped track with the largest area.
std::string largestTrackFile() {
  std::string best;
  long long bestArea = -1;
  for (const auto& entry : std::filesystem::directory_iterator(tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    auto track = track::importTrack(entry.path().string());
    if (!track) continue;
    const long long area = static_cast<long long>(track->extentX) * track->extentY;
    if (area > bestArea) {
      bestArea = area;
      best = entry.path().string();
    }
  }
  if (best.empty()) throw std::runtime_error("no shipped track found");
  return best;
}

const track::TrackData& largestTrack() {
  static const std::unique_ptr<track::TrackData> track = track::importTrack(largestTrackFile());
  return *track;
}

void BM_BuildSurfaceMap(benchmark::State& state, double cellSize) {
  const track::TrackData& track = largestTrack();
  std::size_t cells = 0;
  for (auto _ : state) {
    auto map = track::buildSurfaceMap(track, cellSize);
    cells = map->cells.size();
    benchmark::DoNotOptimize(map->cells.data());
  }
  state.counters["cells"] = static_cast<double>(cells);
  state.counters["points"] = static_cast<double>(track.pointCount());
  state.SetLabel(track.title);
}
BENCHMARK_CAPTURE(BM_BuildSurfaceMap, race_cell_4, 4.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildSurfaceMap, generator_cell_0_5, 0.5)->Unit(benchmark::kMillisecond);

void BM_ImportTrack(benchmark::State& state) {
  const std::string file = largestTrackFile();
  for (auto _ : state) {
    auto track = track::importTrack(file);
    benchmark::DoNotOptimize(track.get());
  }
}
BENCHMARK(BM_ImportTrack)->Unit(benchmark::kMillisecond);

}  // namespace
