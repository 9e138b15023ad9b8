#pragma once
#include "background/Theme.h"

namespace background {

// The game's first landscape: grass, sand in the bends, bushy trees with soft shadows.
class MeadowTheme : public Theme {
 public:
  std::string name() const override { return "meadow"; }
  void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
             platform::Bitmap& picture) override;
  void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                    std::vector<SceneryItem>& placed) override;
  std::int32_t surfaceOf(std::int32_t zone) const override;
};

}  // namespace background
