// Broken and hostile track files, followed along the player's road: the track list, choosing
// the track, and "START RACE". Each must end in a message naming the file and the problem,
// never in a crash, a hang or a race on a track that cannot be driven.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "HardeningFixture.h"
#include "app/TrackScan.h"
#include "track/TrackLoader.h"

namespace {

std::string point(double x, double y, double width = 60) {
  std::ostringstream text;
  text << "<point><x>" << x << "</x><y>" << y << "</y><width>" << width
       << "</width><offset>0</offset><rotation>0</rotation></point>";
  return text.str();
}

std::string position(double x, double y, double rotation = 0) {
  std::ostringstream text;
  text << "<position><x>" << x << "</x><y>" << y << "</y><rotation>" << rotation
       << "</rotation></position>";
  return text.str();
}

std::string trackText(const std::string& body) {
  return "<?xml version=\"1.0\"?>\n<track><title>Broken</title><background>bg.png</background>" +
         body + "</track>\n";
}

std::string squareLoop() {
  return point(100, 100) + point(500, 100) + point(500, 300) + point(100, 300) +
         position(150, 100, 0) + position(120, 110, 0);
}

struct BadTrack {
  const char* name;
  std::string contents;
};

std::vector<BadTrack> badTracks() {
  std::mt19937 random(99);
  std::string binary(4096, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  const std::string whole = trackText(squareLoop());

  return {
      {"empty", ""},
      {"truncated", whole.substr(0, whole.size() / 2)},
      {"binary", binary},
      {"nul_bytes", whole.substr(0, 60) + std::string(8, '\0') + whole.substr(60)},
      {"no_points", trackText(position(10, 10))},
      {"one_point", trackText(point(100, 100) + position(10, 10))},
      {"nan", trackText(squareLoop() + point(std::nan(""), 4))},
      {"inf", trackText(squareLoop() + "<point><x>inf</x><y>-INF</y></point>")},
      {"far_out", trackText(point(1e12, 100) + squareLoop())},
      {"huge_width", trackText(point(10, 100, 1e12) + squareLoop())},
      {"external_entity",
       "<?xml version=\"1.0\"?><!DOCTYPE track [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>"
       "<track><title>&secret;</title>" +
           squareLoop() + "</track>"},
      {"entity_expansion",
       "<?xml version=\"1.0\"?><!DOCTYPE t [<!ENTITY a \"aaaaaaaaaa\">"
       "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
       "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
       "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e "
       "\"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
       "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g "
       "\"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
       "<track><title>&g;</title>" +
           squareLoop() + "</track>"},
      {"unclosed_root", "<track>" + squareLoop()},
      {"two_roots", trackText(squareLoop()) + "<track/>"},
  };
}

class TrackFileTest : public HardeningFixture {};

TEST_F(TrackFileTest, EveryBadFileIsRefusedWithAReasonByBothLoaders) {
  for (const BadTrack& bad : badTracks()) {
    const std::string path = writeTrack(std::string(bad.name) + ".rst", bad.contents);
    const auto started = std::chrono::steady_clock::now();
    std::string reason;
    EXPECT_EQ(track::importTrack(path, &reason), nullptr) << bad.name;
    EXPECT_FALSE(reason.empty()) << bad.name;
    // Refusal is immediate, not the end of a long struggle (a generous bound against hangs).
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20)) << bad.name;

    // The track list may still show a file with start positions and nothing else wrong.
    std::string infoReason;
    const auto info = track::readLevelInfo(path, &infoReason);
    if (!info) {
      EXPECT_FALSE(infoReason.empty()) << bad.name;
    }
  }
}

TEST_F(TrackFileTest, TheTrackListNamesEveryUnreadableFileAndItsProblem) {
  for (const BadTrack& bad : badTracks()) writeTrack(std::string(bad.name) + ".rst", bad.contents);
  writeTrack("good.rst", trackText(squareLoop()));

  const std::vector<app::TrackListEntry> entries = app::scanTracksFolder(tracksFolder());
  ASSERT_EQ(entries.size(), badTracks().size() + 1);
  for (const app::TrackListEntry& entry : entries) {
    const std::wstring cell = app::titleCellOf(entry);
    EXPECT_FALSE(cell.empty()) << entry.fileName;
    if (!entry.readable) {
      EXPECT_FALSE(entry.reason.empty()) << entry.fileName;
    }
  }
}

TEST_F(TrackFileTest, StartingARaceOnABadFileFailsWithTheFileNameAndReason) {
  writeBackground("bg.png");
  setOptions(2, 1, 1);
  for (const BadTrack& bad : badTracks()) {
    const std::string file = std::string(bad.name) + ".rst";
    writeTrack(file, bad.contents);
    race::RaceData& race = makeRace(file);
    EXPECT_FALSE(race.startRace()) << bad.name;
    EXPECT_FALSE(race.isActive()) << bad.name;
    EXPECT_NE(race.lastError().find(file), std::string::npos)
        << bad.name << ": " << race.lastError();
  }
}

// Wrapper elements may nest to any depth; the parser keeps its own stack, so depth costs no
// recursion.
TEST_F(TrackFileTest, DeepWrappersAndUtf16FilesLoad) {
  std::string nested;
  for (int i = 0; i < 20000; ++i) nested += "<a>";
  nested += squareLoop();
  for (int i = 0; i < 20000; ++i) nested += "</a>";
  const auto deep = track::importTrack(writeTrack("deep.rst", trackText(nested)));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->points.size(), 4u);

  const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><track><title>Wide</title>" +
                           squareLoop() + "</track>";
  std::string wide = "\xFF\xFE";
  for (char c : text) {
    wide.push_back(c);
    wide.push_back('\0');
  }
  const auto track = track::importTrack(writeTrack("wide.rst", wide));
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->title, "Wide");
  EXPECT_EQ(track->points.size(), 4u);
}

// Tracks that load but are barely tracks: the race must start and run without tripping over
// them (the computer drivers plan on them, the cars drive on them, laps are counted).
TEST_F(TrackFileTest, DegenerateButLoadableTracksRaceWithoutFaults) {
  const std::vector<BadTrack> tracks = {
      {"two_points", trackText(point(100, 200) + point(500, 200) + position(150, 200, 0) +
                               position(130, 210, 0))},
      {"same_point_twice",
       trackText(point(300, 200) + point(300, 200) + position(300, 200) + position(290, 200))},
      {"start_far_off_the_road", trackText(point(100, 100) + point(500, 100) + point(300, 300) +
                                           position(5000, 5000) + position(-5000, -5000))},
  };
  writeBackground("bg.png");
  setOptions(2, 1, 1);
  for (const BadTrack& t : tracks) {
    const std::string file = std::string(t.name) + ".rst";
    writeTrack(file, t.contents);
    race::RaceData& race = makeRace(file);
    ASSERT_TRUE(race.startRace()) << t.name << ": " << race.lastError();
    runFrames(200);
    race.endRace();
  }
}

}  // namespace
