#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "race/LapTable.h"

// The arithmetic of the menu screens, kept apart from the widgets so it can be checked without
// a window: layout rows, the setup counters' limits, the generator's progress texts and the
// wrapping of texts we compose ourselves for message boxes.
namespace app {

// Window pixels. The track list hangs from y 46 and is min(H - 170, 438) tall.
int trackListHeight(int screenHeight);
// The row of the list buttons and the race setup panel, 10 pixels below the list: 494 on
// windows of 608 pixels or more, higher on smaller ones.
int rowBaseY(int screenHeight);

// The race setup's texts on the menu's light grey: values nearly black, captions a dark grey,
// both over a white shadow; each reads at 6:1 or better there.
inline constexpr platform::Color kSetupValueColour = 0xff1e2228u;
inline constexpr platform::Color kSetupCaptionColour = 0xff2e343cu;
inline constexpr platform::Color kSetupShadowColour = 0xffffffffu;

struct Point {
  int x = 0;
  int y = 0;
};
// Top-left corner of the 400 pixels wide message box, centred on the window.
Point popupOrigin(int screenWidth, int screenHeight);
// Top-left corner of the 600 pixels wide about box.
Point aboutOrigin(int screenWidth, int screenHeight);

// A window size from a hand-edited "options.ini" (0, negative, 100000) is brought into a range
// the screens can be laid out in and the platform can open: 640 × 480 up to 7680 × 4320.
int windowWidthFor(int stored);
int windowHeightFor(int stored);

// A count read from "options.ini" may have been edited by hand to anything; the menu shows and
// changes only values inside its range, so an out-of-range laps count is pulled into 1..99.
int sanitizedLaps(int stored);
// The new laps count after "+" (delta 1) or "-" (delta -1), or nothing when it would leave 1..99.
std::optional<int> steppedLaps(int stored, int delta);

// The cars count a freshly chosen track starts with: at least 1, at most the track's start
// positions (0 for a track without a grid, which cannot be raced anyway).
int carsForTrack(int stored, int startPositions);
// The new cars count after "+" or "-", or nothing at the limits 1 and the start position count.
std::optional<int> steppedCars(int stored, int delta, int startPositions);

// The generator reports the stage its next call runs (1..8) or its done stage when the picture
// is saved; this is the progress line naming it (empty for other values).
std::wstring generationStageText(int nextStage);

// Splits a line we compose (a file name, a loader's reason) into pieces of at most `maxChars`
// characters, breaking at spaces or slashes where it can, so each piece fits the 400 pixel box.
std::vector<std::wstring> wrapLine(const std::wstring& line, std::size_t maxChars = 44);
// Every line of `text` wrapped with wrapLine and joined with "\n" again.
std::wstring wrapText(const std::wstring& text, std::size_t maxChars = 44);
// `line` wrapped like wrapLine and joined with "\n", keeping at most `maxLines` pieces; a cut
// text ends in "..". The message box has room for about six lines above its button.
std::wstring wrapLimited(const std::wstring& line, std::size_t maxLines, std::size_t maxChars = 44);

}  // namespace app
