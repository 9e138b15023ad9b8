#include "app/commands/RaceCommand.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameWindow.h"
#include "app/commands/GenerateCommand.h"
#include "app/commands/TrackArgument.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "race/Camera.h"
#include "race/HeadlessRace.h"
#include "race/RaceData.h"
#include "track/TrackData.h"
#include "track/TrackFolders.h"

namespace app {
namespace {

// Sets the options of a computer-only race and puts the player's own values back afterwards,
// so a command-line race never changes what the menu shows next time.
class RaceOptionsScope {
 public:
  explicit RaceOptionsScope(const RaceCommand& command) {
    config::Options* options = config::Options::instance();
    for (const char* key : kKeys) saved_.push_back(options->getOptionInt(key));
    savedLevel_ = options->getAIString(config::key::difficulty);
    options->setOptionInt(config::key::onlyCPU, 1);
    options->setOptionInt(config::key::nrCars, command.cars);
    options->setOptionInt(config::key::nrLaps, command.laps);
    if (!command.level.empty()) options->setAIString(config::key::difficulty, command.level);
  }
  ~RaceOptionsScope() {
    config::Options* options = config::Options::instance();
    for (std::size_t i = 0; i < saved_.size(); ++i) options->setOptionInt(kKeys[i], saved_[i]);
    options->setAIString(config::key::difficulty, savedLevel_);
  }
  RaceOptionsScope(const RaceOptionsScope&) = delete;
  RaceOptionsScope& operator=(const RaceOptionsScope&) = delete;

 private:
  static constexpr const char* kKeys[3] = {config::key::onlyCPU, config::key::nrCars,
                                           config::key::nrLaps};
  std::vector<int> saved_;
  std::string savedLevel_;
};

// A headless command opens its window as a headless game does (offscreen video, no sound);
// the settings are put back afterwards, as the tests run many commands in one process.
class HeadlessScope {
 public:
  explicit HeadlessScope(bool headless) : saved_(platform::launchSettings()) {
    if (headless) platform::launchSettings().headless = true;
  }
  ~HeadlessScope() { platform::launchSettings() = saved_; }
  HeadlessScope(const HeadlessScope&) = delete;
  HeadlessScope& operator=(const HeadlessScope&) = delete;

 private:
  platform::LaunchSettings saved_;
};

// The caches hold pictures and fonts of the graphics the race drew with; they go before it.
struct CacheScope {
  ~CacheScope() {
    gui::FontCache::discard();
    gui::ImageCache::discard();
  }
};

// A background the race can load: the one the track names, or a generated one (beside the
// track or in the player's folder), generated now if none exists.
bool ensureBackground(const race::RaceData& race, const std::string& trackPath,
                      std::string* error) {
  namespace fs = std::filesystem;
  const track::TrackData* info = race.getTrack();
  const track::TrackFolders folders = track::trackFolders();
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

// The race in a window of its own, at the size a race has until told otherwise and at the main
// window's pace. A headless race never shows it and runs its frames without it.
class RaceWindow : public platform::Window {
 public:
  RaceWindow()
      : Window(race::Camera::kDefaultScreenWidth, race::Camera::kDefaultScreenHeight, false,
               GameWindow::kUpdateIntervalMs) {}
  void attach(race::RaceData& race) { race_ = &race; }
  void update() override {
    race_->updateRace();
    if (!race_->isActive()) close();
  }
  void draw() override { race_->drawRace(); }

 private:
  race::RaceData* race_ = nullptr;
};

void printOutcome(const race::RaceOutcome& outcome, std::ostream& out) {
  out << race::formatResultTable(outcome.table);
  if (!outcome.allFinished) {
    out << "Not finished after " << outcome.simulatedSeconds << " simulated seconds:";
    for (const auto& name : outcome.unfinished) out << ' ' << platform::narrow(name);
    out << '\n';
  }
}

}  // namespace

int runRaceCommand(const RaceCommand& command) {
  std::string problem;
  const std::optional<std::string> resolved = resolveTrackArgument(command.track, &problem);
  if (!resolved) {
    std::cerr << "Cannot race: " << problem << '\n';
    return kFailureStatus;
  }
  const std::string& trackPath = *resolved;
  const HeadlessScope headless(command.headless);
  if (command.seed) platform::setFixedSeed(*command.seed);
  RaceOptionsScope options(command);

  RaceWindow window;
  CacheScope caches;
  race::RaceData race(window.graphics(), window.input(), window.audio(), GameWindow::kFrameMillis);
  race.setScreenSize(window.graphics().width(), window.graphics().height());
  race.selectTrackPath(trackPath);
  if (!race.getTrack()) {
    std::cerr << "Cannot read the track \"" << trackPath << "\"\n";
    return kFailureStatus;
  }
  std::string error;
  if (!ensureBackground(race, trackPath, &error) || !race.startRace()) {
    std::cerr << "Cannot start a race on \"" << trackPath
              << "\": " << (error.empty() ? race.lastError() : error) << '\n';
    return kFailureStatus;
  }
  if (!race.soundProblem().empty()) std::cerr << race.soundProblem() << '\n';

  if (!command.headless) {
    window.attach(race);
    window.setCaption(L"Project Kelvane - " + platform::widen(race.getTrack()->title));
    window.show();
    if (!race.allFinished()) {
      // The table of a race cut short would be mostly blanks.
      std::cout << "Race interrupted: the window was closed before every car finished\n";
      return kInterruptedStatus;
    }
    std::cout << race::formatResultTable(race.currentResults());
    return 0;
  }
  const long maxFrames = static_cast<long>(command.timeLimitSeconds * race.framesPerSecond());
  const race::RaceOutcome outcome = race::runHeadless(race, maxFrames);
  printOutcome(outcome, std::cout);
  return outcome.allFinished ? 0 : kUnfinishedStatus;
}

}  // namespace app
