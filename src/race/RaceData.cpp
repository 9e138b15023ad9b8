#include "race/RaceData.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "config/Options.h"
#include "drivers/CPUDriver.h"
#include "drivers/HumanDriver.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "physics/StartPosition.h"
#include "platform/Audio.h"
#include "platform/Bitmap.h"
#include "platform/Buttons.h"
#include "platform/Image.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "race/EngineSound.h"
#include "race/PlayerSettings.h"
#include "race/TimeFormat.h"
#include "race/TireMarks.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace race {
namespace {

constexpr int kMaxLaps = 99;
constexpr int kTrainingEpochs = 100000;
constexpr platform::Color kPathColor = 0x50ff0000u;

int optionInt(const char* key) {
  return Options::instance()->getOptionInt(key);
}
int graphicsInt(const char* key) {
  return Options::instance()->getGraphicsInt(key);
}

// Plots a line from (x0, y0) to (x1, y1) without the start pixel, inside the bitmap only.
void plotLine(platform::Bitmap& bitmap, int x0, int y0, int x1, int y1, platform::Color color) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (x0 != x1 || y0 != y1) {
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
    if (x0 >= 0 && y0 >= 0 && x0 < bitmap.width() && y0 < bitmap.height())
      bitmap.setPixel(x0, y0, color);
  }
}

}  // namespace

RaceData::RaceData(platform::Graphics& graphics, platform::Input& input, platform::Audio& audio,
                   int updateInterval)
    : graphics_(graphics),
      input_(input),
      audio_(audio),
      updateInterval_(std::max(updateInterval, 1)),
      pauseKey_(1000 / (3 * updateInterval_)),
      cameraKeys_(1000 / (3 * updateInterval_)),
      instrumentsKey_(1000 / (3 * updateInterval_)) {
  platform::seedFromClock();
}

RaceData::~RaceData() {
  endRace();
}

void RaceData::setScreenSize(int width, int height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

std::string RaceData::trackPath() const {
  // A name chosen from the track list may stand in the shipped folder or the player's own.
  return tracksFolder_.empty() ? platform::userFolders().trackFile(trackFile_)
                               : tracksFolder_ + trackFile_;
}

void RaceData::selectTrack(const std::string& fileName) {
  tracksFolder_.clear();
  trackFile_ = fileName;
  track_ = readLevelInfo(trackPath());
}

void RaceData::selectTrackPath(const std::string& path) {
  const auto slash = path.find_last_of('/');
  tracksFolder_ = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  trackFile_ = slash == std::string::npos ? path : path.substr(slash + 1);
  track_ = readLevelInfo(trackPath());
}

void RaceData::loadTrack() {
  std::string reason;
  track_ = importTrack(trackPath(), &reason);
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
  mouseIdleFrames_ = 0;
  loadTrack();
  if (!track_) return false;

  // A hand-edited options file may hold anything; the menu's own limits apply.
  const int requestedCars = optionInt("nrCars");
  const int carCount = std::max(requestedCars, 1);
  lapCount_ = std::clamp(optionInt("nrLaps"), 1, kMaxLaps);
  countdownFrames_ = framesPerSecond() * 3;

  std::string reason;
  if (!surfaceMapFits(*track_, 4.0, &reason)) {
    lastError_ = reason;
    return false;
  }
  track_->surfaceMap = buildSurfaceMap(*track_, 4.0);
  if (!loadBackground()) return false;
  loadInstruments();

  cameraX_ = cameraY_ = 0;
  paused_ = false;
  pauseKey_.reset();
  cameraKeys_.reset();
  instrumentsKey_.reset();
  world_ = std::make_unique<PhysicsWorld>();
  const bool sound = optionInt("sound") != 0;
  if (sound) {
    try {
      engineSound_ = std::make_unique<EngineSound>(std::make_unique<platform::Sample>(
          audio_, platform::programFolder() + "sound/viper_offhigh.wav"));
    } catch (const std::exception&) {
      engineSound_.reset();  // a race without engine sound rather than no race
    }
  }
  const LineSegment finish = finishLineOf(*track_);
  const LineSegment halfway = halfwayLineOf(*track_);

  if (carCount > static_cast<int>(track_->positionCount())) {
    lastError_ = "The track has " + std::to_string(track_->positionCount()) +
                 " start positions, too few for " + std::to_string(carCount) + " cars.";
    return false;
  }
  cars_.reserve(static_cast<std::size_t>(carCount));
  for (int i = 0; i < carCount; ++i) createCar(i, optionInt("onlyCPU") != 0);
  carPointers_ = carPointers();

  laps_ =
      std::make_unique<LapTable>(carCount, lapCount_, 1.0f / framesPerSecond(), finish, halfway);
  followedCar_ = 0;
  if (engineSound_) engineSound_->setListener(car(0));
  if (graphicsInt("tireMarks") != 0)
    tireMarks_ =
        std::make_unique<TireMarks>(background_->width(), background_->height(), &graphics_);
  overlayCounter_ = 0;
  planIndex_ = 0;
  overlayBitmap_.reset();
  overlayImage_.reset();
  buildResultScreen();
  active_ = true;
  return true;
}

bool RaceData::loadBackground() {
  // The picture the track names, else the generated one: beside the track, or in the player's
  // folder when the game could not write beside it.
  const std::vector<std::string> candidates =
      platform::userFolders().backgroundCandidates(trackPath(), track_->background);
  std::string errors;
  for (const std::string& candidate : candidates) {
    try {
      background_ = std::make_unique<platform::Image>(graphics_, candidate, false);
      return true;
    } catch (const std::exception& error) {
      errors += (errors.empty() ? "" : "; ") + std::string(error.what());
    }
  }
  lastError_ = "No background picture for the track: " + errors;
  return false;
}

void RaceData::loadInstruments() {
  auto load = [this](const char* name) -> std::unique_ptr<platform::Image> {
    try {
      return std::make_unique<platform::Image>(graphics_, platform::programFolder() + name, true);
    } catch (const std::exception&) {
      return nullptr;  // the panel simply lacks that picture
    }
  };
  powerBar_ = load("images/gui/powerbar.png");
  brakeBar_ = load("images/gui/brake_bar.png");
  throttleBar_ = load("images/gui/throttle_bar.png");
  steerBar_ = load("images/gui/steer_bar.png");
  wheelIndicator_ = load("images/gui/wheel_indicator.png");
}

void RaceData::createCar(int i, bool onlyCpu) {
  RaceCar entry;
  entry.color = getPlayerColor(i);
  entry.name = platform::widen(getPlayerName(i));
  const std::string imagePath = platform::programFolder() + "images/cars/" + getPlayerImage(i);
  try {
    entry.image = std::make_unique<platform::Image>(graphics_, imagePath, false);
  } catch (const std::exception&) {
    // A player's picture that is missing: fall back to the shipped car rather than no race.
    entry.image = std::make_unique<platform::Image>(
        graphics_, platform::programFolder() + "images/cars/enzo.png", false);
  }
  auto physics = std::make_unique<CarPhysics>(*track_);
  physics->initModel();
  placeOnStartPosition(*physics, track_->positionAt(static_cast<std::size_t>(i)));
  entry.car = std::move(physics);
  Car& carRef = *entry.car;
  cars_.push_back(std::move(entry));

  std::unique_ptr<Driver> driver;
  if (i == 0 && !onlyCpu) {
    auto human = std::make_unique<HumanDriver>(carRef, *track_, input_);
    humanDriver_ = human.get();
    driver = std::move(human);
  } else if ((i == 1 && !onlyCpu) || (i == 0 && onlyCpu)) {
    const std::string level = Options::instance()->getAIString("difficulty");
    driver = std::make_unique<CPUDriver>(carRef, *track_,
                                         parseLevel(level).value_or(DriverLevel::kMedium));
    driver->train(kTrainingEpochs, nullptr);
  } else {
    const auto& previous = dynamic_cast<const CPUDriver&>(*drivers_.back());
    driver = std::make_unique<CPUDriver>(carRef, *track_, previous);
  }
  drivers_.push_back(std::move(driver));
  world_->registerCar(carRef);
  if (engineSound_) engineSound_->registerCar(carRef);
}

void RaceData::buildResultScreen() {
  resultRows_.clear();
  resultsGui_ = std::make_unique<GUI_Manager>(graphics_);
  resultsList_ = std::make_unique<GUI_Component_ListBox>("resultsLB", 5,
                                                         std::vector<int>{40, 200, 300, 400, 500});
  resultsList_->setFrameKind(FieldFrameKind::List);
  resultsList_->setTitle({L"Pos.", L"Driver", L"Total time", L"Difference", L"Best lap"});
  for (int p = 0; p < carCount(); ++p) {
    auto& row = resultsList_->addRow(
        "result", {L" " + std::to_wstring(p + 1), raceCar(p).name, kNoTime, L"", kNoTime});
    resultRows_.push_back(&row);
  }
  layoutResults();

  const int w = screenWidth_, h = screenHeight_;
  const int buttonY = h - (h - 500) / 2 - 98;
  quitButton_ = std::make_unique<GUI_Component_Button>("quitRace", L"Quit Race");
  quitButton_->place(1000, (w - 500) / 2 + 413, buttonY, 100);
  scrollUpButton_ = std::make_unique<GUI_Component_Button>("scrollup", L"Scroll up");
  scrollUpButton_->place(1000, w / 2 - 251, buttonY, 100);
  scrollDownButton_ = std::make_unique<GUI_Component_Button>("scrolldown", L"Scroll down");
  scrollDownButton_->place(1000, w / 2 - 146, buttonY, 100);
  mousePointer_ = std::make_unique<GUI_Component_Mouse>("mouse", 1001);
  resultsGui_->add(mousePointer_.get());
  resultsGui_->addListener(this);
  resultScreenShown_ = scrollButtonsShown_ = false;
}

void RaceData::layoutResults() {
  resultsList_->layout(1000, (screenWidth_ - 500) / 2, (screenHeight_ - 500) / 2 + 10, 389);
}

void RaceData::updateResults() {
  if (!laps_ || !resultsList_) return;
  const auto rows = laps_->results(driverNames());
  for (std::size_t p = 0; p < rows.size() && p < resultRows_.size(); ++p)
    resultRows_[p]->setCells({rows[p].begin(), rows[p].end()});
  layoutResults();
}

std::vector<ResultCells> RaceData::resultTable() const {
  std::vector<ResultCells> table;
  for (const GUI_Component_ListBoxItem* row : resultRows_) {
    ResultCells cells;
    const auto& texts = row->cells();
    for (std::size_t c = 0; c < cells.size() && c < texts.size(); ++c) cells[c] = texts[c];
    table.push_back(cells);
  }
  return table;
}

std::vector<ResultCells> RaceData::currentResults() const {
  return laps_ ? laps_->results(driverNames()) : std::vector<ResultCells>{};
}

void RaceData::endRace() {
  if (resultsGui_) resultsGui_->clear();
  resultRows_.clear();
  mousePointer_.reset();
  scrollDownButton_.reset();
  scrollUpButton_.reset();
  quitButton_.reset();
  resultsList_.reset();
  resultsGui_.reset();
  resultScreenShown_ = scrollButtonsShown_ = false;
  // Drivers and the world point at the cars: they go first.
  humanDriver_ = nullptr;
  drivers_.clear();
  world_.reset();
  engineSound_.reset();
  carPointers_.clear();
  cars_.clear();
  laps_.reset();
  tireMarks_.reset();
  overlayImage_.reset();
  overlayBitmap_.reset();
  background_.reset();
  track_.reset();
  active_ = false;
}

bool RaceData::allFinished() const {
  if (!laps_) return false;
  for (int c = 0; c < laps_->carCount(); ++c)
    if (!laps_->finished(c)) return false;
  return true;
}

std::vector<Car*> RaceData::carPointers() const {
  std::vector<Car*> pointers;
  for (const RaceCar& entry : cars_) pointers.push_back(entry.car.get());
  return pointers;
}

std::vector<std::wstring> RaceData::driverNames() const {
  std::vector<std::wstring> names;
  for (const RaceCar& entry : cars_) names.push_back(entry.name);
  return names;
}

void RaceData::setFollowedCar(int index) {
  followedCar_ = index;
  // The engine heard is always the followed car's, however it was chosen.
  if (engineSound_) engineSound_->setListener(car(index));
}

void RaceData::pause() {
  if (!active_ || paused_) return;
  paused_ = true;
  updateResults();
}

void RaceData::updateRace() {
  if (!active_) return;
  if (pauseKey_.poll(input_.down(platform::button::kEscape))) {
    paused_ = !paused_;
    if (paused_) updateResults();
  }
  if (!paused_) {
    --countdownFrames_;
    if (countdownFrames_ >= 0) {
      updateCamera();
    } else {
      const int count = carCount();
      const bool pageUp = input_.down(platform::button::kPageUp);
      const bool pageDown = input_.down(platform::button::kPageDown);
      if (cameraKeys_.poll(pageUp || pageDown))
        setFollowedCar(pageUp ? (followedCar_ + 1) % count : (followedCar_ + count - 1) % count);
      if (instrumentsKey_.poll(input_.down(platform::button::kBackspace)))
        showInstruments_ = !showInstruments_;

      if (overlayCounter_ % framesPerSecond() == 0) rebuildOverlay();
      overlayCounter_ = (overlayCounter_ + 1) % (1500 / updateInterval_);

      if (drivers_[static_cast<std::size_t>(planIndex_ % count)]->plan())
        planIndex_ = (planIndex_ + 1) % count;
      for (auto& driver : drivers_) {
        driver->drive(carPointers_);
        driver->learn();
      }
      world_->step();
      if (engineSound_ && optionInt("sound") != 0) engineSound_->update();
      updateCamera();
      if (tireMarks_) {
        if (graphicsInt("tireMarks") != 0) {
          TireMarkSettings settings;
          settings.depth = static_cast<unsigned>(graphicsInt("tireMarksDepth"));
          settings.quality = graphicsInt("tireMarksQuality");
          settings.maxDarkness = graphicsInt("tireMarksMaxDarkness");
          tireMarks_->lay(carPointers_, settings);
        } else {
          tireMarks_->advanceTurn(count);
        }
      }
      countLaps();
    }
  }
  chooseCarWithMouse();
}

void RaceData::updateCamera() {
  const Car& followed = car(followedCar_);
  cameraX_ = cameraOffset(screenWidth_, background_->width(), followed.getX());
  cameraY_ = cameraOffset(screenHeight_, background_->height(), followed.getY());
}

void RaceData::countLaps() {
  bool someoneFinished = false;
  for (int i = 0; i < carCount(); ++i) {
    const Car& c = car(i);
    if (laps_->carMoved(i, c.getPreviousX(), c.getPreviousY(), c.getX(), c.getY()))
      someoneFinished = true;
  }
  laps_->endFrame();
  if (someoneFinished) updateResults();
}

void RaceData::chooseCarWithMouse() {
  if (!input_.down(platform::button::kMouseLeft)) return;
  const double mx = input_.mouseX(), my = input_.mouseY();
  for (int b = 0; b < carCount(); ++b) {
    const Car& c = car(b);
    const double dx = mx - (c.getX() + cameraX_), dy = my - (c.getY() + cameraY_);
    if (dx * dx + dy * dy < c.getLength() * c.getLength()) {
      setFollowedCar(b);
      return;
    }
  }
}

void RaceData::rebuildOverlay() {
  overlayBitmap_ =
      std::make_unique<platform::Bitmap>(background_->width() / 4, background_->height() / 4);
  const std::vector<TrackPoint>* path = driver(followedCar_).path();
  if (path == nullptr || path->empty()) return;
  platform::Bitmap& bitmap = *overlayBitmap_;
  auto plot = [&bitmap](int x, int y) {
    if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height())
      bitmap.setPixel(x, y, kPathColor);
  };
  int previousX = 0, previousY = 0;
  for (std::size_t i = 0; i < path->size(); ++i) {
    const int x = static_cast<int>((*path)[i].x), y = static_cast<int>((*path)[i].y);
    plot(x, y);
    if (i > 0) plotLine(bitmap, previousX, previousY, x, y, kPathColor);
    previousX = x;
    previousY = y;
  }
  plotLine(bitmap, previousX, previousY, static_cast<int>(path->front().x),
           static_cast<int>(path->front().y), kPathColor);
  overlayImage_ = std::make_unique<platform::Image>(graphics_, bitmap, false);
}

void RaceData::onClick(std::string id) {
  if (id == "quitRace") {
    active_ = false;
  } else if ((id == "scrollup" || id == "scrolldown") && resultsList_) {
    resultsList_->scrollTo(resultsList_->firstVisible() + (id == "scrollup" ? -1 : 1));
  }
}

void RaceData::onHover(std::string) {}

}  // namespace race
