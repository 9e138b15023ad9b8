#include "app/SettingsChoices.h"

#include <algorithm>
#include <cstdlib>

namespace app {
namespace {

constexpr std::array<WindowSize, 10> kUsualSizes = {{{800, 600},
                                                     {1000, 700},
                                                     {1024, 768},
                                                     {1280, 720},
                                                     {1280, 800},
                                                     {1366, 768},
                                                     {1440, 900},
                                                     {1600, 900},
                                                     {1920, 1080},
                                                     {2560, 1440}}};

}  // namespace

std::vector<WindowSize> windowSizeChoices(int screenWidth, int screenHeight, WindowSize current) {
  std::vector<WindowSize> sizes;
  for (const WindowSize& size : kUsualSizes) {
    if (size.width <= screenWidth && size.height <= screenHeight) sizes.push_back(size);
  }
  if (std::find(sizes.begin(), sizes.end(), current) == sizes.end()) {
    sizes.push_back(current);
    std::sort(sizes.begin(), sizes.end(), [](const WindowSize& a, const WindowSize& b) {
      return a.width * a.height < b.width * b.height ||
             (a.width * a.height == b.width * b.height && a.width < b.width);
    });
  }
  return sizes;
}

int steppedVolume(int stored, int delta) {
  // A hand-edited 45 steps to 50 or 40, like the values the buttons make.
  const int base = std::clamp(stored, 0, 100);
  const int rounded = delta > 0 ? base / 10 * 10 + 10 : (base + 9) / 10 * 10 - 10;
  return std::clamp(rounded, 0, 100);
}

int zoomIndexOf(int storedPercent) {
  int best = 0;
  for (std::size_t i = 1; i < kZoomLevels.size(); ++i) {
    if (std::abs(kZoomLevels[i] - storedPercent) <
        std::abs(kZoomLevels[static_cast<std::size_t>(best)] - storedPercent)) {
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::string cleanedName(const std::string& typed, const std::string& previous) {
  const std::size_t first = typed.find_first_not_of(' ');
  if (first == std::string::npos) return previous;
  const std::size_t last = typed.find_last_not_of(' ');
  return typed.substr(first, last - first + 1);
}

}  // namespace app
