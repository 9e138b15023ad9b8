#include <gtest/gtest.h>

#include <algorithm>

#include "MenuFixture.h"
#include "app/TrackScan.h"
#include "platform/Text.h"

namespace {

using menutest::MenuWorld;
using menutest::squareTrack;

TEST(TrackScan, ListsLowerCaseRstFilesOnly) {
  EXPECT_TRUE(app::isTrackFileName("a.rst"));
  EXPECT_TRUE(app::isTrackFileName(".rst"));
  EXPECT_FALSE(app::isTrackFileName("rst"));
  EXPECT_FALSE(app::isTrackFileName("a.RST"));
  EXPECT_FALSE(app::isTrackFileName("a.rst.bak"));
  EXPECT_TRUE(app::scanTracksFolder("/nonexistent/kelvane/tracks/").empty());
}

TEST(TrackListScreen, RowsAreNumberedWithTitleAndFileName) {
  MenuWorld world;
  world.program.writeTrack("alpha.rst", squareTrack("Alpha Ring", "a.png", 2));
  world.program.writeTrack("beta.rst", squareTrack("Beta Bends", "b.png", 2));
  world.program.writeTrack("notes.txt", "not a track");
  world.program.writeTrack("CAPS.RST", squareTrack("Caps", "c.png", 2));
  world.trackList.buildTrackList();

  auto* list = world.trackList.listBox();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->id(), "gui_tracksLB");
  ASSERT_EQ(list->rowCount(), 2);
  std::vector<std::wstring> titles;
  for (int n = 1; n <= 2; ++n) {
    const auto* cells = list->cellsOf("listboxItem_" + std::to_string(n));
    ASSERT_NE(cells, nullptr) << n;
    EXPECT_EQ((*cells)[0], L" " + std::to_wstring(n));
    titles.push_back((*cells)[1]);
    // The row's file name belongs to its title, whatever order the folder listed them in.
    EXPECT_EQ((*cells)[2], (*cells)[1] == L"Alpha Ring" ? L"alpha.rst" : L"beta.rst");
  }
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles, (std::vector<std::wstring>{L"Alpha Ring", L"Beta Bends"}));
  const auto& title = list->title()->cells();
  EXPECT_EQ(title, (std::vector<std::wstring>{L"No.", L"Track", L"Filename"}));
  EXPECT_EQ(list->getZ(), 400);
  EXPECT_EQ(list->frame().kind(), gui::FieldFrameKind::List);
}

TEST(TrackListScreen, ATrackThatNamesAThemeShowsItBesideItsTitle) {
  MenuWorld world;
  std::string xml = squareTrack("Ice Ring", "i.png", 2);
  xml.insert(xml.find("<title>"), "<theme>winter</theme>");
  world.program.writeTrack("ice.rst", xml);
  world.trackList.buildTrackList();
  const auto* cells = world.trackList.listBox()->cellsOf("listboxItem_1");
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ((*cells)[1], L"Ice Ring \u00b7 winter");
}

TEST(TrackListScreen, RebuildReplacesTheListBoxAndEmptyFolderGivesHeaderOnly) {
  MenuWorld world;
  world.trackList.buildTrackList();
  ASSERT_NE(world.trackList.listBox(), nullptr);
  EXPECT_EQ(world.trackList.listBox()->rowCount(), 0);
  world.program.writeTrack("one.rst", squareTrack("One", "o.png", 1));
  world.trackList.buildTrackList();
  EXPECT_EQ(world.count("gui_tracksLB"), 1);
  EXPECT_EQ(world.widgets.ownedCount(), 1u);
  EXPECT_EQ(world.trackList.listBox()->rowCount(), 1);
}

TEST(TrackListScreen, ManyTracksShowAtOnceAndTheirTitlesFillInFromTheBackground) {
  MenuWorld world;
  for (int i = 0; i < 60; ++i) {
    world.program.writeTrack("t" + std::to_string(i) + ".rst",
                             squareTrack("Track " + std::to_string(i), "t.png", 2));
  }
  world.program.writeTrack("broken.rst", "<track><title>Half");
  // The game's own list: the rows go up with their file names before any file is read.
  world.widgets.clear();
  app::TrackList list(world.widgets, world.program.tracks(), MenuWorld::kWidth, MenuWorld::kHeight,
                      app::TitleReading::Background);
  list.buildTrackList();
  ASSERT_NE(list.listBox(), nullptr);
  ASSERT_EQ(list.listBox()->rowCount(), 61);
  const std::string firstFile = platform::narrow((*list.listBox()->cellsOf("listboxItem_1"))[2]);

  // A row chosen before its title arrived is read at once.
  const app::TrackListEntry* chosen = list.entryFor("listboxItem_1");
  ASSERT_NE(chosen, nullptr);
  EXPECT_TRUE(chosen->read);
  EXPECT_EQ(chosen->fileName, firstFile);
  EXPECT_NE((*list.listBox()->cellsOf("listboxItem_1"))[1], L"\u2026");

  list.finishReading();
  EXPECT_FALSE(list.reading());
  for (const app::TrackListEntry& entry : list.entries()) {
    const std::wstring title =
        (*list.listBox()->cellsOf("listboxItem_" + std::to_string(entry.number)))[1];
    if (entry.fileName == "broken.rst") {
      EXPECT_EQ(title.rfind(L"(unreadable: ", 0), 0u) << platform::narrow(title);
    } else {
      EXPECT_EQ(title,
                L"Track " + platform::widen(entry.fileName.substr(1, entry.fileName.size() - 5)));
    }
  }
  // A rebuild or a screen change while titles are still being read stops the reading cleanly.
  list.buildTrackList();
  list.forget();
  world.widgets.clear();
}

}  // namespace
