// The track editor's work per change and per frame on the largest shipped track: the checks it
// runs after every edit, one step of a dragged point (the track rebuilt the loader's way), and
// queueing the canvas's drawing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "editor/TrackChecks.h"
#include "editor/TrackContent.h"
#include "editor/TrackDocument.h"
#include "editor/TrackPainter.h"
#include "editor/Viewport.h"
#include "gui/FontCache.h"
#include "gui/GUI_Manager.h"
#include "platform/Graphics.h"
#include "track/TrackLoader.h"

namespace {

// The shipped track with the most path points.
const track::TrackData& largestTrack() {
  static const std::unique_ptr<track::TrackData> track = [] {
    std::unique_ptr<track::TrackData> best;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(KELVANE_DATA_DIR) + "/tracks/")) {
      if (entry.path().extension() != ".rst") continue;
      auto track = track::importTrack(entry.path().string());
      if (track && (!best || track->points.size() > best->points.size())) best = std::move(track);
    }
    if (!best) throw std::runtime_error("no shipped track found");
    return best;
  }();
  return *track;
}

void BM_CheckTrack(benchmark::State& state) {
  const track::TrackData& track = largestTrack();
  for (auto _ : state) benchmark::DoNotOptimize(editor::checkTrack(track));
}
BENCHMARK(BM_CheckTrack)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
  editor::TrackDocument document;
  document.reset(editor::contentOf(largestTrack()), "");
  document.beginGesture();
  double x = document.content().path[10].x;
  for (auto _ : state) {
    x += 0.25;
    document.movePoint(10, x, document.content().path[10].y);
  }
  document.endGesture();
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

void BM_PaintCanvas(benchmark::State& state) {
  platform::Graphics graphics(1200, 760);
  gui::GUI_Manager gui(graphics);  // installs the graphics the painter's fonts load with
  editor::TrackDocument document;
  document.reset(editor::contentOf(largestTrack()), "");
  editor::Viewport view;
  view.setCanvas(0, 28, 884, 702);
  const track::TrackData& track = document.track();
  view.fit(0, 0, track.extentX, track.extentY);
  const std::vector<editor::Finding> findings = editor::checkTrack(track);
  editor::TrackPainter painter(graphics);
  for (auto _ : state) {
    painter.paint({&document, &view, nullptr, {editor::HandleKind::Point, 3}, {}, &findings});
    graphics.flush();
  }
  gui::FontCache::discard();
}
BENCHMARK(BM_PaintCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace
