#pragma once
#include <array>
#include <string>
#include <vector>

// The choices the settings screen offers and the steps between them, kept apart from the
// widgets so they can be checked without a window.
namespace app {

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// The usual window sizes that fit a screen of screenWidth × screenHeight pixels, smallest
// first, with the current size among them even when it is not a usual one.
std::vector<WindowSize> windowSizeChoices(int screenWidth, int screenHeight, WindowSize current);

// The engine's volume in percent after "+" (delta 1) or "-" (delta -1): steps of 10 in 0..100.
int steppedVolume(int stored, int delta);

// The race camera's zoom levels in percent, as the options keep them.
constexpr std::array<int, 3> kZoomLevels = {100, 150, 200};
// The index of the level nearest to a stored zoom (a hand-edited 130 counts as 150).
int zoomIndexOf(int storedPercent);

// The palette of car colours (opaque ARGB): reds, oranges, yellows, greens, blues, purples,
// and white to black.
constexpr std::array<unsigned, 16> kCarColours = {
    0xffd62828u, 0xffff8c1au, 0xfff2cf2cu, 0xff8ccf3au, 0xff2e9e4fu, 0xff1fa3a3u,
    0xff3b9ee8u, 0xff2f5fd0u, 0xff7b4fd6u, 0xffd04fb8u, 0xfff28cb0u, 0xff8a5a35u,
    0xfff2f2f2u, 0xffa8adb5u, 0xff4a4f57u, 0xff1c1c1cu};

// The longest name a player can give (characters).
constexpr std::size_t kMaxNameLength = 20;
// A typed name as it is kept: spaces at either end dropped; an empty name keeps `previous`.
std::string cleanedName(const std::string& typed, const std::string& previous);

}  // namespace app
