// Cost of putting up the main menu's track list over a folder of many tracks: the menu must show
// at once, whatever the player keeps in the tracks folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "app/TrackList.h"
#include "app/TrackScan.h"
#include "gui/FontCache.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "platform/Graphics.h"
#include "platform/Paths.h"

namespace {

// A tracks folder of `count` copies of the shipped tracks.
std::string manyTracksFolder(int count) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("kelvane-bench-tracks-" + std::to_string(count));
  fs::create_directories(folder);
  std::vector<fs::path> shipped;
  for (const auto& entry : fs::directory_iterator(std::string(KELVANE_DATA_DIR) + "/tracks")) {
    if (entry.path().extension() == ".rst") shipped.push_back(entry.path());
  }
  for (int i = 0; i < count; ++i) {
    const fs::path copy = folder / ("track" + std::to_string(i) + ".rst");
    if (!fs::exists(copy)) fs::copy_file(shipped[i % shipped.size()], copy);
  }
  return folder.string() + "/";
}

struct MenuScreen {
  MenuScreen() { platform::setProgramFolder(std::string(KELVANE_DATA_DIR) + "/"); }
  ~MenuScreen() {
    widgets.clear();
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }
  platform::Graphics graphics{1000, 700};
  gui::GUI_Manager gui{graphics};
  app::ScreenWidgets widgets{gui};
};

// From the menu's request to a list on screen.
void BM_ShowTrackList(benchmark::State& state) {
  const std::string folder = manyTracksFolder(static_cast<int>(state.range(0)));
  MenuScreen screen;
  app::TrackList list(screen.widgets, folder, 1000, 700);
  for (auto _ : state) {
    list.buildTrackList();
    benchmark::DoNotOptimize(list.listBox());
  }
}
BENCHMARK(BM_ShowTrackList)->Arg(12)->Arg(500)->Unit(benchmark::kMillisecond);

// The game's own list: up at once, its titles read on a thread (this measures the list going up).
void BM_ShowTrackListReadingInTheBackground(benchmark::State& state) {
  const std::string folder = manyTracksFolder(static_cast<int>(state.range(0)));
  MenuScreen screen;
  app::TrackList list(screen.widgets, folder, 1000, 700, app::TitleReading::Background);
  for (auto _ : state) {
    list.buildTrackList();
    benchmark::DoNotOptimize(list.listBox());
    state.PauseTiming();
    list.finishReading();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowTrackListReadingInTheBackground)->Arg(500)->Unit(benchmark::kMillisecond);

// Reading every title of the folder: what the thread does while the menu is already up.
void BM_ReadTrackTitles(benchmark::State& state) {
  const std::string folder = manyTracksFolder(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(app::scanTrackFolders({folder}));
}
BENCHMARK(BM_ReadTrackTitles)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
