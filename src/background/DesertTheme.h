#pragma once
#include <cstdint>

#include "background/Theme.h"
#include "background/ThemeKit.h"

namespace background {

// Sand and rock: dunes in long shaded waves, red rock outcrops, dry scrub and stones, a pale road.
class DesertTheme : public Theme {
 public:
  std::string name() const override { return "desert"; }
  void addZones(track::SurfaceMap& map, const track::TrackData& track) override;
  void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
             platform::Bitmap& picture) override;
  void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                    std::vector<SceneryItem>& placed) override;
  std::int32_t surfaceOf(std::int32_t zone) const override;

 private:
  std::uint32_t seed_ = 0;
  themekit::NoiseField outcrop_;  // rock where it rises high
  themekit::NoiseField bend_;     // how the dunes' waves wander
};

}  // namespace background
