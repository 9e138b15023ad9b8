// The checks: the game's own rules on shipped and crafted tracks, and the command-line check and
// rewrite of track files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "editor/EditorCommandLine.h"
#include "editor/FileCommands.h"
#include "editor/TrackChecks.h"
#include "editor/TrackContent.h"
#include "support/TestSupport.h"
#include "track/StartGrid.h"
#include "track/TrackLoader.h"

namespace {

using editor::Finding;
using editor::Severity;

// A round track: `count` points on a circle, driven clockwise on the screen, with a grid of 4.
editor::TrackContent ring(int count = 24, double width = 80) {
  editor::TrackContent content;
  content.title = "Ring";
  for (int i = 0; i < count; ++i) {
    const double a = 6.283185307179586 * i / count;
    content.path.push_back({800 + 500 * std::cos(a), 700 + 500 * std::sin(a), width, 0, 0});
  }
  content.places = track::startgrid::layOut(content.path, 4);
  return content;
}

std::vector<Finding> findingsOf(const editor::TrackContent& content) {
  return editor::checkTrack(editor::trackOf(content));
}

// The messages of the findings of one severity, one per line.
std::string messages(const std::vector<Finding>& findings, Severity severity) {
  std::string text;
  for (const Finding& f : findings) {
    if (f.severity == severity) text += f.message + "\n";
  }
  return text;
}

TEST(EditorChecks, EveryShippedTrackAndAFreshRingAreAllClear) {
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    const auto track = track::importTrack(entry.path().string());
    ASSERT_NE(track, nullptr) << entry.path();
    for (const Finding& f : editor::checkTrack(*track)) {
      ADD_FAILURE() << entry.path().filename() << ": " << f.message;
    }
  }
  EXPECT_TRUE(findingsOf(ring()).empty());
}

TEST(EditorChecks, WhatTheGameRefusesIsAnErrorWithTheLoadersOwnReason) {
  editor::TrackContent one = ring();
  one.path.resize(1);
  auto findings = findingsOf(one);
  EXPECT_TRUE(editor::gameRefuses(findings));
  EXPECT_NE(messages(findings, Severity::Refusal).find("at least two path points"),
            std::string::npos);

  editor::TrackContent noGrid = ring();
  noGrid.places.clear();
  EXPECT_NE(messages(findingsOf(noGrid), Severity::Refusal).find("no start grid"),
            std::string::npos);

  editor::TrackContent huge = ring();
  for (track::TrackPoint& p : huge.path) p.x *= 20;
  EXPECT_NE(messages(findingsOf(huge), Severity::Refusal).find("too large"), std::string::npos);

  editor::TrackContent wide = ring();
  wide.path[3].width = 9000;
  EXPECT_NE(messages(findingsOf(wide), Severity::Refusal).find("road width of 9000"),
            std::string::npos);
  // The same rules as the loader's: what it refuses, the checks call an error.
  EXPECT_FALSE(track::trackLoadable(editor::trackOf(wide)));
}

TEST(EditorChecks, ARoadThatCrossesItselfOrIsTooNarrowAndABadGridAreWarnings) {
  // A figure of eight: the third stretch crosses the first.
  editor::TrackContent eight = ring();
  eight.path = {
      {200, 200, 80, 0, 0}, {1000, 800, 80, 0, 0}, {1000, 200, 80, 0, 0}, {200, 800, 80, 0, 0}};
  eight.places = track::startgrid::layOut(eight.path, 2);
  const auto crossing = findingsOf(eight);
  EXPECT_FALSE(editor::gameRefuses(crossing));
  EXPECT_NE(messages(crossing, Severity::Warning).find("crosses itself between points 1 and 2"),
            std::string::npos);
  for (const Finding& f : crossing) {
    if (f.message.find("crosses") == std::string::npos) continue;
    EXPECT_NEAR(f.x, 600, 1e-6);  // where the stretches meet
    EXPECT_NEAR(f.y, 500, 1e-6);
  }
  // The same eight through a point it passes twice: its stretches only touch there.
  eight.path = {{200, 200, 80, 0, 0},  {600, 500, 80, 0, 0}, {1000, 800, 80, 0, 0},
                {1000, 200, 80, 0, 0}, {600, 500, 80, 0, 0}, {200, 800, 80, 0, 0}};
  eight.places = track::startgrid::layOut(eight.path, 2);
  const auto throughOnePoint = findingsOf(eight);
  const std::string through = messages(throughOnePoint, Severity::Warning);
  EXPECT_NE(through.find("crosses itself where points 2 and 5 lie on the same spot"),
            std::string::npos)
      << through;
  EXPECT_EQ(through.find("crosses itself between"), std::string::npos) << through;
  for (const Finding& f : throughOnePoint) {
    if (f.message.find("same spot") == std::string::npos) continue;
    EXPECT_EQ(f.x, 600);
    EXPECT_EQ(f.y, 500);
  }

  // A narrow stretch is one warning naming its points and the narrowest width.
  editor::TrackContent narrow = ring();
  narrow.path[5].width = 24;
  narrow.path[6].width = 18;
  narrow.path[7].width = 26;
  const std::string warned = messages(findingsOf(narrow), Severity::Warning);
  EXPECT_NE(warned.find("18 wide from point 6 to 8: the computer drivers' path search needs 28"),
            std::string::npos)
      << warned;

  editor::TrackContent grid = ring();
  grid.places[0] = grid.path[6];  // a quarter lap after the finish
  grid.places[0].rotation = -1.5707963;
  grid.places[1].x += 400;          // out on the grass
  grid.places[3] = grid.places[2];  // on top of another car
  const std::string gridWarnings = messages(findingsOf(grid), Severity::Warning);
  EXPECT_NE(gridWarnings.find("Grid place 1 is ahead of the finish line"), std::string::npos)
      << gridWarnings;
  EXPECT_NE(gridWarnings.find("Grid place 2 is off the road"), std::string::npos) << gridWarnings;
  EXPECT_NE(gridWarnings.find("Grid place 4 overlaps grid place 3"), std::string::npos)
      << gridWarnings;
  for (const Finding& f : findingsOf(grid)) EXPECT_TRUE(f.located) << f.message;
}

TEST(EditorChecks, TheCheckCommandPrintsTheChecksAndFailsOnlyForWhatTheGameRefuses) {
  testsupport::TempDir dir;
  std::ostringstream out, errors;
  EXPECT_EQ(editor::checkCommand(testsupport::tracksDir() + "meadow_loop.rst", out, errors), 0);
  EXPECT_NE(out.str().find("no problems found"), std::string::npos);

  const std::string bad =
      dir.write("bad.rst",
                "<track><title>Bad</title><point><x>5</x><y>5</y><width>60</width></point>"
                "</track>");
  out.str("");
  EXPECT_EQ(editor::checkCommand(bad, out, errors), editor::kRefusedStatus);
  EXPECT_NE(out.str().find("bad.rst: error: The track needs at least two path points."),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("the game will refuse this track"), std::string::npos);

  out.str("");
  EXPECT_EQ(editor::checkCommand(dir.write("broken.rst", "<track><point>"), out, errors),
            editor::kRefusedStatus);
  EXPECT_NE(errors.str().find("cannot read"), std::string::npos);
}

TEST(EditorChecks, SaveAsRewritesEveryShippedTrackIntoExactlyTheSameTrack) {
  testsupport::TempDir dir;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    const std::string copy = dir.folder() + entry.path().filename().string();
    std::ostringstream out, errors;
    ASSERT_EQ(editor::saveAsCommand(entry.path().string(), copy, out, errors), 0) << errors.str();
    const auto original = track::importTrack(entry.path().string());
    const auto again = track::importTrack(copy);
    ASSERT_NE(again, nullptr) << copy;
    ASSERT_EQ(original->points.size(), again->points.size());
    for (std::size_t i = 0; i < original->points.size(); ++i) {
      const track::TrackPoint& a = original->points[i];
      const track::TrackPoint& b = again->points[i];
      EXPECT_TRUE(a.x == b.x && a.y == b.y && a.width == b.width && a.offset == b.offset &&
                  a.rotation == b.rotation)
          << copy << " point " << i;
    }
    ASSERT_EQ(original->positions.size(), again->positions.size());
    for (std::size_t i = 0; i < original->positions.size(); ++i) {
      const track::TrackPoint& a = original->positions[i];
      const track::TrackPoint& b = again->positions[i];
      EXPECT_TRUE(a.x == b.x && a.y == b.y && a.rotation == b.rotation) << copy << " place " << i;
    }
    EXPECT_EQ(original->extentX, again->extentX);
    EXPECT_EQ(original->extentY, again->extentY);
    EXPECT_EQ(original->title, again->title);
    EXPECT_EQ(original->background, again->background);
    EXPECT_EQ(original->theme, again->theme);
    // Written again, it is the same file: nothing drifts from save to save.
    const std::string twice = dir.folder() + "twice.rst";
    ASSERT_EQ(editor::saveAsCommand(copy, twice, out, errors), 0);
    EXPECT_EQ(testsupport::readFile(twice), testsupport::readFile(copy));
  }
}

}  // namespace
