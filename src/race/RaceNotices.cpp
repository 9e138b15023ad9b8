#include "race/RaceNotices.h"

#include <algorithm>

#include "platform/Color.h"
#include "platform/Font.h"
#include "race/HudText.h"
#include "race/LapTable.h"
#include "race/OverlayShapes.h"
#include "race/Standings.h"

namespace race {
namespace {

constexpr int kShowSeconds = 2;
constexpr int kBannerFontHeight = 40;
constexpr double kBannerHeight = 56, kBannerPadding = 28, kStripe = 4;
constexpr double kNoticeZ = 130, kFinishZ = 1002;
constexpr platform::Color kBannerColor = 0xc0101214u;
constexpr platform::Color kWrongWayColor = 0xffe02828u;
constexpr platform::Color kPenaltyColor = 0xffff8c1au;  // the game's racing orange
constexpr platform::Color kBestLapColor = 0xffb060ffu;
constexpr platform::Color kFinalLapColor = 0xffffffffu;
constexpr platform::Color kFinishColor = 0xffffd040u;
constexpr platform::Color kPausedColor = 0xffff8c1au;  // the game's racing orange

platform::Color stripeColor(const std::wstring& notice) {
  if (notice == RaceNotices::kWrongWay) return kWrongWayColor;
  if (notice == RaceNotices::kPenalty) return kPenaltyColor;
  if (notice == RaceNotices::kNewBestLap) return kBestLapColor;
  return kFinalLapColor;
}

// A dark strip with a coloured line under it, the text centred on the screen.
void drawBanner(const std::wstring& text, double y, int screenWidth, double z,
                platform::Color stripe, const OverlayShapes& shapes) {
  const platform::Font& font = hudFont(kBannerFontHeight);
  const double textWidth = font.textWidth(text);
  const double width = textWidth + 2 * kBannerPadding;
  const double left = screenWidth / 2 - width / 2;
  shapes.rect(left, y, width, kBannerHeight, z, kBannerColor);
  shapes.rect(left, y + kBannerHeight - kStripe, width, kStripe, z, stripe);
  const double textY = y + (kBannerHeight - kStripe - font.height()) / 2;
  font.draw(text, screenWidth / 2 - textWidth / 2, textY, z + 1, 1, 1, platform::kWhite);
}

}  // namespace

std::wstring ordinal(int place) {
  const int lastTwo = place % 100, last = place % 10;
  const wchar_t* suffix = L"th";
  if (lastTwo < 11 || lastTwo > 13) {
    if (last == 1) suffix = L"st";
    if (last == 2) suffix = L"nd";
    if (last == 3) suffix = L"rd";
  }
  return std::to_wstring(place) + suffix;
}

RaceNotices::RaceNotices(int carCount, int framesPerSecond)
    : showFrames_(kShowSeconds * framesPerSecond), cars_(static_cast<std::size_t>(carCount)) {}

void RaceNotices::update(const LapTable& laps, const Standings& standings) {
  for (int c = 0; c < static_cast<int>(cars_.size()); ++c) {
    CarNotices& car = cars_[static_cast<std::size_t>(c)];
    for (int* frames : {&car.finalLapFrames, &car.bestLapFrames, &car.penaltyFrames})
      *frames = std::max(0, *frames - 1);
    const int done = laps.lapsDone(c);
    if (done > car.lapsDone && done == laps.lapCount() - 1) car.finalLapFrames = showFrames_;
    // The first lap is the first best lap: only beating it is news.
    const float best = laps.bestLap(c);
    if (best != car.bestLap && car.bestLap >= 0) car.bestLapFrames = showFrames_;
    car.lapsDone = done;
    car.bestLap = best;
    car.wrongWay = standings.wrongWay(c);
  }
}

void RaceNotices::penalised(int car) {
  cars_[static_cast<std::size_t>(car)].penaltyFrames = showFrames_;
}

std::vector<std::wstring> RaceNotices::active(int car) const {
  const CarNotices& notices = cars_[static_cast<std::size_t>(car)];
  std::vector<std::wstring> shown;
  if (notices.wrongWay) shown.emplace_back(kWrongWay);
  if (notices.penaltyFrames > 0) shown.emplace_back(kPenalty);
  if (notices.bestLapFrames > 0) shown.emplace_back(kNewBestLap);
  if (notices.finalLapFrames > 0) shown.emplace_back(kFinalLap);
  return shown;
}

std::wstring RaceNotices::finishBanner(int car, const LapTable& laps, const Standings& standings) {
  if (!laps.finished(car)) return {};
  return L"FINISHED \u2014 " + ordinal(standings.position(car));
}

std::wstring RaceNotices::tableHeading(int car, const LapTable& laps, const Standings& standings,
                                       bool paused) {
  const std::wstring finished = finishBanner(car, laps, standings);
  if (!paused) return finished;
  return finished.empty() ? kPaused : finished + L" \u00b7 " + kPaused;
}

void RaceNotices::draw(int car, const LapTable& laps, const Standings& standings, bool paused,
                       int screenWidth, int screenHeight, double finishY,
                       const OverlayShapes& shapes) const {
  const std::wstring heading = tableHeading(car, laps, standings, paused);
  if (!heading.empty()) {
    const bool finished = laps.finished(car);
    drawBanner(heading, finishY, screenWidth, kFinishZ, finished ? kFinishColor : kPausedColor,
               shapes);
    return;
  }
  double y = screenHeight / 5;
  for (const std::wstring& notice : active(car)) {
    drawBanner(notice, y, screenWidth, kNoticeZ, stripeColor(notice), shapes);
    y += kBannerHeight + 8;
  }
}

}  // namespace race
