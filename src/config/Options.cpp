#include "config/Options.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "config/OptionKeys.h"
#include "platform/UserFolders.h"

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
  touch();
}

// Every known setting is read with its default and stored back, so the written file always
// lists them all, in this order.
void Options::normalise() {
  static const IntSetting kBefore[] = {
      {kOptionsSection, "nrCars", 2},
      {kOptionsSection, "nrLaps", 2},
      {kOptionsSection, "onlyCPU", 0},
      {kOptionsSection, "sound", 0},
      {kOptionsSection, "intro", 1},
      {kGraphicsSection, "height", 700},
      {kGraphicsSection, "width", 1000},
      {kGraphicsSection, "fullscreen", 0},
      {kGraphicsSection, "tireMarks", 1},
      {kGraphicsSection, "tireMarksDepth", 20},
      {kGraphicsSection, "tireMarksMaxDarkness", 80},
      {kGraphicsSection, "tireMarksQuality", 2},
      {kGraphicsSection, config::key::zoom, 100},
      {kGraphicsSection, config::key::minimap, 1},
  };
  // Beside tarmac and grass, the ground the background painter paints off the road: sand holds
  // a car back hardest and gravel least; snow lets it roll but hardly steer.
  static const IntSetting kSurfaces[] = {
      {kWeatherSection, "dry_tarmac_grip", 100}, {kWeatherSection, "dry_tarmac_resistance", 30},
      {kWeatherSection, "dry_grass_grip", 80},   {kWeatherSection, "dry_grass_resistance", 1500},
      {kWeatherSection, "wet_tarmac_grip", 40},  {kWeatherSection, "wet_tarmac_resistance", 10},
      {kWeatherSection, "wet_grass_grip", 100},  {kWeatherSection, "wet_grass_resistance", 3000},
      {kWeatherSection, "dry_sand_grip", 60},    {kWeatherSection, "dry_sand_resistance", 2500},
      {kWeatherSection, "dry_snow_grip", 35},    {kWeatherSection, "dry_snow_resistance", 1000},
      {kWeatherSection, "dry_gravel_grip", 60},  {kWeatherSection, "dry_gravel_resistance", 800},
      {kWeatherSection, "wet_sand_grip", 70},    {kWeatherSection, "wet_sand_resistance", 2000},
      {kWeatherSection, "wet_snow_grip", 25},    {kWeatherSection, "wet_snow_resistance", 1400},
      {kWeatherSection, "wet_gravel_grip", 50},  {kWeatherSection, "wet_gravel_resistance", 1000},
  };
  auto keepOrDefault = [this](const auto& settings) {
    for (const IntSetting& s : settings)
      ini_->setValueInt(s.section, s.key, ini_->getValueInt(s.section, s.key, s.defaultValue));
  };
  keepOrDefault(kBefore);
  ini_->setValue(kWeatherSection, "weatherType",
                 ini_->getValue(kWeatherSection, "weatherType", "dry"), true);
  keepOrDefault(kSurfaces);
  // The computer drivers read "skill", but a hand-written value is taken from "aiStr": each
  // start overwrites "skill" with it (or with 20 when there is none).
  ini_->setValueInt(kAISection, "skill", ini_->getValueInt(kAISection, "aiStr", 20));
  // The computer drivers' level, chosen in the race setup, is kept as it is.
  ini_->setValue(kAISection, "difficulty", ini_->getValue(kAISection, "difficulty", "medium"),
                 true);
  // The race's own keys (driving is on the arrows): R, =, - and M.
  static const IntSetting kKeys[] = {
      {kKeysSection, config::key::backOnTrack, 19},
      {kKeysSection, config::key::zoomIn, 13},
      {kKeysSection, config::key::zoomOut, 12},
      {kKeysSection, config::key::toggleMinimap, 50},
  };
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

void Options::setOptionInt(const std::string& key, int value) {
  ini_->setValueInt(kOptionsSection, key, value);
  touch();
}

int Options::getKeysInt(const std::string& key) const {
  return ini_->getValueInt(kKeysSection, key, -1);
}

void Options::setGraphicsInt(const std::string& key, int value) {
  ini_->setValueInt(kGraphicsSection, key, value);
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

// Lines the reader had to pass over would be gone after the save: the file as it was is kept
// beside it as "options.ini.bak", so nothing the player wrote by hand is lost.
void Options::keepBackupOfUnreadableFile() {
  const std::string backup = ini_->getPath() + ".bak";
  std::error_code error;
  std::filesystem::copy_file(ini_->getPath(), backup,
                             std::filesystem::copy_options::overwrite_existing, error);
  if (!error) std::cerr << "Kept the settings file as it was in " << backup << '\n';
}

bool Options::save() {
  // The user's settings folder may not exist before the first save.
  const std::filesystem::path folder = std::filesystem::path(ini_->getPath()).parent_path();
  if (!folder.empty()) platform::ensureFolder(folder.string());
  if (ini_->badLines() > 0) keepBackupOfUnreadableFile();
  if (ini_->writeFile()) return true;
  std::cerr << "Could not save the settings: " << ini_->lastError() << '\n';
  return false;
}
