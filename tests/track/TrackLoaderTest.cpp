#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/TestSupport.h"
#include "track/TrackLimits.h"
#include "track/TrackLoader.h"

namespace {

std::string pointXml(const track::TrackPoint& p, const char* element = "point") {
  std::ostringstream xml;
  xml.precision(17);
  xml << "<" << element << "><x>" << p.x << "</x><y>" << p.y << "</y><width>" << p.width
      << "</width><offset>" << p.offset << "</offset><rotation>" << p.rotation << "</rotation></"
      << element << ">\n";
  return xml.str();
}

// A complete track file with the given path points and start positions.
std::string trackXml(const std::vector<track::TrackPoint>& points,
                     const std::vector<track::TrackPoint>& positions = {},
                     const std::string& title = "Test Track",
                     const std::string& background = "test.png") {
  std::string xml = "<?xml version=\"1.0\"?>\n<track>\n<title>" + title + "</title>\n<background>" +
                    background + "</background>\n";
  for (const track::TrackPoint& p : points) xml += pointXml(p);
  for (const track::TrackPoint& p : positions) xml += pointXml(p, "position");
  return xml + "</track>\n";
}

// A square loop of side 100 at (100, 100), clockwise on screen (y down) or counter-clockwise.
std::vector<track::TrackPoint> square(bool clockwise, double width = 40) {
  std::vector<track::TrackPoint> corners = {{100, 100, width, 0, 0},
                                            {200, 100, width, 0, 0},
                                            {200, 200, width, 0, 0},
                                            {100, 200, width, 0, 0}};
  if (!clockwise) std::swap(corners[1], corners[3]);
  return corners;
}

class TrackLoaderTest : public ::testing::Test {
 protected:
  std::unique_ptr<track::TrackData> import(const std::string& xml) {
    reason.clear();
    return track::importTrack(dir.write("track.rst", xml), &reason);
  }
  std::unique_ptr<track::TrackData> levelInfo(const std::string& xml) {
    reason.clear();
    return track::readLevelInfo(dir.write("track.rst", xml), &reason);
  }

  testsupport::TempDir dir;
  std::string reason;
};

// The cosine of the angle between the point's cross direction and the direction to `target`.
double alignment(const track::TrackPoint& p, double targetX, double targetY) {
  const double dx = targetX - p.x, dy = targetY - p.y;
  return (std::cos(p.rotation) * dx + std::sin(p.rotation) * dy) / std::hypot(dx, dy);
}

TEST_F(TrackLoaderTest, FinishLineComesLastAndFileRotationIsReplaced) {
  std::vector<track::TrackPoint> file = {
      {10, 20, 50, 1, 9}, {110, 20, 52, 2, 9}, {110, 120, 54, 3, 9}, {10, 120, 56, 4, 9}};
  auto track = import(trackXml(file, {{30, 40, 0, 0, 0.5}}, "Ring", "ring.png"));
  ASSERT_TRUE(track) << reason;
  ASSERT_EQ(track->pointCount(), 4u);
  EXPECT_EQ(track->points[0].x, 110);
  EXPECT_EQ(track->points[0].width, 52);
  EXPECT_EQ(track->points[2].offset, 4);
  EXPECT_EQ(track->points[3].x, 10);  // the file's first point
  EXPECT_EQ(track->points[3].y, 20);
  for (const track::TrackPoint& p : track->points) EXPECT_NE(p.rotation, 9);
  ASSERT_EQ(track->positionCount(), 1u);
  EXPECT_EQ(track->positions[0].rotation, 0.5);  // positions keep theirs
  EXPECT_EQ(track->title, "Ring");
  EXPECT_EQ(track->background, "ring.png");
  EXPECT_EQ(track->extentX, 164);  // 110 + 54
  EXPECT_EQ(track->extentY, 176);  // 120 + 56
  EXPECT_FALSE(track->surfaceMap);
}

TEST_F(TrackLoaderTest, SquareCornersPointInwardClockwiseAndOutwardCounterClockwise) {
  for (bool clockwise : {true, false}) {
    auto track = import(trackXml(square(clockwise)));
    ASSERT_TRUE(track) << reason;
    for (const track::TrackPoint& corner : track->points) {
      // Every corner, including the one where travel straddles the angle pi.
      EXPECT_NEAR(alignment(corner, 150, 150), clockwise ? 1.0 : -1.0, 1e-9)
          << "corner at " << corner.x << ", " << corner.y << (clockwise ? " cw" : " ccw");
    }
  }
}

TEST_F(TrackLoaderTest, TwoPointsAreEachOthersNeighbours) {
  auto track = import(trackXml({{0, 0, 10, 0, 0}, {100, 0, 10, 0, 0}}));
  ASSERT_TRUE(track) << reason;
  ASSERT_EQ(track->pointCount(), 2u);
  // Each point is reached from the other and left toward it: travel turns back (angles 0 and
  // pi), whose mean pi/2 gives the cross direction pi at both points.
  for (const track::TrackPoint& p : track->points) EXPECT_NEAR(p.rotation, 3.1415926535, 1e-9);
}

TEST_F(TrackLoaderTest, ExtentsUseXPlusWidthTruncatedAndNeverGoNegative) {
  auto track = import(trackXml({{10.9, 5, 30.5, 0, 0}, {200.7, 300.6, 20, 0, 0}}));
  ASSERT_TRUE(track) << reason;
  EXPECT_EQ(track->extentX, 220);
  EXPECT_EQ(track->extentY, 320);

  auto negative = import(trackXml({{-500, -400, 60, 0, 0}, {-300, -200, 60, 0, 0}}));
  ASSERT_TRUE(negative) << reason;
  EXPECT_EQ(negative->extentX, 0);
  EXPECT_EQ(negative->extentY, 0);
}

TEST_F(TrackLoaderTest, AttributesAreIgnoredAndWrappersChangeNothing) {
  auto attributes =
      import("<track><point x='5' y='6' width='7'/><point x='8' y='9'></point></track>");
  ASSERT_TRUE(attributes) << reason;
  for (const track::TrackPoint& p : attributes->points) {
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.width, 0);  // no width given: the record's default
  }

  auto wrapped = import(
      "<a:race xmlns:a='urn:x'><meta><a:title>  Wrapped </a:title></meta><list><group>"
      "<point><x> 1.5</x><y>2e1</y><width>30<!-- c -->.5</width><ignored>99</ignored></point>"
      "</group><point><pos><x>40</x></pos><y>50</y></point></list>"
      "<background>w.png</background></a:race>");
  ASSERT_TRUE(wrapped) << reason;
  EXPECT_EQ(wrapped->title, "  Wrapped ");
  EXPECT_EQ(wrapped->background, "w.png");
  EXPECT_EQ(wrapped->points[1].x, 1.5);
  EXPECT_EQ(wrapped->points[1].y, 20);
  EXPECT_EQ(wrapped->points[1].width, 30.5);  // text split by a comment is read as a whole
  EXPECT_EQ(wrapped->points[0].x, 40);
  EXPECT_EQ(wrapped->points[0].y, 50);
}

TEST_F(TrackLoaderTest, CurrentRecordOutlivesItsEndTagAndStrayValuesAreIgnored) {
  auto track = import(
      "<track><x>77</x><point><x>1</x></point><y>5</y>"
      "<position><x>3</x></position><rotation>2</rotation>"
      "<point><x>9</x></point><width>12</width></track>");
  ASSERT_TRUE(track) << reason;
  ASSERT_EQ(track->pointCount(), 2u);
  EXPECT_EQ(track->points[1].x, 1);  // the file's first point
  EXPECT_EQ(track->points[1].y, 5);  // set after its end tag
  EXPECT_EQ(track->points[0].width, 12);
  ASSERT_EQ(track->positionCount(), 1u);
  EXPECT_EQ(track->positions[0].rotation, 2);
}

TEST_F(TrackLoaderTest, TitleDefaultsToFileNameAndBackgroundToEmpty) {
  std::string path = dir.write("nameless.rst", "<t><point/><point><x>5</x></point></t>");
  auto track = track::importTrack(path, &reason);
  ASSERT_TRUE(track) << reason;
  EXPECT_EQ(track->title, "nameless");
  EXPECT_EQ(track->background, "");
  EXPECT_EQ(track->theme, "");  // the painter's default landscape
  EXPECT_EQ(track::readLevelInfo(path)->title, "nameless");
}

TEST_F(TrackLoaderTest, BothLoadersReadTheTheme) {
  const std::string path =
      dir.write("dunes.rst", "<t><theme>desert</theme><point/><point><x>5</x></point></t>");
  auto track = track::importTrack(path, &reason);
  ASSERT_TRUE(track) << reason;
  EXPECT_EQ(track->theme, "desert");
  EXPECT_EQ(track::readLevelInfo(path)->theme, "desert");
}

TEST_F(TrackLoaderTest, TextIsReadAsUtf8) {
  auto track = levelInfo(
      "<?xml version='1.0' encoding='ISO-8859-1'?><t><title>Caf\xE9 &amp; Co</title></t>");
  ASSERT_TRUE(track) << reason;
  EXPECT_EQ(track->title, "Caf\xC3\xA9 & Co");
}

TEST_F(TrackLoaderTest, AVeryLongTitleIsCutWithAnEllipsisWhateverItsScript) {
  // 10 000 characters of two bytes each: the list, the race setup, popups and the caption
  // show at most the limit.
  std::string title;
  for (int i = 0; i < 10000; ++i) title += "\xC3\xA9";
  auto track = levelInfo("<t><title>" + title + "</title></t>");
  ASSERT_TRUE(track) << reason;
  const std::string ellipsis = "\xE2\x80\xA6";
  EXPECT_EQ(track->title, title.substr(0, 2 * track::limits::kMaxTitleCharacters) + ellipsis);
  EXPECT_EQ(levelInfo("<t><title>Short</title></t>")->title, "Short");
}

TEST_F(TrackLoaderTest, TooFewPathPointsGiveNoTrackButLevelInfoStillReads) {
  const std::string noPath = trackXml({}, {{5, 6, 0, 0, 1}, {7, 8, 0, 0, 2}}, "Grid only");
  EXPECT_FALSE(import(noPath));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(import(trackXml({{5, 5, 50, 0, 0}})));
  EXPECT_NE(reason.find("two"), std::string::npos) << reason;

  auto info = levelInfo(noPath);
  ASSERT_TRUE(info) << reason;
  EXPECT_EQ(info->title, "Grid only");
  EXPECT_EQ(info->positionCount(), 2u);
  EXPECT_EQ(info->positions[1].x, 7);
  EXPECT_EQ(info->pointCount(), 0u);
}

TEST_F(TrackLoaderTest, UnreadableOrMalformedFilesGiveNoTrackAndAReason) {
  EXPECT_FALSE(track::importTrack(dir.folder() + "missing.rst", &reason));
  EXPECT_FALSE(reason.empty());

  for (const std::string xml : {"<track><point><x>1</x></track>", "", "not xml at all",
                                "<track><point/><point/></track><second/>"}) {
    EXPECT_FALSE(import(xml)) << xml;
    EXPECT_FALSE(reason.empty()) << xml;
    EXPECT_FALSE(levelInfo(xml)) << xml;
  }
}

TEST_F(TrackLoaderTest, DocumentTypesAndEntitiesAreRefused) {
  const std::string secret = dir.write("secret.txt", "SECRET");
  const std::string body = "<track><title>&e;</title><point/><point/></track>";
  const std::string files[] = {
      "<!DOCTYPE track [<!ENTITY e SYSTEM \"file://" + secret + "\">]>" + body,
      "<!DOCTYPE track SYSTEM \"http://127.0.0.1:9/track.dtd\">" + body,
      "<!DOCTYPE track [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>" +
          body,
      "<track><title>&e;</title><point/><point/></track>",  // undeclared entity
  };
  for (const std::string& xml : files) {
    EXPECT_FALSE(import(xml)) << xml;
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find("SECRET"), std::string::npos);
    EXPECT_FALSE(levelInfo(xml)) << xml;
  }
}

TEST_F(TrackLoaderTest, NumbersThatAreNotFiniteOrAbsurdGiveNoTrack) {
  for (const char* bad : {"nan", "-NaN", "inf", "-Infinity", "1e999", "-1e12"}) {
    for (const char* field : {"x", "y", "width", "offset", "rotation"}) {
      std::string xml =
          std::string("<t><point/><point><") + field + ">" + bad + "</" + field + "></point></t>";
      EXPECT_FALSE(import(xml)) << field << " = " << bad;
      EXPECT_NE(reason.find("number"), std::string::npos) << reason;
    }
    std::string position =
        std::string("<t><position><rotation>") + bad + "</rotation></position></t>";
    EXPECT_FALSE(levelInfo(position)) << bad;
  }
}

TEST_F(TrackLoaderTest, TracksTooLargeForASurfaceMapAreRefused) {
  // Wider than the limit, larger in area than the limit, and reaching far into negative space.
  const std::vector<std::vector<track::TrackPoint>> tooLarge = {
      {{100, 100, 60, 0, 0}, {8500, 100, 60, 0, 0}},
      {{100, 100, 60, 0, 0}, {4000, 4000, 60, 0, 0}},
      {{100, 100, 60, 0, 0}, {-900000, 100, 60, 0, 0}},
      {{100, 100, 60, 0, 0}, {200, 100, 20000, 0, 0}},
  };
  for (const auto& points : tooLarge) {
    EXPECT_FALSE(import(trackXml(points)));
    EXPECT_NE(reason.find("too"), std::string::npos) << reason;
  }
  // Right at the limit still loads.
  EXPECT_TRUE(import(trackXml({{100, 100, 60, 0, 0}, {3940, 2940, 60, 0, 0}}))) << reason;
}

TEST_F(TrackLoaderTest, HugeFilesAreRefusedUnread) {
  std::string xml = "<track>";
  const std::string filler(1024 * 1024, ' ');
  for (int i = 0; i < 9; ++i) xml += filler;
  xml +=
      trackXml(square(true)).substr(std::string("<?xml version=\"1.0\"?>\n").size()) + "</track>";
  EXPECT_FALSE(import(xml));
  EXPECT_NE(reason.find("large"), std::string::npos) << reason;
}

}  // namespace
