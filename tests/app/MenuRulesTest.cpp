#include <gtest/gtest.h>

#include "app/MenuRules.h"

namespace {

TEST(MenuLayout, RowBaseFollowsSmallWindowsAndStopsAt494) {
  EXPECT_EQ(app::rowBaseY(700), 494);
  EXPECT_EQ(app::rowBaseY(608), 494);
  EXPECT_EQ(app::rowBaseY(607), 493);
  EXPECT_EQ(app::rowBaseY(480), 366);
  EXPECT_EQ(app::trackListHeight(700), 438);
  EXPECT_EQ(app::windowWidthFor(1000), 1000);
  EXPECT_EQ(app::windowWidthFor(0), 640);
  EXPECT_EQ(app::windowHeightFor(-5), 480);
  EXPECT_EQ(app::windowHeightFor(100000), 4320);
  const auto popup = app::popupOrigin(1000, 700);
  EXPECT_EQ(popup.x, 300);
  EXPECT_EQ(popup.y, 150);
  const auto about = app::aboutOrigin(801, 601);
  EXPECT_EQ(about.x, 100);
  EXPECT_EQ(about.y, 100);
}

TEST(SetupCounters, LapsStayBetweenOneAndNinetyNine) {
  EXPECT_EQ(app::steppedLaps(98, 1), 99);
  EXPECT_FALSE(app::steppedLaps(99, 1));
  EXPECT_FALSE(app::steppedLaps(1, -1));
  EXPECT_EQ(app::steppedLaps(2, -1), 1);
  // Hand-edited values are pulled into range instead of going further astray.
  EXPECT_EQ(app::steppedLaps(0, 1), 2);
  EXPECT_FALSE(app::steppedLaps(0, -1));
  EXPECT_FALSE(app::steppedLaps(-5, -1));
  EXPECT_FALSE(app::steppedLaps(500, 1));
  EXPECT_EQ(app::steppedLaps(500, -1), 98);
  EXPECT_EQ(app::sanitizedLaps(-3), 1);
}

TEST(SetupCounters, CarsFollowTheStartGrid) {
  EXPECT_EQ(app::carsForTrack(8, 3), 3);
  EXPECT_EQ(app::carsForTrack(0, 3), 1);
  EXPECT_EQ(app::carsForTrack(-2, 3), 3);  // a negative count reads as very large
  EXPECT_EQ(app::carsForTrack(2, 3), 2);
  EXPECT_EQ(app::carsForTrack(4, 0), 0);
  EXPECT_EQ(app::carsForTrack(0, 0), 0);

  EXPECT_EQ(app::steppedCars(2, 1, 3), 3);
  EXPECT_FALSE(app::steppedCars(3, 1, 3));
  EXPECT_FALSE(app::steppedCars(1, -1, 3));
  EXPECT_FALSE(app::steppedCars(0, 1, 0));
  EXPECT_FALSE(app::steppedCars(0, -1, 0));
}

TEST(GenerationProgress, NamesTheNextStage) {
  EXPECT_EQ(app::generationStageText(1), L"\n\nRasterizing level");
  EXPECT_EQ(app::generationStageText(4), L"\n\nRendering clouds");
  EXPECT_EQ(app::generationStageText(8), L"\n\nSaving image");
  EXPECT_EQ(app::generationStageText(0), L"");
  EXPECT_EQ(app::generationStageText(9), L"");
}

TEST(PopupWrapping, LongLinesBreakAtSpacesOrSlashes) {
  EXPECT_EQ(app::wrapLine(L"short"), std::vector<std::wstring>{L"short"});
  EXPECT_EQ(app::wrapLine(L""), std::vector<std::wstring>{L""});
  const auto words = app::wrapLine(L"aaaa bbbb cccc", 9);
  EXPECT_EQ(words, (std::vector<std::wstring>{L"aaaa bbbb", L"cccc"}));
  const auto path = app::wrapLine(L"/home/user/tracks/x.rst", 12);
  EXPECT_EQ(path, (std::vector<std::wstring>{L"/home/user/", L"tracks/x.rst"}));
  const auto hard = app::wrapLine(L"abcdefghij", 4);
  EXPECT_EQ(hard, (std::vector<std::wstring>{L"abcd", L"efgh", L"ij"}));
  // Line breaks and empty lines of the text survive; only over-long lines gain breaks.
  EXPECT_EQ(app::wrapText(L"\nab cd\n\nx", 3), L"\nab\ncd\n\nx");
}

}  // namespace

namespace {

TEST(PopupWrapping, LimitedTextsEndInDotsWhenCut) {
  EXPECT_EQ(app::wrapLimited(L"aaaa bbbb cccc", 2, 9), L"aaaa bbbb\ncccc");
  EXPECT_EQ(app::wrapLimited(L"aaaa bbbb cccc dddd", 1, 9), L"aaaa bb..");
  EXPECT_EQ(app::wrapLimited(L"aaaa bbbb cccc dddd", 2, 9), L"aaaa bbbb\ncccc dddd");
  EXPECT_EQ(app::wrapLimited(L"aaaa bbbb cccc dddd eeee", 2, 9), L"aaaa bbbb\ncccc dd..");
  EXPECT_EQ(app::wrapLimited(L"anything", 0), L"");
}

}  // namespace
