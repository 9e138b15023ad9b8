#include "config/Options.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "config/OptionKeys.h"
#include "platform/UserFolders.h"

namespace config {

namespace {

std::unique_ptr<Options>& storage() {
  static std::unique_ptr<Options> options;
  return options;
}

// Shared by every store the process creates, so a reader's cached revision never matches a
// newer store by accident.
unsigned lastRevision = 0;

struct IntSetting {
  const char* section;
  const char* key;
  int defaultValue;
};

// One kind of ground in one weather: its grip, then its resistance.
struct SurfaceSetting {
  const char* weather;
  const char* ground;
  int grip;
  int resistance;
};

// The player's keys and pad buttons, each a button id as the game numbers them (the
// keyboard's scan codes: Up 200, R 19; the pad from 262: its directions, then A, B, X ...).
const IntSetting kKeys[] = {
    {Options::kKeysSection, key::backOnTrack, 19},
    {Options::kKeysSection, key::throttle, 200},
    {Options::kKeysSection, key::brake, 208},
    {Options::kKeysSection, key::steerLeft, 203},
    {Options::kKeysSection, key::steerRight, 205},
    {Options::kKeysSection, key::followNext, 201},
    {Options::kKeysSection, key::followPrevious, 209},
    {Options::kKeysSection, key::padThrottle, 266},
    {Options::kKeysSection, key::padBrake, 267},
    {Options::kKeysSection, key::padSteerLeft, 262},
    {Options::kKeysSection, key::padSteerRight, 263},
    {Options::kKeysSection, key::padBackOnTrack, 269},
    {Options::kKeysSection, key::padFollowNext, 276},
    {Options::kKeysSection, key::padFollowPrevious, 275},
    // The race view's own keys: =, - and M.
    {Options::kKeysSection, key::zoomIn, 13},
    {Options::kKeysSection, key::zoomOut, 12},
    {Options::kKeysSection, key::toggleMinimap, 50},
};

// Beside tarmac and grass, the ground the background painter paints off the road: sand holds
// a car back hardest and gravel least; snow lets it roll but hardly steer.
const SurfaceSetting kSurfaces[] = {
    {key::dryWeather, key::tarmac, 100, 30}, {key::dryWeather, key::grass, 80, 1500},
    {key::wetWeather, key::tarmac, 40, 10},  {key::wetWeather, key::grass, 100, 3000},
    {key::dryWeather, key::sand, 60, 2500},  {key::dryWeather, key::snow, 35, 1000},
    {key::dryWeather, key::gravel, 60, 800}, {key::wetWeather, key::sand, 70, 2000},
    {key::wetWeather, key::snow, 25, 1400},  {key::wetWeather, key::gravel, 50, 1000},
};

// The weathers whose every surface value has a default.
const char* const kBuiltInWeathers[] = {key::dryWeather, key::wetWeather};
constexpr const char* kFallbackWeather = key::dryWeather;

// A weather of the player's own is raced on when the file gives its road and grass: without
// them every surface would hold nothing and no car would ever finish.
bool hasOwnSurfaceKeys(const CIniFile& ini, const std::string& weather) {
  for (const char* ground : {key::tarmac, key::grass}) {
    for (const char* value : {key::grip, key::resistance}) {
      const std::string name = key::surfaceValue(weather, ground, value);
      if (ini.findValue(ini.findKey(Options::kWeatherSection), name) == CIniFile::noID) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

Options* Options::instance() {
  auto& options = storage();
  if (!options) options.reset(new Options());
  return options.get();
}

void Options::destroy(bool save) {
  auto& options = storage();
  if (!options) return;
  if (save) options->save();
  options.reset();
}

Options::Options() {
  const platform::UserFolders folders = platform::userFolders();
  ini_ = std::make_unique<CIniFile>(folders.optionsFile());
  ini_->setCaseInsensitive(true);
  // A player's first start of an installed game begins from the settings shipped with it; from
  // then on their own file is read and written.
  const std::string seed = folders.optionsSeedFile();
  std::error_code ignored;
  if (!seed.empty() && !std::filesystem::exists(ini_->getPath(), ignored) &&
      std::filesystem::exists(seed, ignored)) {
    ini_->setPath(seed);
    ini_->readFile();
    ini_->setPath(folders.optionsFile());
  } else {
    // A missing or unreadable file leaves the document empty or partly filled; the defaults
    // below fill every gap.
    ini_->readFile();
  }
  normalise();
  warnOfUnknownWeather();
  touch();
}

std::optional<int> Options::surfaceDefault(const std::string& name) {
  for (const SurfaceSetting& setting : kSurfaces) {
    if (name == key::surfaceValue(setting.weather, setting.ground, key::grip)) return setting.grip;
    if (name == key::surfaceValue(setting.weather, setting.ground, key::resistance)) {
      return setting.resistance;
    }
  }
  return std::nullopt;
}

std::string Options::weather() const {
  const std::string chosen = getWeatherString(key::weatherType);
  for (const char* builtIn : kBuiltInWeathers) {
    if (chosen == builtIn) return chosen;
  }
  return hasOwnSurfaceKeys(*ini_, chosen) ? chosen : kFallbackWeather;
}

void Options::warnOfUnknownWeather() const {
  const std::string chosen = getWeatherString(key::weatherType);
  if (weather() == chosen) return;
  std::cerr << ini_->getPath() << ": weatherType \"" << chosen << "\" is unknown and has no "
            << chosen << "_tarmac_grip, " << chosen << "_tarmac_resistance, " << chosen
            << "_grass_grip and " << chosen << "_grass_resistance: racing in \"" << kFallbackWeather
            << "\" weather\n";
}

// Every known setting is read with its default and stored back, so the written file always
// lists them all, in this order.
void Options::normalise() {
  using namespace config::key;
  auto keepOrDefault = [this](const auto& settings) {
    for (const IntSetting& s : settings) {
      ini_->setValueInt(s.section, s.key, ini_->getValueInt(s.section, s.key, s.defaultValue));
    }
  };
  static const IntSetting kBefore[] = {
      {kOptionsSection, nrCars, 2},
      {kOptionsSection, nrLaps, 2},
      {kOptionsSection, onlyCPU, 0},
      {kOptionsSection, sound, 0},
      {kOptionsSection, intro, 1},
      // The engine's loudness in percent (0..100), as the settings screen sets it, and whether
      // the keys steer smoothly (1) or at full lock at once (0).
      {kOptionsSection, volume, 100},
      {kOptionsSection, smoothSteering, 0},
      {kGraphicsSection, height, 700},
      {kGraphicsSection, width, 1000},
      {kGraphicsSection, fullscreen, 0},
      {kGraphicsSection, tireMarks, 1},
      {kGraphicsSection, tireMarksDepth, 20},
      {kGraphicsSection, tireMarksMaxDarkness, 80},
      {kGraphicsSection, tireMarksQuality, 2},
      {kGraphicsSection, zoom, 100},
      {kGraphicsSection, minimap, 1},
  };
  keepOrDefault(kBefore);
  ini_->setValue(kWeatherSection, weatherType,
                 ini_->getValue(kWeatherSection, weatherType, dryWeather), true);
  auto keepOrDefaultSurface = [this](const std::string& key, int defaultValue) {
    ini_->setValueInt(kWeatherSection, key, ini_->getValueInt(kWeatherSection, key, defaultValue));
  };
  for (const auto& s : kSurfaces) {
    keepOrDefaultSurface(surfaceValue(s.weather, s.ground, key::grip), s.grip);
    keepOrDefaultSurface(surfaceValue(s.weather, s.ground, key::resistance), s.resistance);
  }
  // The computer drivers read "skill", but a hand-written value is taken from "aiStr": each
  // start overwrites "skill" with it (or with 20 when there is none).
  ini_->setValueInt(kAISection, skill, ini_->getValueInt(kAISection, aiStr, 20));
  // The computer drivers' level, chosen in the race setup, is kept as it is.
  ini_->setValue(kAISection, difficulty, ini_->getValue(kAISection, difficulty, "medium"), true);
  keepOrDefault(kKeys);
}

void Options::touch() {
  revision_ = ++lastRevision;
}

int Options::getOptionInt(const std::string& key) const {
  return ini_->getValueInt(kOptionsSection, key, 0);
}
int Options::getGraphicsInt(const std::string& key) const {
  return ini_->getValueInt(kGraphicsSection, key, 0);
}
std::string Options::getWeatherString(const std::string& key) const {
  return ini_->getValue(kWeatherSection, key, "");
}
int Options::getWeatherInt(const std::string& key) const {
  return ini_->getValueInt(kWeatherSection, key, 0);
}
std::string Options::getPlayersString(const std::string& key) const {
  return ini_->getValue(kPlayersSection, key, "");
}
int Options::getAIInt(const std::string& key) const {
  return ini_->getValueInt(kAISection, key, 0);
}
std::string Options::getAIString(const std::string& key) const {
  return ini_->getValue(kAISection, key, "");
}

int Options::defaultKey(const std::string& key) {
  for (const IntSetting& s : kKeys) {
    if (key == s.key) return s.defaultValue;
  }
  return -1;
}

int Options::getKeysInt(const std::string& key) const {
  return ini_->getValueInt(kKeysSection, key, -1);
}

void Options::setOptionInt(const std::string& key, int value) {
  ini_->setValueInt(kOptionsSection, key, value);
  touch();
}

void Options::setGraphicsInt(const std::string& key, int value) {
  ini_->setValueInt(kGraphicsSection, key, value);
  touch();
}

void Options::setKeysInt(const std::string& key, int value) {
  ini_->setValueInt(kKeysSection, key, value);
  touch();
}

void Options::setPlayersString(const std::string& key, const std::string& value) {
  ini_->setValue(kPlayersSection, key, value, true);
  touch();
}

void Options::setAIString(const std::string& key, const std::string& value) {
  ini_->setValue(kAISection, key, value, true);
  touch();
}

CIniFile& Options::ini() {
  touch();
  return *ini_;
}

// Lines the reader had to pass over (or a whole file too large to read) would be gone after the
// save: the file as it was is kept beside it as "options.ini.bak", so nothing the player wrote
// by hand is lost.
void Options::keepBackupOfUnreadableFile() {
  const std::string backup = ini_->getPath() + ".bak";
  std::error_code error;
  std::filesystem::copy_file(ini_->getPath(), backup,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (!error) std::cerr << "Kept the settings file as it was in " << backup << '\n';
}

bool Options::save() {
  lastSaveError_.clear();
  // The user's settings folder may not exist before the first save.
  const std::filesystem::path folder = std::filesystem::path(ini_->getPath()).parent_path();
  std::string folderError;
  if (!folder.empty() && !platform::ensureFolder(folder.string(), &folderError)) {
    lastSaveError_ = "cannot save the settings \"" + ini_->getPath() + "\": " + folderError;
  } else {
    if (ini_->badLines() > 0 || ini_->wasTooLarge()) keepBackupOfUnreadableFile();
    if (ini_->writeFile()) return true;
    lastSaveError_ = ini_->lastError();
  }
  std::cerr << "Could not save the settings: " << lastSaveError_ << '\n';
  return false;
}

}  // namespace config
