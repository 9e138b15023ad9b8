#pragma once
#include <string>

// The names of the settings in "options.ini", spelled as the file has them, each under the
// section whose getter reads it (Options). Keys are lowerCamel except the surface values.
namespace config::key {

// [ Options ]
inline constexpr const char* nrCars = "nrCars";
inline constexpr const char* nrLaps = "nrLaps";
inline constexpr const char* onlyCPU = "onlyCPU";
inline constexpr const char* sound = "sound";
inline constexpr const char* intro = "intro";
// The race sounds' loudness in percent, 0..100.
inline constexpr const char* volume = "volume";
// 1: the keys turn the wheel gradually and less at speed; 0: full lock at once.
inline constexpr const char* smoothSteering = "smoothSteering";

// [ Graphics ]
inline constexpr const char* height = "height";
inline constexpr const char* width = "width";
inline constexpr const char* fullscreen = "fullscreen";
inline constexpr const char* tireMarks = "tireMarks";
inline constexpr const char* tireMarksDepth = "tireMarksDepth";
inline constexpr const char* tireMarksMaxDarkness = "tireMarksMaxDarkness";
inline constexpr const char* tireMarksQuality = "tireMarksQuality";
// The race view's zoom in percent: 100, 150 or 200 (+ and - in a race).
inline constexpr const char* zoom = "zoom";
// 1 shows the minimap in a race's top right corner, 0 hides it (M in a race).
inline constexpr const char* minimap = "minimap";

// [ Weather Conditions ]
inline constexpr const char* weatherType = "weatherType";
// The weather types the file has by default; a player may add one of their own with its values.
inline constexpr const char* dryWeather = "dry";
inline constexpr const char* wetWeather = "wet";
// A weather type's surface values: "<weather>_<ground>_grip" and "<weather>_<ground>_resistance"
// ("dry_tarmac_grip"), for each kind of ground the cars drive on.
inline constexpr const char* tarmac = "tarmac";
inline constexpr const char* grass = "grass";
inline constexpr const char* sand = "sand";
inline constexpr const char* snow = "snow";
inline constexpr const char* gravel = "gravel";
inline constexpr const char* grip = "_grip";
inline constexpr const char* resistance = "_resistance";
inline std::string surfaceValue(const std::string& weather, const char* ground, const char* value) {
  return weather + "_" + ground + value;
}

// [ Players ]: "player<number>" followed by one of these, numbers from 1: "player3_name".
inline constexpr const char* playerName = "_name";
inline constexpr const char* playerImage = "_image";
inline constexpr const char* playerColor = "_color";
inline std::string player(int number, const char* field) {
  return "player" + std::to_string(number) + field;
}

// [ AI ]: the computer drivers read "skill"; a hand-written "aiStr" overrides it at each start.
inline constexpr const char* skill = "skill";
inline constexpr const char* aiStr = "aiStr";
// The computer drivers' level, as the race setup chooses it.
inline constexpr const char* difficulty = "difficulty";

// [ Keys ]: the player's keys and gamepad buttons, each a button id as the game numbers them
// (platform/Buttons.h: the keyboard's scan codes, Up is 200 and R 19; the pad from 262).
inline constexpr const char* throttle = "throttle";
inline constexpr const char* brake = "brake";
inline constexpr const char* steerLeft = "steerLeft";
inline constexpr const char* steerRight = "steerRight";
inline constexpr const char* backOnTrack = "backOnTrack";
inline constexpr const char* followNext = "followNext";
inline constexpr const char* followPrevious = "followPrevious";
inline constexpr const char* padThrottle = "padThrottle";
inline constexpr const char* padBrake = "padBrake";
inline constexpr const char* padSteerLeft = "padSteerLeft";
inline constexpr const char* padSteerRight = "padSteerRight";
inline constexpr const char* padBackOnTrack = "padBackOnTrack";
inline constexpr const char* padFollowNext = "padFollowNext";
inline constexpr const char* padFollowPrevious = "padFollowPrevious";
inline constexpr const char* zoomIn = "zoomIn";
inline constexpr const char* zoomOut = "zoomOut";
inline constexpr const char* toggleMinimap = "toggleMinimap";

}  // namespace config::key
