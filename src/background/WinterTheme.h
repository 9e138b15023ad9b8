#pragma once
#include <cstdint>

#include "background/Theme.h"

namespace background {

// Snow: soft blue-shaded snowfields, packed-snow verges along the road, grit in the bends, and
// snow-dusted conifers casting long shadows in a low sun.
class WinterTheme : public Theme {
 public:
  std::string name() const override { return "winter"; }
  void addZones(track::SurfaceMap& map, const track::TrackData& track) override;
  void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
             platform::Bitmap& picture) override;
  void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                    std::vector<SceneryItem>& placed) override;
  std::int32_t surfaceOf(std::int32_t zone) const override;

 private:
  std::uint32_t seed_ = 0;
};

}  // namespace background
