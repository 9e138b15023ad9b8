#include "editor/TrackPainter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "editor/EditorStyle.h"
#include "editor/Shapes.h"
#include "gui/FontCache.h"
#include "physics/StartPosition.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "race/LapTable.h"
#include "track/Geometry.h"

namespace editor {

namespace {

constexpr int kLabelHeight = 14;

struct Corner {
  double x = 0;
  double y = 0;
};

Corner onScreen(const Viewport& view, const track::TrackPoint& p) {
  return {view.toScreenX(p.x), view.toScreenY(p.y)};
}

// The four corners of the car on a place, on the screen: rear left, rear right, front right,
// front left.
std::array<Corner, 4> carCorners(const Viewport& view, const track::TrackPoint& place) {
  const physics::ContactRectangle car = physics::startFootprint(place);
  const double c = std::cos(car.angle), s = std::sin(car.angle);
  std::array<Corner, 4> corners;
  const double across[4] = {-car.sx, car.sx, car.sx, -car.sx};
  const double along[4] = {-car.sy, -car.sy, car.sy, car.sy};
  for (int i = 0; i < 4; ++i) {
    const double x = car.x + across[i] * c - along[i] * s;
    const double y = car.y + across[i] * s + along[i] * c;
    corners[static_cast<std::size_t>(i)] = {view.toScreenX(x), view.toScreenY(y)};
  }
  return corners;
}

// Handles shrink where the points crowd together on the screen, so the road stays visible.
double handleRadius(const TrackContent& content, const Viewport& view) {
  const std::size_t n = content.path.size();
  if (n < 2) return kPointRadius;
  double total = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const track::TrackPoint& a = content.path[i];
    const track::TrackPoint& b = content.path[(i + 1) % n];
    total += std::hypot(a.x - b.x, a.y - b.y);
  }
  return std::clamp(total / static_cast<double>(n) * view.zoom() / 4.0, 2.5, kPointRadius);
}

}  // namespace

void TrackPainter::paint(const Scene& scene) {
  paintGround(scene);
  paintRoad(scene);
  paintLapLines(scene);
  paintPlaces(scene);
  paintHandles(scene);
  paintFindings(scene);
}

void TrackPainter::label(const std::wstring& text, double x, double y, double z,
                         platform::Color color) {
  const platform::Font& font = gui::FontCache::get(style::kFont, kLabelHeight);
  font.draw(text, x + 1, y + 1, z, 1, 1, style::kTextShadow);
  font.draw(text, x, y, z, 1, 1, color);
}

void TrackPainter::paintGround(const Scene& scene) {
  const Viewport& view = *scene.view;
  Shapes ground;
  const double w = graphics_.width(), h = graphics_.height();
  if (scene.picture == nullptr) {
    ground.box(0, 0, w, h, style::kGrass);
    ground.drawOn(graphics_, kGroundLayer);
    return;
  }
  // Darker grass beyond the picture shows where it ends.
  ground.box(0, 0, w, h, style::kOutsidePicture);
  ground.drawOn(graphics_, kGroundLayer);
  scene.picture->draw(view.toScreenX(0), view.toScreenY(0), kPictureLayer, view.zoom(),
                      view.zoom());
}

void TrackPainter::paintRoad(const Scene& scene) {
  const Viewport& view = *scene.view;
  const std::vector<track::TrackPoint>& points = scene.document->track().points;
  const std::size_t n = points.size();
  if (n < 2) return;
  std::vector<Corner> right(n), left(n);
  for (std::size_t i = 0; i < n; ++i) {
    const track::EdgePoints edges = track::edgePoints(points[i], 1.0f);
    right[i] = onScreen(view, edges.first);
    left[i] = onScreen(view, edges.second);
  }
  // The same pieces the race's map is made of: from each point's edges to the next point's.
  Shapes road, edges;
  const platform::Color fill = scene.picture ? style::kRoadOverPicture : style::kRoad;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = (i + 1) % n;
    road.quad(right[i].x, right[i].y, right[j].x, right[j].y, left[j].x, left[j].y, left[i].x,
              left[i].y, fill);
    edges.line(right[i].x, right[i].y, right[j].x, right[j].y, 1.5, style::kRoadEdge);
    edges.line(left[i].x, left[i].y, left[j].x, left[j].y, 1.5, style::kRoadEdge);
  }
  road.drawOn(graphics_, kRoadLayer);
  edges.drawOn(graphics_, kRoadLayer);

  // The centre line, with a chevron every few points showing the way the cars drive.
  const TrackContent& content = scene.document->content();
  Shapes centre;
  const std::size_t every = std::max<std::size_t>(1, n / 24);
  for (std::size_t i = 0; i < n; ++i) {
    const Corner a = onScreen(view, content.path[i]);
    const Corner b = onScreen(view, content.path[(i + 1) % n]);
    centre.line(a.x, a.y, b.x, b.y, 1.0, style::kCentreLine);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    if (i % every != 0 || length < 24) continue;
    const double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
    const double mx = (a.x + b.x) * 0.5, my = (a.y + b.y) * 0.5;
    centre.line(mx - 6 * ux - 5 * uy, my - 6 * uy + 5 * ux, mx, my, 2.0, style::kCentreLine);
    centre.line(mx - 6 * ux + 5 * uy, my - 6 * uy - 5 * ux, mx, my, 2.0, style::kCentreLine);
  }
  centre.drawOn(graphics_, kLinesLayer);
}

void TrackPainter::paintLapLines(const Scene& scene) {
  const track::TrackData& track = scene.document->track();
  if (track.points.size() < 2) return;
  const Viewport& view = *scene.view;
  Shapes lines;
  // Where the race counts laps: each line reaches half a road width beyond the edges.
  const race::LineSegment halfway = race::halfwayLineOf(track);
  const double hx0 = view.toScreenX(halfway.x1), hy0 = view.toScreenY(halfway.y1);
  const double hx1 = view.toScreenX(halfway.x2), hy1 = view.toScreenY(halfway.y2);
  constexpr int kDashes = 9;
  for (int i = 0; i < kDashes; i += 2) {
    const double a = static_cast<double>(i) / kDashes, b = static_cast<double>(i + 1) / kDashes;
    lines.line(hx0 + (hx1 - hx0) * a, hy0 + (hy1 - hy0) * a, hx0 + (hx1 - hx0) * b,
               hy0 + (hy1 - hy0) * b, 3.0, style::kHalfwayLine);
  }
  const race::LineSegment finish = race::finishLineOf(track);
  const double fx0 = view.toScreenX(finish.x1), fy0 = view.toScreenY(finish.y1);
  const double fx1 = view.toScreenX(finish.x2), fy1 = view.toScreenY(finish.y2);
  constexpr int kSquares = 12;
  for (int i = 0; i < kSquares; ++i) {
    const double a = static_cast<double>(i) / kSquares, b = static_cast<double>(i + 1) / kSquares;
    lines.line(fx0 + (fx1 - fx0) * a, fy0 + (fy1 - fy0) * a, fx0 + (fx1 - fx0) * b,
               fy0 + (fy1 - fy0) * b, 5.0, i % 2 == 0 ? platform::kWhite : platform::kBlack);
  }
  lines.drawOn(graphics_, kLinesLayer);
  label(L"Halfway", hx1 + 4, hy1 - 6, kMarksLayer, style::kHalfwayLine);
  label(L"Finish", fx1 + 4, fy1 - 6, kMarksLayer, platform::kWhite);
}

void TrackPainter::paintPlaces(const Scene& scene) {
  const Viewport& view = *scene.view;
  const std::vector<track::TrackPoint>& places = scene.document->content().places;
  Shapes cars, outlines;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const auto c = carCorners(view, places[i]);
    const bool selected = scene.selected == Handle{HandleKind::Place, i} ||
                          scene.selected == Handle{HandleKind::PlaceKnob, i};
    cars.quad(c[0].x, c[0].y, c[1].x, c[1].y, c[2].x, c[2].y, c[3].x, c[3].y,
              selected ? style::kOrange : style::kPlace);
    for (int k = 0; k < 4; ++k) {
      const Corner& a = c[static_cast<std::size_t>(k)];
      const Corner& b = c[static_cast<std::size_t>((k + 1) % 4)];
      outlines.line(a.x, a.y, b.x, b.y, selected ? 2.0 : 1.0,
                    selected ? platform::kWhite : style::kPlaceOutline);
    }
    // A white bar across the front shows which way the car faces.
    outlines.line(c[2].x, c[2].y, c[3].x, c[3].y, 2.5, platform::kWhite);
    // Numbers only where the cars are big enough on the screen to carry them.
    const Corner centre{(c[0].x + c[2].x) * 0.5, (c[0].y + c[2].y) * 0.5};
    if (std::hypot(c[2].x - c[1].x, c[2].y - c[1].y) >= 14) {
      label(std::to_wstring(i + 1), centre.x - 4, centre.y - 8, kMarksLayer, platform::kWhite);
    }
    if (selected) {
      const ScreenPoint knob = knobOf(places[i], view);
      const Corner front = onScreen(view, places[i]);
      outlines.line(front.x, front.y, knob.x, knob.y, 1.5, platform::kWhite);
      outlines.disc(knob.x, knob.y, kPointRadius, style::kOrange);
      outlines.ring(knob.x, knob.y, kPointRadius + 1, 2, platform::kWhite);
    }
  }
  cars.drawOn(graphics_, kPlacesLayer);
  outlines.drawOn(graphics_, kPlacesLayer);
}

void TrackPainter::paintHandles(const Scene& scene) {
  const Viewport& view = *scene.view;
  const TrackContent& content = scene.document->content();
  const double radius = handleRadius(content, view);
  Shapes handles;
  for (std::size_t i = content.path.size(); i-- > 0;) {
    const Corner p = onScreen(view, content.path[i]);
    const bool finish = i == 0;
    const double r = finish ? std::max(radius, kPointRadius) + 1 : radius;
    handles.disc(p.x, p.y, r + 1.5, style::kSlate);
    handles.disc(p.x, p.y, r, finish ? style::kOrange : style::kHandle);
    if (scene.hovered == Handle{HandleKind::Point, i})
      handles.ring(p.x, p.y, r + 4, 2, style::kHover);
  }
  if (scene.selected.kind == HandleKind::Point && scene.selected.index < content.path.size()) {
    const std::size_t i = scene.selected.index;
    const Corner p = onScreen(view, content.path[i]);
    handles.ring(p.x, p.y, kPointRadius + 5, 2.5, style::kOrange);
    for (const bool right : {true, false}) {
      const ScreenPoint edge = edgeHandle(*scene.document, view, i, right);
      handles.line(p.x, p.y, edge.x, edge.y, 1.5, style::kOrange);
      handles.box(edge.x - 5, edge.y - 5, edge.x + 5, edge.y + 5, style::kSlate);
      handles.box(edge.x - 3.5, edge.y - 3.5, edge.x + 3.5, edge.y + 3.5, style::kOrange);
    }
    const std::wstring text = L"Point " + std::to_wstring(i + 1) + L", width " +
                              std::to_wstring(std::lround(content.path[i].width));
    // Beside the point, on the side where the canvas has room for it.
    const double width = gui::FontCache::get(style::kFont, kLabelHeight).textWidth(text);
    const double x =
        p.x + 12 + width < view.left() + view.width() - 4 ? p.x + 12 : p.x - 12 - width;
    label(text, x, p.y + 10, kMarksLayer, platform::kWhite);
  }
  handles.drawOn(graphics_, kHandlesLayer);
}

void TrackPainter::paintFindings(const Scene& scene) {
  if (scene.findings == nullptr) return;
  Shapes marks;
  for (const Finding& finding : *scene.findings) {
    if (!finding.located) continue;
    const double x = scene.view->toScreenX(finding.x), y = scene.view->toScreenY(finding.y);
    const platform::Color color =
        finding.severity == Severity::Refusal ? style::kRefusal : style::kWarning;
    marks.ring(x, y, 16, 3, color);
  }
  marks.drawOn(graphics_, kMarksLayer);
}

}  // namespace editor
