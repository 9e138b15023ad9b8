// The INI reader and the options store on top of it, fed with any bytes as "options.ini".
// Properties: nothing crashes; what the reader keeps survives a write and a second read
// unchanged; the options store always writes back a readable file that holds every setting.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzFiles.h"
#include "config/IniFile.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "platform/Paths.h"

namespace {

struct Setting {
  const char* section;
  std::string key;
};

const Setting kSettings[] = {
    {config::Options::kOptionsSection, config::key::nrCars},
    {config::Options::kOptionsSection, config::key::nrLaps},
    {config::Options::kOptionsSection, config::key::onlyCPU},
    {config::Options::kOptionsSection, config::key::sound},
    {config::Options::kOptionsSection, config::key::intro},
    {config::Options::kGraphicsSection, config::key::height},
    {config::Options::kGraphicsSection, config::key::width},
    {config::Options::kGraphicsSection, config::key::fullscreen},
    {config::Options::kGraphicsSection, config::key::tireMarks},
    {config::Options::kGraphicsSection, config::key::tireMarksDepth},
    {config::Options::kGraphicsSection, config::key::tireMarksMaxDarkness},
    {config::Options::kGraphicsSection, config::key::tireMarksQuality},
    {config::Options::kWeatherSection, config::key::weatherType},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::dryWeather, config::key::tarmac, config::key::grip)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::dryWeather, config::key::tarmac,
                               config::key::resistance)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::dryWeather, config::key::grass, config::key::grip)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::dryWeather, config::key::grass,
                               config::key::resistance)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::wetWeather, config::key::tarmac, config::key::grip)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::wetWeather, config::key::tarmac,
                               config::key::resistance)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::wetWeather, config::key::grass, config::key::grip)},
    {config::Options::kWeatherSection,
     config::key::surfaceValue(config::key::wetWeather, config::key::grass,
                               config::key::resistance)},
    {config::Options::kAISection, config::key::skill},
};

// The writer ends lines with "\n" only, so a value or comment that itself ends in a carriage
// return loses it on the next read (the reader strips one CR per line). Such inputs are left
// out of the round-trip comparison; everything else must come back byte for byte.
bool carriageReturnAtLineEnd(const std::string& text) {
  return text.find("\r\n") != std::string::npos;
}

void checkRoundTrip(const std::string& inputPath) {
  config::CIniFile first(inputPath);
  // A read stopped by a bad line says false but keeps the sections before that line.
  if (first.readFile()) fuzzfiles::require(first.numKeys() > 0, "a good read found a section");

  first.setPath(fuzzfiles::scratchFolder() + "written.ini");
  fuzzfiles::require(first.writeFile(), "a document can always be written");
  const std::string written = first.toText();

  config::CIniFile second(first.getPath());
  fuzzfiles::require(second.readFile() == (first.numKeys() > 0),
                     "a written document reads back whole");
  if (!carriageReturnAtLineEnd(written)) {
    fuzzfiles::require(second.toText() == written, "a written document reads back unchanged");
  }
}

void checkOptionsStore(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    const std::string path = fuzzfiles::scratchFolder() + "game/";
    std::filesystem::create_directories(path);
    return path;
  }();
  platform::setProgramFolder(folder);
  fuzzfiles::writeInput("game/options.ini", data, size);

  config::Options::instance();
  config::Options::destroy(true);

  config::CIniFile saved(folder + "options.ini");
  fuzzfiles::require(saved.readFile(), "the saved options.ini reads back");
  for (const Setting& s : kSettings) {
    const std::size_t section = saved.findKey(s.section);
    fuzzfiles::require(section != config::CIniFile::noID, "every section is saved");
    fuzzfiles::require(saved.findValue(section, s.key) != config::CIniFile::noID,
                       "every setting is saved");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkRoundTrip(fuzzfiles::writeInput("input.ini", data, size));
  checkOptionsStore(data, size);
  return 0;
}
