#include "app/MenuRules.h"

#include <algorithm>
#include <array>

namespace app {

int trackListHeight(int screenHeight) {
  return std::min(screenHeight - 170, 438);
}

int rowBaseY(int screenHeight) {
  return trackListHeight(screenHeight) + 56;
}

Point popupOrigin(int screenWidth, int screenHeight) {
  return {screenWidth / 2 - 200, screenHeight / 2 - 200};
}

Point aboutOrigin(int screenWidth, int screenHeight) {
  return {screenWidth / 2 - 300, screenHeight / 2 - 200};
}

int windowWidthFor(int stored) {
  return std::clamp(stored, 640, 7680);
}

int windowHeightFor(int stored) {
  return std::clamp(stored, 480, 4320);
}

int sanitizedLaps(int stored) {
  return std::clamp(stored, race::kMinLaps, race::kMaxLaps);
}

std::optional<int> steppedLaps(int stored, int delta) {
  const int next = sanitizedLaps(stored) + delta;
  if (next < race::kMinLaps || next > race::kMaxLaps) return std::nullopt;
  return next;
}

int carsForTrack(int stored, int startPositions) {
  // Zero or negative counts come from hand-edited files; like any count beyond the grid they
  // end up as the largest count the track takes.
  int cars = stored == 0 ? 1 : stored;
  if (cars < 0 || cars > startPositions) cars = startPositions;
  return std::max(cars, 0);
}

std::optional<int> steppedCars(int stored, int delta, int startPositions) {
  if (startPositions <= 0) return std::nullopt;
  const int current = std::clamp(stored, 1, startPositions);
  const int next = current + delta;
  if (next < 1 || next > startPositions) return std::nullopt;
  return next;
}

std::wstring generationStageText(int nextStage) {
  static const std::array<const wchar_t*, 8> kTexts = {
      L"\n\nRasterizing level",
      L"\n\nAdding line marks to raster",
      L"\n\nAdding non-track zones to raster",
      L"\n\nRendering clouds",
      L"\n\nAdding path to raster",
      L"\n\nDrawing background",
      L"\n\nGenerating trees",
      L"\n\nSaving image",
  };
  if (nextStage < 1 || nextStage > static_cast<int>(kTexts.size())) return {};
  return kTexts[static_cast<std::size_t>(nextStage - 1)];
}

std::vector<std::wstring> wrapLine(const std::wstring& line, std::size_t maxChars) {
  std::vector<std::wstring> pieces;
  if (maxChars == 0) maxChars = 1;
  std::size_t start = 0;
  while (line.size() - start > maxChars) {
    // Break at the last space or after the last slash that keeps the piece short enough (a
    // space right after a full piece will do); a long word without either is cut hard.
    const std::size_t limit = start + maxChars;
    std::size_t cut = limit;
    const std::size_t space = line.find_last_of(L' ', limit);
    const std::size_t slash = line.find_last_of(L'/', limit - 1);
    const bool spaceFits = space != std::wstring::npos && space > start;
    const bool slashFits = slash != std::wstring::npos && slash >= start;
    if (spaceFits || slashFits) {
      cut = std::max(spaceFits ? space : 0, slashFits ? slash + 1 : 0);
    }
    std::wstring piece = line.substr(start, cut - start);
    while (!piece.empty() && piece.back() == L' ') piece.pop_back();
    pieces.push_back(piece);
    start = cut;
    while (start < line.size() && line[start] == L' ') ++start;
  }
  if (start < line.size() || pieces.empty()) pieces.push_back(line.substr(start));
  return pieces;
}

std::wstring wrapText(const std::wstring& text, std::size_t maxChars) {
  std::wstring result;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(L'\n', start);
    const std::wstring line = text.substr(start, end == std::wstring::npos ? end : end - start);
    const auto pieces = wrapLine(line, maxChars);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i > 0) result += L'\n';
      result += pieces[i];
    }
    if (end == std::wstring::npos) break;
    result += L'\n';
    start = end + 1;
  }
  return result;
}

std::wstring wrapLimited(const std::wstring& line, std::size_t maxLines, std::size_t maxChars) {
  auto pieces = wrapLine(line, maxChars);
  if (maxLines == 0) return {};
  if (pieces.size() > maxLines) {
    pieces.resize(maxLines);
    std::wstring& last = pieces.back();
    if (last.size() + 2 > maxChars && last.size() >= 2) last.resize(last.size() - 2);
    last += L"..";
  }
  std::wstring result;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) result += L'\n';
    result += pieces[i];
  }
  return result;
}

}  // namespace app
