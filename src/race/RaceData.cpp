#include "race/RaceData.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <exception>
#include <future>
#include <utility>

#include "background/GroundLayer.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/CPUDriver.h"
#include "drivers/HumanDriver.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/StartPosition.h"
#include "platform/Audio.h"
#include "platform/Image.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "race/BackOnTrack.h"
#include "race/DebugView.h"
#include "race/EngineSound.h"
#include "race/Hud.h"
#include "race/LapPath.h"
#include "race/Minimap.h"
#include "race/OverlayShapes.h"
#include "race/PlayerSettings.h"
#include "race/RaceAssets.h"
#include "race/RaceControls.h"
#include "race/RaceNotices.h"
#include "race/RaceRecords.h"
#include "race/RaceView.h"
#include "race/ResultScreen.h"
#include "race/Standings.h"
#include "race/StartLights.h"
#include "race/TireMarks.h"
#include "track/Geometry.h"
#include "track/TrackFolders.h"
#include "track/TrackLoader.h"

namespace race {
namespace {

constexpr int kTrainingEpochs = 100000;

int optionInt(const char* key) {
  return config::Options::instance()->getOptionInt(key);
}
int graphicsInt(const char* key) {
  return config::Options::instance()->getGraphicsInt(key);
}

std::int64_t now() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

// The zoom setting (percent) as one of the camera's levels: the nearest, whatever a hand-edited
// file holds.
double storedZoom() {
  const double wanted = graphicsInt(config::key::zoom) / 100.0;
  double best = Camera::kZoomLevels[0];
  for (double level : Camera::kZoomLevels)
    if (std::abs(level - wanted) < std::abs(best - wanted)) best = level;
  return best;
}

}  // namespace

RaceData::RaceData(platform::Graphics& graphics, platform::Input& input, platform::Audio& audio,
                   int updateInterval)
    : graphics_(graphics),
      input_(input),
      audio_(audio),
      updateInterval_(std::max(updateInterval, 1)),
      // Keys rest a third of a second after acting.
      controls_(std::make_unique<RaceControls>(input_, 1000 / (3 * updateInterval_))),
      shapes_(std::make_unique<OverlayShapes>(graphics)),
      hud_(std::make_unique<Hud>(graphics, *shapes_, updateInterval_)),
      startLights_(std::make_unique<StartLights>(framesPerSecond())),
      results_(std::make_unique<ResultScreen>(graphics, *this)),
      records_(std::make_unique<RaceRecords>(nullptr)) {
  platform::seedFromClock();
}

void RaceData::setRecordBook(records::RecordBook* book) {
  records_ = std::make_unique<RaceRecords>(book);
}

RaceData::~RaceData() {
  endRace();
}

std::string RaceData::trackPath() const {
  // A name chosen from the track list may stand in the shipped folder or the player's own.
  return tracksFolder_.empty() ? track::trackFolders().trackFile(trackFile_)
                               : tracksFolder_ + trackFile_;
}

void RaceData::selectTrack(const std::string& fileName) {
  tracksFolder_.clear();
  trackFile_ = fileName;
  track_ = track::readLevelInfo(trackPath());
}

void RaceData::selectTrackPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  tracksFolder_ = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  trackFile_ = slash == std::string::npos ? path : path.substr(slash + 1);
  track_ = track::readLevelInfo(trackPath());
}

void RaceData::loadTrack() {
  std::string reason;
  track_ = track::importTrack(trackPath(), &reason);
  if (!track_) lastError_ = "Cannot load the track " + trackPath() + ": " + reason;
}

bool RaceData::startRace() {
  lastError_.clear();
  bool started = false;
  try {
    started = setUpRace();
  } catch (const std::exception& error) {
    lastError_ = error.what();
  }
  if (!started) {
    if (lastError_.empty()) lastError_ = "The race could not be set up.";
    endRace();
  }
  return started;
}

bool RaceData::setUpRace() {
  endRace();
  loadTrack();
  if (!track_) return false;

  // A hand-edited options file may hold anything; the menu's own limits apply.
  const int requestedCars = optionInt(config::key::nrCars);
  const int carCount = std::max(requestedCars, 1);
  const int lapCount = std::clamp(optionInt(config::key::nrLaps), kMinLaps, kMaxLaps);
  countdownFrames_ = framesPerSecond() * 3;

  std::string reason;
  if (!track::surfaceMapFits(*track_, 4.0, &reason)) {
    lastError_ = reason;
    return false;
  }
  track_->surfaceMap = track::buildSurfaceMap(*track_, track::SurfaceMap::kRaceCellSize);
  // The picture the track names, else the generated one: beside the track, or in the player's
  // folder when the game could not write beside it. It decodes on a thread of its own while the
  // cars are made and the drivers plan their lines, which read only the road: the picture's
  // ground leaves the road as it is.
  auto picture =
      std::async(std::launch::async, decodeFirstPicture,
                 track::trackFolders().backgroundCandidates(trackPath(), track_->background));
  roadClearance_ = std::make_unique<drivers::RoadClearance>(*track_->surfaceMap);
  hud_->start();

  camera_.reset();
  paused_ = false;
  const drivers::Controls keys = drivers::Controls::fromOptions();
  controls_->reset(keys);
  world_ = std::make_unique<physics::PhysicsWorld>();
  const bool sound = optionInt(config::key::sound) != 0;
  soundProblem_.clear();
  if (sound) {
    std::string problem;
    if (auto sample = loadEngineSample(audio_, &problem)) {
      engineSound_ = std::make_unique<EngineSound>(std::move(sample));
    } else {
      soundProblem_ = "No engine sound: " + problem;
    }
  }
  if (carCount > static_cast<int>(track_->positionCount())) {
    lastError_ = "The track has " + std::to_string(track_->positionCount()) +
                 " start positions, too few for " + std::to_string(carCount) + " cars.";
    return false;
  }
  cars_.reserve(static_cast<std::size_t>(carCount));
  for (int i = 0; i < carCount; ++i) createCar(i, optionInt(config::key::onlyCPU) != 0, keys);
  planFirstLines();
  if (!takeBackground(picture.get())) return false;
  carPointers_ = carPointers();

  startReferee(carCount, lapCount);
  minimap_ =
      std::make_unique<Minimap>(graphics_, *track_, camera_.screenWidth(), camera_.screenHeight());
  startLights_->start(sound && audio_.available() ? &audio_ : nullptr);
  camera_.setZoom(storedZoom());
  if (engineSound_) engineSound_->setListener(car(0));
  if (graphicsInt(config::key::tireMarks) != 0)
    tireMarks_ =
        std::make_unique<TireMarks>(background_->width(), background_->height(), &graphics_);
  planIndex_ = 0;
  results_->build(driverNames(), camera_.screenWidth(), camera_.screenHeight());
  const bool onlyCpu = optionInt(config::key::onlyCPU) != 0;
  records_->start({trackFile_, track_->pathFingerprint}, lapCount, carCount,
                  {onlyCpu ? -1 : 0, getPlayerName(0), drivers::levelName(drivers::storedLevel())});
  endRequest_ = EndRequest::Menu;
  active_ = true;
  return true;
}

void RaceData::startReferee(int carCount, int lapCount) {
  const float frameTime = 1.0f / framesPerSecond();
  laps_ = std::make_unique<LapTable>(carCount, lapCount, frameTime, finishLineOf(*track_),
                                     halfwayLineOf(*track_));
  lapPath_ = std::make_unique<LapPath>(*track_);
  standings_ = std::make_unique<Standings>(*lapPath_, carCount, frameTime);
  standings_->update(carPointers_, *laps_);  // the grid order
  backOnTrack_ = std::make_unique<BackOnTrack>(carCount, framesPerSecond());
  notices_ = std::make_unique<RaceNotices>(carCount, framesPerSecond());
}

bool RaceData::takeBackground(DecodedPicture picture) {
  if (!picture.pixels) {
    lastError_ = "No background picture for the track: " + picture.errors;
    return false;
  }
  background_ = std::make_unique<platform::Image>(graphics_, std::move(*picture.pixels), false);
  background::dressSurfaceMap(*track_->surfaceMap, *track_, picture.path);  // the ground it shows
  return true;
}

void RaceData::createCar(int i, bool onlyCpu, const drivers::Controls& keys) {
  RaceCar entry;
  entry.color = getPlayerColor(i);
  entry.name = platform::widen(getPlayerName(i));
  entry.image = loadCarPicture(graphics_, getPlayerImage(i));
  auto physics = std::make_unique<physics::CarPhysics>(*track_);
  physics->initModel();
  physics::placeOnStartPosition(*physics, track_->positionAt(static_cast<std::size_t>(i)));
  entry.car = std::move(physics);
  physics::Car& carRef = *entry.car;
  cars_.push_back(std::move(entry));

  std::unique_ptr<drivers::Driver> driver;
  if (i == 0 && !onlyCpu) {
    driver = std::make_unique<drivers::HumanDriver>(carRef, *track_, input_, keys);
  } else if ((i == 1 && !onlyCpu) || (i == 0 && onlyCpu)) {
    driver = std::make_unique<drivers::CPUDriver>(carRef, *track_, drivers::storedLevel(),
                                                  drivers::CPUDriver::FirstLine::Later,
                                                  roadClearance_.get());
    driver->train(kTrainingEpochs, nullptr);
  } else {
    const auto& previous = dynamic_cast<const drivers::CPUDriver&>(*drivers_.back());
    driver = std::make_unique<drivers::CPUDriver>(
        carRef, *track_, previous, drivers::CPUDriver::FirstLine::Later, roadClearance_.get());
  }
  drivers_.push_back(std::move(driver));
  world_->registerCar(carRef);
  if (engineSound_) engineSound_->registerCar(carRef);
}

void RaceData::planFirstLines() {
  std::vector<drivers::CPUDriver*> computers;
  for (auto& driver : drivers_)
    if (auto* computer = dynamic_cast<drivers::CPUDriver*>(driver.get()))
      computers.push_back(computer);
  drivers::CPUDriver::planFirstLines(computers);
}

void RaceData::updateResults() {
  if (laps_) results_->refresh(currentResults());
}

std::vector<ResultCells> RaceData::currentResults() const {
  if (!laps_) return {};
  // The live order: finished cars where they finished, the others as they stand on the road.
  return laps_->results(driverNames(), standings_->order());
}

void RaceData::endRace() {
  if (active_ || laps_) records_->end(laps_.get(), now());
  results_->clear();
  // Drivers and the world point at the cars: they go first.
  drivers_.clear();
  roadClearance_.reset();
  world_.reset();
  engineSound_.reset();
  carPointers_.clear();
  cars_.clear();
  minimap_.reset();
  notices_.reset();
  backOnTrack_.reset();
  standings_.reset();
  lapPath_.reset();
  laps_.reset();
  tireMarks_.reset();
  hud_->end();
  background_.reset();
  track_.reset();
  active_ = false;
}

const drivers::HumanDriver* RaceData::humanDriver() const {
  return drivers_.empty() ? nullptr
                          : dynamic_cast<const drivers::HumanDriver*>(drivers_.front().get());
}

bool RaceData::allFinished() const {
  if (!laps_) return false;
  for (int c = 0; c < laps_->carCount(); ++c)
    if (!laps_->finished(c)) return false;
  return true;
}

std::vector<physics::Car*> RaceData::carPointers() const {
  std::vector<physics::Car*> pointers;
  for (const RaceCar& entry : cars_) pointers.push_back(entry.car.get());
  return pointers;
}

std::vector<std::wstring> RaceData::driverNames() const {
  std::vector<std::wstring> names;
  for (const RaceCar& entry : cars_) names.push_back(entry.name);
  return names;
}

void RaceData::setFollowedCar(int index) {
  camera_.follow(index);
  // The engine heard is always the followed car's, however it was chosen.
  if (engineSound_) engineSound_->setListener(car(index));
}

RaceView RaceData::view() const {
  return RaceView(cars_, drivers_, *laps_, *standings_, camera_, *background_, countdownFrames_,
                  records_->recordLap());
}

void RaceData::pause() {
  if (!active_ || paused_) return;
  paused_ = true;
  updateResults();
}

void RaceData::updateRace() {
  if (!active_) return;
  if (controls_->pausePressed()) {
    paused_ = !paused_;
    if (paused_) updateResults();
  }
  handleViewKeys();
  if (!paused_) {
    --countdownFrames_;
    startLights_->update(countdownFrames_);
    if (countdownFrames_ >= 0) {
      refocusCamera();
    } else {
      racingFrame();
    }
  }
  if (const auto clicked = controls_->clickedCar(carPointers_, camera_)) setFollowedCar(*clicked);
  // The result screen comes up by itself once the followed car has finished.
  results_->update(input_, laps_->lapsDone(followedCar()) == laps_->lapCount() || paused_);
  if (results_->raceAgainKeyPressed(input_)) finish(EndRequest::RaceAgain);
}

void RaceData::racingFrame() {
  const int count = carCount();
  if (const auto next = controls_->followKeys(followedCar(), count)) setFollowedCar(*next);
  if (controls_->instrumentsPressed()) hud_->toggleInstruments();
  hud_->update(view());
  putBackStuckCars();

  if (drivers_[static_cast<std::size_t>(planIndex_ % count)]->plan())
    planIndex_ = (planIndex_ + 1) % count;
  for (auto& driver : drivers_) {
    driver->drive(carPointers_);
    driver->learn();
  }
  world_->step();
  backOnTrack_->observe(carPointers_);
  if (engineSound_ && optionInt(config::key::sound) != 0) engineSound_->update();
  updateCamera();
  if (tireMarks_) {
    if (graphicsInt(config::key::tireMarks) != 0) {
      TireMarkSettings settings;
      settings.depth = static_cast<unsigned>(graphicsInt(config::key::tireMarksDepth));
      settings.quality = graphicsInt(config::key::tireMarksQuality);
      settings.maxDarkness = graphicsInt(config::key::tireMarksMaxDarkness);
      tireMarks_->lay(carPointers_, settings);
    } else {
      tireMarks_->advanceTurn(count);
    }
  }
  countLaps();
}

void RaceData::handleViewKeys() {
  const ZoomStep step = controls_->zoomKeys();
  if (step != ZoomStep::None) {
    const double zoom =
        step == ZoomStep::In ? Camera::zoomedIn(camera_.zoom()) : Camera::zoomedOut(camera_.zoom());
    camera_.setZoom(zoom);
    config::Options::instance()->setGraphicsInt(config::key::zoom,
                                                static_cast<int>(std::lround(zoom * 100)));
    refocusCamera();
  }
  if (controls_->minimapPressed())
    config::Options::instance()->setGraphicsInt(config::key::minimap,
                                                graphicsInt(config::key::minimap) == 0);
}

void RaceData::putBackStuckCars() {
  // The player asks (after a second in trouble); the computers are put back after five.
  const bool playerAsks = controls_->backOnTrackPressed();
  const bool humanRaces = humanDriver() != nullptr;
  for (int c = 0; c < carCount(); ++c) {
    const bool human = humanRaces && c == 0;
    if (human ? playerAsks && backOnTrack_->playerMay(c) : backOnTrack_->computerStuck(c))
      putCarBack(c);
  }
}

void RaceData::putCarBack(int c) {
  backOnTrack_->putBack(c, car(c), lapPath_->roadPoseAt(standings_->lastRoadSegment(c)));
  drivers_[static_cast<std::size_t>(c)]->carPutBack();
  standings_->carMoved(c);
  if (laps_->finished(c)) return;
  laps_->addPenalty(c, BackOnTrack::kPenaltySeconds);
  notices_->penalised(c);
}

void RaceData::updateCamera() {
  const physics::Car& followed = car(camera_.followedCar());
  camera_.lead(followed.getX() - followed.getPreviousX(), followed.getY() - followed.getPreviousY(),
               followed.speed);
  refocusCamera();
}

void RaceData::refocusCamera() {
  const physics::Car& followed = car(camera_.followedCar());
  camera_.lookAt(followed.getX(), followed.getY(), background_->width(), background_->height());
}

void RaceData::countLaps() {
  bool someoneFinished = false;
  for (int i = 0; i < carCount(); ++i) {
    const physics::Car& c = car(i);
    if (laps_->carMoved(i, c.getPreviousX(), c.getPreviousY(), c.getX(), c.getY()))
      someoneFinished = true;
  }
  laps_->endFrame();
  standings_->update(carPointers_, *laps_);
  notices_->update(*laps_, *standings_);
  if (someoneFinished) {
    const bool recordedBefore = records_->recorded();
    records_->update(*laps_, now());
    if (records_->recorded() && !recordedBefore) results_->markRecords(records_->newRecords());
  }
  // Once the followed car has finished its table stays up: it follows the race each second.
  const bool tableUp = laps_->finished(followedCar()) && -countdownFrames_ % framesPerSecond() == 0;
  if (someoneFinished || tableUp) updateResults();
}

void RaceData::finish(EndRequest request) {
  endRequest_ = request;
  active_ = false;
}

void RaceData::onClick(std::string id) {
  switch (results_->handleClick(id)) {
    case ResultCommand::QuitRace:
      finish(EndRequest::Menu);
      break;
    case ResultCommand::RaceAgain:
      finish(EndRequest::RaceAgain);
      break;
    case ResultCommand::NextTrack:
      finish(EndRequest::NextTrack);
      break;
    case ResultCommand::None:
      break;
  }
}

void RaceData::onHover(std::string) {}

}  // namespace race
