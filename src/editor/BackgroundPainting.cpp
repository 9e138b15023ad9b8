#include "editor/BackgroundPainting.h"

#include "background/BackgroundGenerator.h"

namespace editor {

BackgroundPainting::~BackgroundPainting() {
  cancel();
}

bool BackgroundPainting::start(const track::TrackData& track, const std::string& outputPath) {
  if (running()) return false;
  if (thread_.joinable()) thread_.join();
  auto copy = std::make_unique<track::TrackData>();
  copy->points = track.points;
  copy->positions = track.positions;
  copy->extentX = track.extentX;
  copy->extentY = track.extentY;
  copy->title = track.title;
  copy->background = track.background;
  copy->theme = track.theme;
  outputPath_ = outputPath;
  error_.clear();
  stage_ = 1;
  finished_ = false;
  cancelled_ = false;
  thread_ = std::thread(&BackgroundPainting::run, this, std::move(copy));
  return true;
}

void BackgroundPainting::run(std::unique_ptr<track::TrackData> track) {
  background::BackgroundGenerator generator;
  std::string error;
  // The generator's first step only begins a generation; each later one paints a stage.
  while (generator.stage() < 9 && !cancelled_) {
    if (!generator.step(*track, outputPath_, {}, false)) {
      error = generator.lastError();
      break;
    }
    stage_ = generator.stage();
  }
  if (cancelled_ && error.empty() && generator.stage() < 9) error = "The painting was stopped.";
  // Written before `finished_` is set, read after it is seen: the atomic orders the two.
  error_ = error;
  finished_ = true;
}

bool BackgroundPainting::collectFinished() {
  if (!thread_.joinable() || !finished_) return false;
  thread_.join();
  return true;
}

void BackgroundPainting::cancel() {
  cancelled_ = true;
  if (thread_.joinable()) thread_.join();
}

std::string BackgroundPainting::stageCaption() const {
  const std::string caption = background::BackgroundGenerator::stageCaption(stage());
  // The generator's captions are laid out for its progress popup.
  const std::size_t start = caption.find_first_not_of('\n');
  return start == std::string::npos ? std::string() : caption.substr(start);
}

}  // namespace editor
