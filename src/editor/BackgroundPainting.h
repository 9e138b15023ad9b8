#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "track/TrackData.h"

namespace editor {

// The game's background painter (background::BackgroundGenerator) run on a thread of its own, so
// the editor keeps drawing and answering while a picture is painted. The thread works on its own
// copy of the track and never touches the window, the widgets or SDL; the window asks for the
// progress once a frame. While it paints, the thread is the only user of the game's random source.
class BackgroundPainting {
 public:
  BackgroundPainting() = default;
  // Waits for a painting still under way, stopped after its current stage.
  ~BackgroundPainting();
  BackgroundPainting(const BackgroundPainting&) = delete;
  BackgroundPainting& operator=(const BackgroundPainting&) = delete;

  // Paints `track` into the PNG file `outputPath`. False when a painting is still under way.
  bool start(const track::TrackData& track, const std::string& outputPath);
  // Stops after the stage under way and waits for the thread.
  void cancel();

  bool running() const { return thread_.joinable() && !finished_.load(); }
  // True once, when a painting has ended since the last call (the thread is then joined).
  bool collectFinished();
  // The stage that runs next, 1..8 (9 when saved), as background::BackgroundGenerator counts them.
  int stage() const { return stage_.load(); }
  // "Rendering clouds" and so on: what the painter does now.
  std::string stageCaption() const;
  // Why the last painting failed; empty when it succeeded.
  const std::string& error() const { return error_; }
  const std::string& outputPath() const { return outputPath_; }

 private:
  void run(std::unique_ptr<track::TrackData> track);

  std::thread thread_;
  std::atomic<int> stage_{0};
  std::atomic<bool> finished_{false};
  std::atomic<bool> cancelled_{false};
  std::string error_;
  std::string outputPath_;
};

}  // namespace editor
