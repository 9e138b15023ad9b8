#include "race/RaceRunner.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "background/GenerateCommand.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "platform/Window.h"
#include "race/RaceData.h"
#include "track/TrackData.h"

namespace race {
namespace {

constexpr int kUpdateInterval = 16;  // milliseconds, as the game's race runs
constexpr double kWindowInterval = 1000.0 / 60.0;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

// Sets the options of a computer-only race and puts the player's own values back afterwards,
// so a command-line race never changes what the menu shows next time.
class RaceOptionsScope {
 public:
  explicit RaceOptionsScope(const RaceCommand& command) {
    Options* options = Options::instance();
    for (const char* key : kKeys) saved_.push_back(options->getOptionInt(key));
    savedLevel_ = options->getAIString(kLevelKey);
    options->setOptionInt("onlyCPU", 1);
    options->setOptionInt("nrCars", command.cars);
    options->setOptionInt("nrLaps", command.laps);
    if (!command.level.empty()) options->setAIString(kLevelKey, command.level);
  }
  ~RaceOptionsScope() {
    Options* options = Options::instance();
    for (std::size_t i = 0; i < saved_.size(); ++i) options->setOptionInt(kKeys[i], saved_[i]);
    options->setAIString(kLevelKey, savedLevel_);
  }
  RaceOptionsScope(const RaceOptionsScope&) = delete;
  RaceOptionsScope& operator=(const RaceOptionsScope&) = delete;

 private:
  static constexpr const char* kKeys[3] = {"onlyCPU", "nrCars", "nrLaps"};
  static constexpr const char* kLevelKey = "difficulty";
  std::vector<int> saved_;
  std::string savedLevel_;
};

// The caches hold pictures and fonts of the graphics the race drew with; they go before it.
struct CacheScope {
  ~CacheScope() {
    FontCache::discard();
    ImageCache::discard();
  }
};

// A background the race can load: the one the track names, or a generated one (beside the
// track or in the player's folder), generated now if none exists.
bool ensureBackground(const RaceData& race, const std::string& trackPath, std::string* error) {
  namespace fs = std::filesystem;
  const TrackData* info = race.getTrack();
  const platform::UserFolders folders = platform::userFolders();
  for (const std::string& candidate :
       folders.backgroundCandidates(trackPath, info ? info->background : std::string())) {
    std::error_code ignored;
    if (fs::is_regular_file(candidate, ignored)) return true;
  }
  std::cout << "The track has no background picture yet; generating one\n";
  if (generateBackgroundCommand(trackPath, "") != 0) {
    *error = "no background picture for the track, and none could be generated";
    return false;
  }
  return true;
}

class RaceWindow : public platform::Window {
 public:
  RaceWindow() : Window(kWindowWidth, kWindowHeight, false, kWindowInterval) {}
  void attach(RaceData& race) { race_ = &race; }
  void update() override {
    race_->updateRace();
    if (!race_->isActive()) close();
  }
  void draw() override { race_->drawRace(); }

 private:
  RaceData* race_ = nullptr;
};

void printOutcome(const RaceOutcome& outcome, std::ostream& out) {
  out << formatResultTable(outcome.table);
  if (!outcome.allFinished) {
    out << "Not finished after " << outcome.simulatedSeconds << " simulated seconds:";
    for (const auto& name : outcome.unfinished) out << ' ' << platform::narrow(name);
    out << '\n';
  }
}

}  // namespace

std::string resolveTrackPath(const std::string& track) {
  if (std::filesystem::is_regular_file(track)) return track;
  return platform::userFolders().trackFile(track);
}

RaceOutcome runHeadless(RaceData& race, long maxFrames) {
  RaceOutcome outcome;
  while (race.isActive() && !race.allFinished() && outcome.frames < maxFrames) {
    race.updateRace();
    ++outcome.frames;
  }
  outcome.allFinished = race.allFinished();
  const int fps = race.framesPerSecond();
  outcome.simulatedSeconds = static_cast<double>(outcome.frames) / fps;
  outcome.table = race.currentResults();
  if (const LapTable* laps = race.laps()) {
    for (int c = 0; c < race.carCount(); ++c)
      if (!laps->finished(c)) outcome.unfinished.push_back(race.raceCar(c).name);
    for (int c : laps->order()) {
      if (!laps->finished(c)) continue;
      if (outcome.winnerTime < 0) outcome.winnerTime = laps->totalTime(c);
      outcome.slowestTime = laps->totalTime(c);
    }
  }
  return outcome;
}

std::string formatResultTable(const std::vector<ResultCells>& table) {
  const int widths[5] = {5, 16, 12, 14, 12};
  const ResultCells heading{L"Pos.", L"Driver", L"Total time", L"Difference", L"Best lap"};
  std::ostringstream out;
  auto line = [&](const ResultCells& cells) {
    std::string text;
    for (int c = 0; c < 5; ++c) {
      std::string cell = platform::narrow(cells[static_cast<std::size_t>(c)]);
      if (c < 4 && static_cast<int>(cell.size()) < widths[c]) cell.resize(widths[c], ' ');
      text += cell + (c < 4 ? " " : "");
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  line(heading);
  for (const ResultCells& cells : table) line(cells);
  return out.str();
}

int runRaceCommand(const RaceCommand& command) {
  const std::string trackPath = resolveTrackPath(command.track);
  if (!std::filesystem::is_regular_file(trackPath)) {
    std::cerr << "Cannot find the track \"" << command.track << "\" (looked for " << trackPath
              << ")\n";
    return 1;
  }
  if (command.headless) {
    // Nothing is heard or shown; keep SDL away from real devices.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
  }
  if (command.seed) platform::setFixedSeed(*command.seed);
  RaceOptionsScope options(command);

  std::unique_ptr<RaceWindow> window;
  std::unique_ptr<platform::Graphics> graphics;
  std::unique_ptr<platform::Input> input;
  std::unique_ptr<platform::Audio> audio;
  if (!command.headless) {
    window = std::make_unique<RaceWindow>();
  } else {
    graphics = std::make_unique<platform::Graphics>(kWindowWidth, kWindowHeight);
    input = std::make_unique<platform::Input>();
    audio = std::make_unique<platform::Audio>();
  }
  CacheScope caches;
  RaceData race(window ? window->graphics() : *graphics, window ? window->input() : *input,
                window ? window->audio() : *audio, kUpdateInterval);
  race.setScreenSize(kWindowWidth, kWindowHeight);
  race.selectTrackPath(trackPath);
  if (!race.getTrack()) {
    std::cerr << "Cannot read the track \"" << trackPath << "\"\n";
    return 1;
  }
  std::string error;
  if (!ensureBackground(race, trackPath, &error) || !race.startRace()) {
    std::cerr << "Cannot start a race on \"" << trackPath
              << "\": " << (error.empty() ? race.lastError() : error) << '\n';
    return 1;
  }

  if (window) {
    window->attach(race);
    window->setCaption(L"Project Kelvane - " + platform::widen(race.getTrack()->title));
    window->show();
    std::cout << formatResultTable(race.currentResults());
    return race.allFinished() ? 0 : 2;
  }
  const long maxFrames = static_cast<long>(command.timeLimitSeconds * race.framesPerSecond());
  const RaceOutcome outcome = runHeadless(race, maxFrames);
  printOutcome(outcome, std::cout);
  return outcome.allFinished ? 0 : 2;
}

}  // namespace race
