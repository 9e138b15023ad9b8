// track_layout: turns a hand-written list of control points into a track file.
//
//   track_layout <layout file> <output .rst>
//
// The road runs through the control points in order on a closed centripetal Catmull-Rom spline
// (no loops or overshoot at uneven spacing), sampled every `spacing` world units. The first
// control point is the finish line; the start grid is laid out on the road just behind it.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "track/StartGrid.h"
#include "track/TrackData.h"
#include "track/TrackWriter.h"

namespace {

constexpr double kMargin = 100.0;  // world units between the road and the picture's edge

struct Vec {
  double x = 0;
  double y = 0;
};
Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y};
}
Vec operator*(double k, Vec a) {
  return {k * a.x, k * a.y};
}
double length(Vec a) {
  return std::hypot(a.x, a.y);
}

struct Control {
  Vec at;
  double width = 0;
};

struct Layout {
  std::string title;
  std::string theme;  // empty: the painter's default
  double spacing = 40;
  int grid = 8;
  // World units between the road and the picture's left and top edges; room for a coast.
  double marginLeft = kMargin;
  double marginTop = kMargin;
  std::vector<Control> controls;
};

struct Sample {
  Vec at;
  double width = 0;
  double distance = 0;  // along the road from the finish line
};

bool readLayout(const std::string& file, Layout& layout) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    if (!(words >> key) || key[0] == '#') continue;
    if (key == "title") {
      std::getline(words >> std::ws, layout.title);
    } else if (key == "spacing") {
      words >> layout.spacing;
    } else if (key == "grid") {
      words >> layout.grid;
    } else if (key == "theme") {
      words >> layout.theme;
    } else if (key == "margin") {
      words >> layout.marginLeft >> layout.marginTop;
    } else if (key == "point") {
      Control c;
      words >> c.at.x >> c.at.y >> c.width;
      layout.controls.push_back(c);
    } else {
      std::cerr << "unknown line: " << line << "\n";
      return false;
    }
  }
  return layout.controls.size() >= 4 && layout.spacing > 0;
}

// One point on the centripetal Catmull-Rom segment from p1 to p2, t in [0, 1].
Vec catmullRom(Vec p0, Vec p1, Vec p2, Vec p3, double t) {
  auto knot = [](double k, Vec a, Vec b) { return k + std::sqrt(std::max(length(b - a), 1e-6)); };
  const double t0 = 0, t1 = knot(t0, p0, p1), t2 = knot(t1, p1, p2), t3 = knot(t2, p2, p3);
  const double u = t1 + (t2 - t1) * t;
  const Vec a1 = ((t1 - u) / (t1 - t0)) * p0 + ((u - t0) / (t1 - t0)) * p1;
  const Vec a2 = ((t2 - u) / (t2 - t1)) * p1 + ((u - t1) / (t2 - t1)) * p2;
  const Vec a3 = ((t3 - u) / (t3 - t2)) * p2 + ((u - t2) / (t3 - t2)) * p3;
  const Vec b1 = ((t2 - u) / (t2 - t0)) * a1 + ((u - t0) / (t2 - t0)) * a2;
  const Vec b2 = ((t3 - u) / (t3 - t1)) * a2 + ((u - t1) / (t3 - t1)) * a3;
  return ((t2 - u) / (t2 - t1)) * b1 + ((u - t1) / (t2 - t1)) * b2;
}

// The closed spline as a fine polyline with the distance along it.
std::vector<Sample> fineCurve(const std::vector<Control>& c) {
  constexpr int kSteps = 200;
  const std::size_t n = c.size();
  std::vector<Sample> curve;
  double distance = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Control& p0 = c[(i + n - 1) % n];
    const Control& p1 = c[i];
    const Control& p2 = c[(i + 1) % n];
    const Control& p3 = c[(i + 2) % n];
    for (int s = 0; s < kSteps; ++s) {
      const double t = static_cast<double>(s) / kSteps;
      Sample sample{catmullRom(p0.at, p1.at, p2.at, p3.at, t), p1.width + (p2.width - p1.width) * t,
                    0};
      if (!curve.empty()) distance += length(sample.at - curve.back().at);
      sample.distance = distance;
      curve.push_back(sample);
    }
  }
  Sample closing = curve.front();
  closing.distance = distance + length(curve.front().at - curve.back().at);
  curve.push_back(closing);
  return curve;
}

// The point at a distance along the closed curve (wrapping), with its direction of travel.
Sample sampleAt(const std::vector<Sample>& curve, double distance, Vec* direction) {
  const double total = curve.back().distance;
  distance = std::fmod(std::fmod(distance, total) + total, total);
  auto next = std::upper_bound(curve.begin(), curve.end(), distance,
                               [](double d, const Sample& s) { return d < s.distance; });
  if (next == curve.end()) next = curve.end() - 1;
  if (next == curve.begin()) next = curve.begin() + 1;
  const Sample& a = *(next - 1);
  const Sample& b = *next;
  const double span = std::max(b.distance - a.distance, 1e-9);
  const double k = (distance - a.distance) / span;
  if (direction) *direction = (1.0 / std::max(length(b.at - a.at), 1e-9)) * (b.at - a.at);
  return Sample{a.at + k * (b.at - a.at), a.width + k * (b.width - a.width), distance};
}

// Warns where two stretches of road that are not neighbours come closer than their widths.
void checkClearance(const std::vector<Sample>& path) {
  const double total = path.back().distance + 1;
  for (std::size_t i = 0; i < path.size(); ++i) {
    for (std::size_t j = i + 1; j < path.size(); ++j) {
      double along = path[j].distance - path[i].distance;
      along = std::min(along, total - along);
      const double needed = (path[i].width + path[j].width) * 0.5 + 20;
      if (along > needed * 2.5 && length(path[i].at - path[j].at) < needed) {
        std::cerr << "warning: road too close to itself near (" << path[i].at.x << ", "
                  << path[i].at.y << ") and (" << path[j].at.x << ", " << path[j].at.y << ")\n";
      }
    }
  }
}

// Two decimals are plenty for a hand-made layout and keep the file easy to read.
double rounded(double value) {
  return std::round(value * 100.0) / 100.0;
}

track::TrackPoint pointAt(Vec at, double width, double rotation) {
  track::TrackPoint p;
  p.x = rounded(at.x);
  p.y = rounded(at.y);
  p.width = rounded(width);
  p.rotation = rounded(rotation);
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: track_layout <layout file> <output .rst>\n";
    return 2;
  }
  Layout layout;
  if (!readLayout(argv[1], layout)) {
    std::cerr << "cannot read a layout (title, spacing, grid, at least 4 points) from " << argv[1]
              << "\n";
    return 1;
  }

  const std::vector<Sample> curve = fineCurve(layout.controls);
  const double total = curve.back().distance;
  const int count = std::max(3, static_cast<int>(std::lround(total / layout.spacing)));
  std::vector<Sample> path;
  for (int i = 0; i < count; ++i) path.push_back(sampleAt(curve, total * i / count, nullptr));
  // The grid follows the fine curve; its last sample closes the loop and is left out.
  std::vector<track::TrackPoint> fine;
  for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
    fine.push_back(track::TrackPoint{curve[i].at.x, curve[i].at.y, curve[i].width, 0, 0});
  }
  const std::vector<track::TrackPoint> grid = track::startgrid::layOut(fine, layout.grid);
  checkClearance(path);

  // Shift everything so that the road keeps a margin from the picture's top and left.
  double minX = 1e300, minY = 1e300;
  for (const Sample& s : path) {
    minX = std::min(minX, s.at.x - s.width * 0.5);
    minY = std::min(minY, s.at.y - s.width * 0.5);
  }
  const Vec shift{std::round(layout.marginLeft - minX), std::round(layout.marginTop - minY)};

  const std::filesystem::path output(argv[2]);
  track::TrackData track;
  track.title = layout.title;
  track.background = output.stem().string() + ".png";
  track.theme = layout.theme;
  std::vector<track::TrackPoint> points;
  for (const Sample& s : path) points.push_back(pointAt(s.at + shift, s.width, 0));
  track::setPathFromFile(track, points);
  for (const track::TrackPoint& p : grid) {
    track.positions.push_back(pointAt(Vec{p.x, p.y} + shift, 0, p.rotation));
  }
  std::string error;
  if (!track::saveTrackFile(track, output.string(), &error)) {
    std::cerr << "cannot write " << argv[2] << ": " << error << "\n";
    return 1;
  }
  std::cout << output.filename().string() << ": " << count << " points, length "
            << std::lround(total) << ", " << layout.grid << " start positions\n";
  return 0;
}
