#pragma once
#include <memory>
#include <optional>
#include <string>

#include "config/IniFile.h"

namespace config {

// The process-wide settings store over "options.ini" (in the program folder, or in the user's
// settings folder when the program's tree is read-only, see platform::UserFolders). Created on
// first use: reads the file and fills in a default for every missing setting. Written back once, by
// the main window's teardown.
class Options {
 public:
  // Section names as they stand in the file: one space before and after the word.
  static constexpr const char* kOptionsSection = " Options ";
  static constexpr const char* kGraphicsSection = " Graphics ";
  static constexpr const char* kWeatherSection = " Weather Conditions ";
  static constexpr const char* kPlayersSection = " Players ";
  static constexpr const char* kAISection = " AI ";
  static constexpr const char* kKeysSection = " Keys ";

  static Options* instance();
  // Writes the file (if `save`) and destroys the store; the next instance() reads it anew.
  static void destroy(bool save);

  int getOptionInt(const std::string& key) const;
  int getGraphicsInt(const std::string& key) const;
  std::string getWeatherString(const std::string& key) const;
  int getWeatherInt(const std::string& key) const;
  std::string getPlayersString(const std::string& key) const;
  int getAIInt(const std::string& key) const;
  std::string getAIString(const std::string& key) const;
  // A key's button id (platform/Buttons.h), or -1 when the file holds none.
  int getKeysInt(const std::string& key) const;
  // The weather whose surface values the cars use: "weatherType" when it is "dry", "wet" or a
  // type of the player's own whose tarmac and grass grip and resistance are all in the file;
  // otherwise "dry" (said on standard error when the file is read).
  std::string weather() const;
  // The default of a surface key ("wet_tarmac_grip" → 40); none for a player's own weather.
  static std::optional<int> surfaceDefault(const std::string& key);
  void setOptionInt(const std::string& key, int value);
  void setGraphicsInt(const std::string& key, int value);
  void setPlayersString(const std::string& key, const std::string& value);
  void setAIString(const std::string& key, const std::string& value);

  // Counts every change; readers that cache a value (the car's surface values) re-read it
  // when the revision moved. It never goes back, not even across destroy() and a new store.
  unsigned revision() const { return revision_; }

  // Writes "options.ini" through platform::saveFile(), which keeps the old file whole when the
  // new one cannot be written. False (with a message on standard error, and lastSaveError()
  // saying why) when it cannot be written.
  bool save();
  // Why the last save() failed ("cannot save the settings "…/options.ini": No space left on
  // device"); empty after a success.
  const std::string& lastSaveError() const { return lastSaveError_; }

  // Direct access to the document. Counts as a change, since the caller may write through it.
  CIniFile& ini();
  const CIniFile& ini() const { return *ini_; }

 private:
  Options();
  void keepBackupOfUnreadableFile();
  void touch();
  void normalise();
  void warnOfUnknownWeather() const;

  std::unique_ptr<CIniFile> ini_;
  unsigned revision_ = 0;
  std::string lastSaveError_;
};

}  // namespace config
