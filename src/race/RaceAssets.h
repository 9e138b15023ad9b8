#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {
class Audio;
class Graphics;
class Image;
class Sample;
}  // namespace platform

// The race's pictures and sound, files of the program folder. The instrument pictures are part
// of the GUI skin ("images/gui/"); the cars and the engine have folders of their own.
namespace race {

// The shipped car: every player's picture until the settings name another, and the one drawn
// when a player's own picture cannot be loaded.
inline constexpr const char* kDefaultCarPicture = "enzo.png";

// The instrument panel's skin pictures.
inline constexpr const char* kPowerBarPicture = "powerbar.png";
inline constexpr const char* kBrakeBarPicture = "brake_bar.png";
inline constexpr const char* kThrottleBarPicture = "throttle_bar.png";
inline constexpr const char* kSteerBarPicture = "steer_bar.png";
inline constexpr const char* kWheelIndicatorPicture = "wheel_indicator.png";

// A car picture as the player settings name it ("enzo.png"): its path below "images/cars/".
std::string carPicturePath(const std::string& fileName);
// The one engine sample every car plays: "sound/viper_offhigh.wav".
std::string engineSamplePath();

// A player's car picture, or the shipped car when the player's cannot be loaded. Throws what
// the picture loader throws when even the shipped car is missing: a race needs its cars drawn.
std::unique_ptr<platform::Image> loadCarPicture(platform::Graphics& graphics,
                                                const std::string& fileName);
// An instrument picture by its skin name, or null when it cannot be loaded: the panel simply
// lacks that picture.
std::unique_ptr<platform::Image> loadInstrumentPicture(platform::Graphics& graphics,
                                                       const char* name);
// The engine sample, or null when it cannot be loaded (a missing, empty or broken file): a race
// without engine sound rather than no race. `problem`, when given, then says which file and why.
std::unique_ptr<platform::Sample> loadEngineSample(platform::Audio& audio,
                                                   std::string* problem = nullptr);

// A picture decoded without the graphics: the pixels of the first of several files that read.
struct DecodedPicture {
  std::string path;  // the file read; empty when none could be
  std::optional<platform::Bitmap> pixels;
  std::string errors;  // why the files before it (or all of them) could not be read, "; " apart
};
// Decodes the first of `candidates` (file names, in order of preference) that reads as a
// picture. It only reads files, so it may run on any thread while the game thread works on.
DecodedPicture decodeFirstPicture(const std::vector<std::string>& candidates);

}  // namespace race
