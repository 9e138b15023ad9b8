#pragma once
#include <cstdint>
#include <vector>

#include "background/PaintLoop.h"
#include "background/Theme.h"

namespace background {

// A quarry pit: the road runs on its gravel floor; away from it the ground climbs in benches,
// each ending in a rock face of coloured strata; autumn trees in orange and brown stand on the
// benches, boulders lie about.
class QuarryTheme : public Theme {
 public:
  std::string name() const override { return "quarry"; }
  void addZones(track::SurfaceMap& map, const track::TrackData& track) override;
  void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
             platform::Bitmap& picture) override;
  void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                    std::vector<SceneryItem>& placed) override;
  std::int32_t surfaceOf(std::int32_t zone) const override;

 private:
  // How far up the benches a pixel lies: whole benches and the share of the current one.
  float height(int x, int y) const;
  // The stratum a rock face shows at a pixel, and how it is lit.
  struct Face {
    painting::Colour stone;
    float light = 1;
  };
  Face faceAt(int x, int y, int heightPixels) const;

  std::uint32_t seed_ = 0;
  int width_ = 0;
  std::vector<float> heights_;  // per pixel: see height()
};

}  // namespace background
