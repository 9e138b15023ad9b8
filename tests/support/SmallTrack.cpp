#include "support/SmallTrack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "common/Angle.h"
#include "track/TrackLoader.h"

namespace bgtest {

std::string roundedLoopText(double width) {
  const double left = 70, top = 70, right = 540, bottom = 440, radius = 110;
  std::ostringstream points;
  auto point = [&](double x, double y) {
    points << "<point><x>" << x << "</x><y>" << y << "</y><width>" << width
           << "</width><offset>0</offset><rotation>0</rotation></point>\n";
  };
  // Clockwise on screen (y down): top straight to the right, then down, left and up.
  const double pi = common::kPi;
  const struct {
    double cx, cy, start;
  } corners[] = {{right - radius, top + radius, -pi / 2},
                 {right - radius, bottom - radius, 0},
                 {left + radius, bottom - radius, pi / 2},
                 {left + radius, top + radius, pi}};
  for (const auto& corner : corners) {
    for (int k = 0; k <= 6; ++k) {
      const double a = corner.start + pi / 2 * k / 6;
      point(corner.cx + radius * std::cos(a), corner.cy + radius * std::sin(a));
    }
  }
  std::ostringstream text;
  text << "<?xml version=\"1.0\"?>\n<track><title>Small Loop</title><background>loop.png"
       << "</background><points>\n"
       << points.str() << "</points><positions>\n"
       << "<position><x>250</x><y>60</y><width>0</width><offset>0</offset>"
       << "<rotation>1.57</rotation></position>\n"
       << "<position><x>220</x><y>80</y><width>0</width><offset>0</offset>"
       << "<rotation>1.57</rotation></position>\n"
       << "</positions></track>\n";
  return text.str();
}

std::unique_ptr<track::TrackData> loadRoundedLoop(const std::string& folder,
                                                  const std::string& name) {
  const std::string path = folder + name;
  std::ofstream(path) << roundedLoopText();
  std::string reason;
  auto track = track::importTrack(path, &reason);
  EXPECT_TRUE(track) << reason;
  return track;
}

}  // namespace bgtest
