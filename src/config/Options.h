#pragma once
#include <memory>
#include <string>

#include "config/IniFile.h"

// The process-wide settings store over "options.ini" in the program folder. Created on first
// use: reads the file and fills in a default for every missing setting. Written back once, by
// the main window's teardown.
class Options {
 public:
  static Options* instance();
  // Writes the file (if `save`) and destroys the store; the next instance() reads it anew.
  static void destroy(bool save);

  int getOptionInt(const std::string& key) const;
  int getGraphicsInt(const std::string& key) const;
  std::string getWeatherString(const std::string& key) const;
  int getWeatherInt(const std::string& key) const;
  std::string getPlayersString(const std::string& key) const;
  int getAIInt(const std::string& key) const;
  void setOptionInt(const std::string& key, int value);
  void setPlayersString(const std::string& key, const std::string& value);

  // Counts every change; readers that cache a value (the car's surface values) re-read it
  // when the revision moved.
  unsigned revision() const { return revision_; }

  // Writes "options.ini" through a temporary file and a rename. False (with a message on
  // standard error) when it cannot be written.
  bool save();

  CIniFile& ini() { return *ini_; }

 private:
  Options();
  std::unique_ptr<CIniFile> ini_;
  unsigned revision_ = 0;
};
