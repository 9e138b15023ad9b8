#include "app/TrackPreview.h"

#include <algorithm>
#include <cmath>

#include "track/TrackData.h"

namespace app {
namespace {

constexpr double kWorldUnitsPerMetre = 10.0;
constexpr platform::Color kGrass = 0xff44703eu;
constexpr platform::Color kRoad = 0xff5d6166u;
constexpr platform::Color kFinish = 0xfff2f2f2u;

struct Fit {
  int width = 0;
  int height = 0;
  double scale = 0;  // thumbnail pixels per world unit
};

// The largest picture of the world's shape that fits the box.
Fit fitInto(double worldWidth, double worldHeight, int width, int height) {
  if (worldWidth <= 0 || worldHeight <= 0) return {};
  const double scale = std::min(width / worldWidth, height / worldHeight);
  return {std::max(1, static_cast<int>(worldWidth * scale)),
          std::max(1, static_cast<int>(worldHeight * scale)), scale};
}

// Each thumbnail pixel is the average of the picture's pixels it covers.
platform::Bitmap scaledDown(const platform::Bitmap& picture, const Fit& fit) {
  platform::Bitmap thumbnail(fit.width, fit.height);
  for (int ty = 0; ty < fit.height; ++ty) {
    const int y0 = ty * picture.height() / fit.height;
    const int y1 = std::max(y0 + 1, (ty + 1) * picture.height() / fit.height);
    for (int tx = 0; tx < fit.width; ++tx) {
      const int x0 = tx * picture.width() / fit.width;
      const int x1 = std::max(x0 + 1, (tx + 1) * picture.width() / fit.width);
      unsigned long r = 0, g = 0, b = 0, n = 0;
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          const platform::Color c = picture.getPixel(x, y);
          r += platform::redOf(c);
          g += platform::greenOf(c);
          b += platform::blueOf(c);
          ++n;
        }
      }
      thumbnail.setPixel(
          tx, ty,
          platform::argb(255, static_cast<std::uint32_t>(r / n), static_cast<std::uint32_t>(g / n),
                         static_cast<std::uint32_t>(b / n)));
    }
  }
  return thumbnail;
}

// Squared distance from p to the segment a-b, and where along it the nearest point lies (0..1).
double distanceSquared(double px, double py, const track::TrackPoint& a, const track::TrackPoint& b,
                       double* along) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = dx * dx + dy * dy;
  double t = length > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0, 1.0);
  *along = t;
  const double ex = a.x + t * dx - px, ey = a.y + t * dy - py;
  return ex * ex + ey * ey;
}

// The road over grass: a pixel is road when its centre lies within half the road's width of
// the path (the width taken along each stretch between two points).
platform::Bitmap outline(const track::TrackData& track, const Fit& fit) {
  platform::Bitmap thumbnail(fit.width, fit.height, kGrass);
  const std::vector<track::TrackPoint>& points = track.points;
  const std::size_t count = points.size();
  for (int ty = 0; ty < fit.height; ++ty) {
    for (int tx = 0; tx < fit.width; ++tx) {
      const double wx = (tx + 0.5) / fit.scale, wy = (ty + 0.5) / fit.scale;
      for (std::size_t i = 0; i < count; ++i) {
        const track::TrackPoint& a = points[i];
        const track::TrackPoint& b = points[(i + 1) % count];
        double along = 0;
        const double d2 = distanceSquared(wx, wy, a, b, &along);
        // At least a pixel wide, so a narrow road still shows in a small picture.
        const double half = std::max((a.width + (b.width - a.width) * along) / 2, 0.75 / fit.scale);
        if (d2 <= half * half) {
          thumbnail.setPixel(tx, ty, kRoad);
          break;
        }
      }
    }
  }
  // The finish line (the path's last point) as a light mark.
  const track::TrackPoint& finish = points.back();
  const int fx = static_cast<int>(finish.x * fit.scale),
            fy = static_cast<int>(finish.y * fit.scale);
  for (int y = fy - 1; y <= fy + 1; ++y) {
    for (int x = fx - 1; x <= fx + 1; ++x) {
      if (x >= 0 && y >= 0 && x < fit.width && y < fit.height) thumbnail.setPixel(x, y, kFinish);
    }
  }
  return thumbnail;
}

}  // namespace

TrackFacts factsOf(const track::TrackData& track) {
  TrackFacts facts;
  const std::size_t count = track.points.size();
  for (std::size_t i = 0; count > 1 && i < count; ++i) {
    const track::TrackPoint& a = track.points[i];
    const track::TrackPoint& b = track.points[(i + 1) % count];
    facts.lengthMetres += std::hypot(b.x - a.x, b.y - a.y) / kWorldUnitsPerMetre;
  }
  facts.gridPlaces = static_cast<int>(track.positionCount());
  return facts;
}

platform::Bitmap trackThumbnail(const track::TrackData& track, const platform::Bitmap* background,
                                int width, int height) {
  if (background != nullptr && background->width() > 0 && background->height() > 0) {
    return scaledDown(*background,
                      fitInto(background->width(), background->height(), width, height));
  }
  if (track.points.size() < 2) return {};
  // The world reaches as far as the road does, with the same margin on the top and left.
  double right = 0, bottom = 0;
  for (const track::TrackPoint& p : track.points) {
    right = std::max(right, p.x + p.width);
    bottom = std::max(bottom, p.y + p.width);
  }
  return outline(track, fitInto(right, bottom, width, height));
}

}  // namespace app
