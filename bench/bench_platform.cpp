// Costs of the platform layer: one frame of drawing on the software renderer (what headless
// runs use), refreshing a tire-mark tile, measuring text, and the real frame loop's pacing.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Window.h"

namespace {

class BenchWindow : public platform::Window {
 public:
  BenchWindow(int width, int height) : Window(width, height, false, 16.666666) {}
  std::function<void()> onDraw;
  void draw() override {
    if (onDraw) onDraw();
  }
};

std::unique_ptr<BenchWindow> headlessWindow() {
  platform::launchSettings() = platform::LaunchSettings{};
  platform::launchSettings().headless = true;
  return std::make_unique<BenchWindow>(1000, 700);
}

platform::Bitmap sprite(int w, int h, platform::Color colour) {
  platform::Bitmap bitmap(w, h, colour);
  for (int x = 0; x < w; ++x) bitmap.setPixel(x, 0, 0x00000000u);  // some transparency
  return bitmap;
}

// 500 pictures (cars, tiles, instruments, some rotated) and 50 lines of text in one frame.
void BM_FrameOf500ImagesAnd50Texts(benchmark::State& state) {
  auto window = headlessWindow();
  platform::Graphics& g = window->graphics();
  platform::Image car(g, sprite(20, 40, 0xffc03030u), false);
  platform::Image tile(g, sprite(100, 100, 0xff408040u), true);
  platform::Font font(g, "Trebuchet MS", 18);
  std::vector<std::wstring> lines;
  for (int i = 0; i < 50; ++i) lines.push_back(L"Player " + std::to_wstring(i) + L"  1:23.456");
  window->onDraw = [&] {
    for (int i = 0; i < 400; ++i) tile.draw((i % 20) * 50.0, (i / 20) * 35.0, i % 3, 0.5, 0.35);
    for (int i = 0; i < 100; ++i) car.drawRot(20.0 + i * 9.5, 300.0, 5, i * 3.6);
    for (int i = 0; i < 50; ++i) font.draw(lines[i], 10.0, 10.0 + i * 13.0, 10, 1, 1, 0xffffff00u);
  };
  for (auto _ : state) window->tick();
  state.SetItemsProcessed(state.iterations() * 550);
}
BENCHMARK(BM_FrameOf500ImagesAnd50Texts)->Unit(benchmark::kMillisecond);

// Clearing and presenting a 1000 × 700 frame with nothing drawn: the floor under the others.
void BM_EmptyFrame(benchmark::State& state) {
  auto window = headlessWindow();
  for (auto _ : state) window->tick();
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);

// The race refreshes one 102 × 102 tire-mark tile every frame.
void BM_ReplaceTilePixels(benchmark::State& state) {
  auto window = headlessWindow();
  platform::Image tile(window->graphics(), sprite(102, 102, 0x00000000u), false);
  platform::Bitmap marks(102, 102, 0x40000000u);
  window->onDraw = [&] { tile.draw(0, 0, 1); };
  int frame = 0;
  for (auto _ : state) {
    marks.setPixel(frame % 102, (frame / 102) % 102, 0x80000000u);
    tile.replacePixels(marks);
    window->tick();
    ++frame;
  }
}
BENCHMARK(BM_ReplaceTilePixels)->Unit(benchmark::kMicrosecond);

void BM_TextWidth(benchmark::State& state) {
  platform::Graphics graphics(800, 600);
  platform::Font font(graphics, "Trebuchet MS", 20);
  const std::wstring text = L"Lap 3/5   Position 2/6";
  for (auto _ : state) benchmark::DoNotOptimize(font.textWidth(text));
}
BENCHMARK(BM_TextWidth);

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// 600 paced frames in a real window (run under a display, e.g. Xvfb): the rate, how evenly the
// frames start, and how much of one core the loop takes. Skipped without a display.
void BM_FrameLoop600(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    state.SkipWithError("no DISPLAY: run under Xvfb to measure the frame loop");
    for (auto _ : state) {
    }
    return;
  }
  platform::launchSettings() = platform::LaunchSettings{};
  platform::launchSettings().maxFrames = 600;
  BenchWindow window(1000, 700);
  platform::Image tile(window.graphics(), sprite(100, 100, 0xff408040u), true);
  window.onDraw = [&] {
    for (int i = 0; i < 70; ++i) tile.draw((i % 10) * 100.0, (i / 10) * 100.0, 0);
  };
  double cpu = 0;
  for (auto _ : state) {
    const double before = cpuSeconds();
    window.show();
    cpu = cpuSeconds() - before;
  }
  const platform::FrameTiming& t = window.frameTiming();
  const double seconds = t.meanMs * t.intervals / 1000.0;
  state.counters["updates_per_s"] = t.intervals / seconds;
  state.counters["interval_mean_ms"] = t.meanMs;
  state.counters["interval_sd_ms"] = t.stddevMs;
  state.counters["interval_min_ms"] = t.minMs;
  state.counters["interval_max_ms"] = t.maxMs;
  state.counters["resyncs"] = static_cast<double>(t.resyncs);
  state.counters["cpu_percent"] = 100.0 * cpu / seconds;
  platform::launchSettings() = platform::LaunchSettings{};
}
BENCHMARK(BM_FrameLoop600)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
