#pragma once
#include <string>
#include <vector>

namespace race {

class LapTable;
class OverlayShapes;
class Standings;

// "1st", "2nd", "3rd", "4th", ... "11th", "12th", "13th", "21st".
std::wstring ordinal(int place);

// The short messages of the race for each car, of which the followed car's are shown: "FINAL
// LAP" when it starts its last lap, "NEW BEST LAP" when it beats its best lap, "+3 s PENALTY"
// when it was put back on the road, each for two seconds; "WRONG WAY" while it has driven
// against the track's direction for over a second; "FINISHED — 2nd" once it has finished; and
// "PAUSED" over the result table while the race is paused.
// What a car did is found in update(); drawing changes nothing.
class RaceNotices {
 public:
  static constexpr const wchar_t* kFinalLap = L"FINAL LAP";
  static constexpr const wchar_t* kNewBestLap = L"NEW BEST LAP";
  static constexpr const wchar_t* kPenalty = L"+3 s PENALTY";
  static constexpr const wchar_t* kWrongWay = L"WRONG WAY";
  static constexpr const wchar_t* kPaused = L"PAUSED";

  // framesPerSecond: 62 with 16 ms frames.
  RaceNotices(int carCount, int framesPerSecond);

  // Once per racing frame, after the lap step and the standings.
  void update(const LapTable& laps, const Standings& standings);
  // The car was put back on the road with a time penalty.
  void penalised(int car);

  // The car's notices now, the most urgent first.
  std::vector<std::wstring> active(int car) const;
  // "FINISHED — 2nd" once the car has finished (its finishing place), empty before.
  static std::wstring finishBanner(int car, const LapTable& laps, const Standings& standings);

  // The heading over the result table: "PAUSED" while the race is paused, the finish banner
  // once the car has finished, both together ("FINISHED — 2nd · PAUSED"); empty otherwise.
  static std::wstring tableHeading(int car, const LapTable& laps, const Standings& standings,
                                   bool paused);

  // The followed car's notices, as banners across the upper part of the screen (z 130); the
  // table's heading instead, when there is one, above the result table (finishY: its top,
  // pixels), over it (z 1002).
  void draw(int car, const LapTable& laps, const Standings& standings, bool paused, int screenWidth,
            int screenHeight, double finishY, const OverlayShapes& shapes) const;

 private:
  struct CarNotices {
    int lapsDone = 0;
    float bestLap = -1.0f;
    int finalLapFrames = 0;
    int bestLapFrames = 0;
    int penaltyFrames = 0;
    bool wrongWay = false;
  };

  int showFrames_;
  std::vector<CarNotices> cars_;
};

}  // namespace race
