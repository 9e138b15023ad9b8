#include "TrackFileFixtures.h"

#include <sstream>

namespace trackfixtures {

std::string pointXml(const TrackPoint& p, const char* element) {
  std::ostringstream xml;
  xml.precision(17);
  xml << "<" << element << "><x>" << p.x << "</x><y>" << p.y << "</y><width>" << p.width
      << "</width><offset>" << p.offset << "</offset><rotation>" << p.rotation << "</rotation></"
      << element << ">\n";
  return xml.str();
}

std::string trackXml(const std::vector<TrackPoint>& points,
                     const std::vector<TrackPoint>& positions, const std::string& title,
                     const std::string& background) {
  std::string xml = "<?xml version=\"1.0\"?>\n<track>\n<title>" + title + "</title>\n<background>" +
                    background + "</background>\n";
  for (const TrackPoint& p : points) xml += pointXml(p);
  for (const TrackPoint& p : positions) xml += pointXml(p, "position");
  return xml + "</track>\n";
}

std::vector<TrackPoint> square(bool clockwise, double width) {
  std::vector<TrackPoint> corners = {{100, 100, width, 0, 0},
                                     {200, 100, width, 0, 0},
                                     {200, 200, width, 0, 0},
                                     {100, 200, width, 0, 0}};
  if (!clockwise) std::swap(corners[1], corners[3]);
  return corners;
}

}  // namespace trackfixtures
