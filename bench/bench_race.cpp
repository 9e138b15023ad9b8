// The race's frame, picture and set-up. Frames report their median and worst time, since a
// frame that plans or rebuilds the debug overlay costs more than the rest.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Audio.h"
#include "platform/Bitmap.h"
#include "platform/Buttons.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/Window.h"
#include "race/RaceData.h"
#include "track/TrackLoader.h"

namespace {

namespace fs = std::filesystem;

// A program folder with the shipped data; tracks without a background picture get a plain one
// of their size so every track can race.
class BenchFolder {
 public:
  BenchFolder() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    folder_ = fs::temp_directory_path() / ("kelvane-bench-race-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::copy(KELVANE_DATA_DIR, folder_, fs::copy_options::recursive);
    for (const auto& entry : fs::directory_iterator(folder_ / "tracks")) {
      if (entry.path().extension() != ".rst") continue;
      const auto track = track::importTrack(entry.path().string());
      if (!track) continue;
      fs::path picture = folder_ / "tracks" / track->background;
      if (track->background.empty() || !fs::exists(picture)) {
        picture = entry.path();
        picture.replace_extension(".png");
      }
      if (fs::exists(picture)) continue;
      int width = track->extentX, height = track->extentY;
      for (const auto& p : track->points) {
        width = std::max(width, static_cast<int>(p.x + p.width) + 50);
        height = std::max(height, static_cast<int>(p.y + p.width) + 50);
      }
      platform::Bitmap(width, height, 0xff4a7a3au).savePng(picture.string());
    }
    platform::setProgramFolder(folder_.string() + "/");
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

 private:
  fs::path folder_;
};

BenchFolder& benchFolder() {
  static BenchFolder folder;
  return folder;
}

void raceOptions(int cars) {
  benchFolder();
  config::Options::destroy(false);
  platform::setFixedSeed(1);
  config::Options::instance()->setOptionInt(config::key::onlyCPU, 1);
  config::Options::instance()->setOptionInt(config::key::nrCars, cars);
  config::Options::instance()->setOptionInt(config::key::nrLaps, 3);
  // The computer drivers at their hardest: the most work on their line.
  config::Options::instance()->setAIString(config::key::difficulty, "hard");
}

void releaseCaches() {
  gui::FontCache::discard();
  gui::ImageCache::discard();
}

void reportFrames(benchmark::State& state, std::vector<double>& micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  state.counters["worst_us"] = micros.back();
}

// One frame of a racing computer-only field (after the countdown).
void BM_UpdateRace(benchmark::State& state, const char* track) {
  raceOptions(static_cast<int>(state.range(0)));
  platform::Graphics graphics(800, 600);
  platform::Input input;
  platform::Audio audio;
  {
    race::RaceData race(graphics, input, audio, 16);
    race.selectTrack(track);
    if (!race.startRace()) {
      state.SkipWithError(race.lastError().c_str());
      return;
    }
    while (race.countdownFrames() >= 0) race.updateRace();
    std::vector<double> micros;
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      race.updateRace();
      micros.push_back(
          std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
              .count());
    }
    reportFrames(state, micros);
  }
  releaseCaches();
}
BENCHMARK_CAPTURE(BM_UpdateRace, grand_valley, "grand_valley.rst")
    ->Arg(4)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_UpdateRace, harbour_grid, "harbour_grid.rst")
    ->Arg(4)
    ->Arg(12)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

// One drawn frame in a hidden window with the software renderer: the race picture, the marks,
// the texts and instruments, flushed to the screen.
class DrawWindow : public platform::Window {
 public:
  DrawWindow() : Window(800, 600, false, 1000.0 / 60.0) {}
  race::RaceData* race = nullptr;
  void draw() override { race->drawRace(); }
};

void BM_DrawRace(benchmark::State& state) {
  raceOptions(4);
  platform::launchSettings().headless = true;
  {
    DrawWindow window;
    race::RaceData race(window.graphics(), window.input(), window.audio(), 16);
    race.selectTrack("grand_valley.rst");
    if (!race.startRace()) {
      state.SkipWithError(race.lastError().c_str());
      return;
    }
    window.race = &race;
    for (int i = 0; i < 62 * 20; ++i) race.updateRace();  // marks on the road, countdown gone
    window.input().setDown(platform::button::kBackspace, true);  // the instrument panel too
    race.updateRace();
    window.input().setDown(platform::button::kBackspace, false);
    std::vector<double> micros;
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      window.tick();  // update does nothing here: only the drawing is timed
      micros.push_back(
          std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
              .count());
    }
    reportFrames(state, micros);
  }
  releaseCaches();
}
BENCHMARK(BM_DrawRace)->Iterations(300)->Unit(benchmark::kMicrosecond);

// Setting up a 12-car race: track, surface map, background, training the lead driver and
// planning every driver's first line.
void BM_StartRace(benchmark::State& state) {
  raceOptions(12);
  platform::Graphics graphics(800, 600);
  platform::Input input;
  platform::Audio audio;
  {
    race::RaceData race(graphics, input, audio, 16);
    race.selectTrack("harbour_grid.rst");
    for (auto _ : state) {
      if (!race.startRace()) {
        state.SkipWithError(race.lastError().c_str());
        break;
      }
      state.PauseTiming();
      race.endRace();
      state.ResumeTiming();
    }
  }
  releaseCaches();
}
BENCHMARK(BM_StartRace)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
