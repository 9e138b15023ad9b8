#include "race/RaceAssets.h"

#include <exception>

#include "gui/Sprite.h"
#include "platform/Audio.h"
#include "platform/Image.h"
#include "platform/Paths.h"

namespace race {

std::string carPicturePath(const std::string& fileName) {
  return platform::programFolder() + "images/cars/" + fileName;
}

std::string engineSamplePath() {
  return platform::programFolder() + "sound/viper_offhigh.wav";
}

std::unique_ptr<platform::Image> loadCarPicture(platform::Graphics& graphics,
                                                const std::string& fileName) {
  try {
    return std::make_unique<platform::Image>(graphics, carPicturePath(fileName), false);
  } catch (const std::exception&) {
    return std::make_unique<platform::Image>(graphics, carPicturePath(kDefaultCarPicture), false);
  }
}

std::unique_ptr<platform::Image> loadInstrumentPicture(platform::Graphics& graphics,
                                                       const char* name) {
  try {
    return std::make_unique<platform::Image>(graphics, gui::guiImagePath(name), true);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::unique_ptr<platform::Sample> loadEngineSample(platform::Audio& audio, std::string* problem) {
  try {
    return std::make_unique<platform::Sample>(audio, engineSamplePath());
  } catch (const std::exception& error) {
    if (problem != nullptr) *problem = error.what();
    return nullptr;
  }
}

DecodedPicture decodeFirstPicture(const std::vector<std::string>& candidates) {
  DecodedPicture decoded;
  for (const std::string& candidate : candidates) {
    try {
      decoded.pixels = platform::Bitmap::loadPng(candidate);
      decoded.path = candidate;
      return decoded;
    } catch (const std::exception& error) {
      decoded.errors += (decoded.errors.empty() ? "" : "; ") + std::string(error.what());
    }
  }
  return decoded;
}

}  // namespace race
