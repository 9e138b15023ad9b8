#include "race/PlayerSettings.h"

#include <cstdio>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "platform/Random.h"
#include "platform/Text.h"
#include "race/RaceAssets.h"

namespace race {
namespace {

// Players are numbered from 1 in the file, cars from 0.
std::string playerKey(int carIndex, const char* field) {
  return config::key::player(carIndex + 1, field);
}

// The stored value, or `fallback()` written back when the value is empty.
template <typename Fallback>
std::string storedOrDefault(const std::string& key, Fallback fallback) {
  config::Options* options = config::Options::instance();
  std::string value = options->getPlayersString(key);
  if (value.empty()) {
    value = fallback();
    options->setPlayersString(key, value);
  }
  return value;
}

int digitsAt(const std::string& text, std::size_t first) {
  int value = 0;
  for (std::size_t i = first; i < first + 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value <= 255 ? value : -1;
}

int randomChannel() {
  return static_cast<int>(platform::random(0.0, 255.0));
}

}  // namespace

std::string getPlayerName(int carIndex) {
  return platform::limitText(
      storedOrDefault(playerKey(carIndex, config::key::playerName),
                      [&] { return "Player" + std::to_string(carIndex + 1); }),
      kMaxNameCharacters);
}

std::string getPlayerImage(int carIndex) {
  return storedOrDefault(playerKey(carIndex, config::key::playerImage),
                         [] { return std::string(kDefaultCarPicture); });
}

platform::Color getPlayerColor(int carIndex) {
  const std::string key = playerKey(carIndex, config::key::playerColor);
  config::Options* options = config::Options::instance();
  if (auto color = parseColorText(options->getPlayersString(key))) return *color;
  // Drawn in the order blue, green, red so a seeded game gets the same colours every time.
  const int blue = randomChannel();
  const int green = randomChannel();
  const int red = randomChannel();
  const platform::Color color = platform::argb(255, red, green, blue);
  options->setPlayersString(key, colorText(color));
  return color;
}

std::string colorText(platform::Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d-%03d%03d%03d", platform::alphaOf(color),
                platform::redOf(color), platform::greenOf(color), platform::blueOf(color));
  return text;
}

std::optional<platform::Color> parseColorText(const std::string& text) {
  if (text.size() != 13 || text[3] != '-') return std::nullopt;
  const int alpha = digitsAt(text, 0), red = digitsAt(text, 4);
  const int green = digitsAt(text, 7), blue = digitsAt(text, 10);
  if (alpha < 0 || red < 0 || green < 0 || blue < 0) return std::nullopt;
  return platform::argb(alpha, red, green, blue);
}

}  // namespace race
