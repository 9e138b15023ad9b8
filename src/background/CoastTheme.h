#pragma once
#include <cstdint>
#include <vector>

#include "background/PaintLoop.h"
#include "background/Theme.h"

namespace background {

// The seaside: the open ground that reaches the picture's edge far from the road is sea, with a
// sandy beach, foam along the shore and plank piers out into the water; coastal grass and a few
// trees inland. The sea lies where the track leaves room at the picture's edge.
class CoastTheme : public Theme {
 public:
  std::string name() const override { return "coast"; }
  void addZones(track::SurfaceMap& map, const track::TrackData& track) override;
  void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
             platform::Bitmap& picture) override;
  void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                    std::vector<SceneryItem>& placed) override;
  std::int32_t surfaceOf(std::int32_t zone) const override;

 private:
  void plantPiers(const track::SurfaceMap& map, platform::Bitmap& picture,
                  std::vector<SceneryItem>& placed);
  // The sea at pixel (x, y), `out` pixels from the land: deepening away from the shore, with
  // swell and foam; before the cloud shade and the grain.
  painting::Colour waterColour(int x, int y, float out) const;

  std::uint32_t seed_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint16_t> landDistance_;   // per pixel: how far out in the water
  std::vector<std::uint16_t> waterDistance_;  // per pixel: how far from the water
};

}  // namespace background
