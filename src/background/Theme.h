#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "track/SurfaceMap.h"
#include "track/TrackData.h"

namespace background {

// Something the scenery stage placed: the picture pixel it stands on and its size in pixels.
struct SceneryItem {
  int x = 0;
  int y = 0;
  int size = 0;
};

// A landscape for the background painter: what it paints the ground, the road's sides and the
// scenery with. The stages stay the same for every theme; a theme object serves one generation
// and may keep what its earlier stages worked out for the later ones.
class Theme {
 public:
  virtual ~Theme() = default;

  // The name a track file gives in its <theme> element.
  virtual std::string name() const = 0;

  // Stage 3, after the run-off and the open ground are marked: the theme's own zones (water,
  // verges, rock). `map` is the working map (cell 0.5 world units).
  virtual void addZones(track::SurfaceMap& map, const track::TrackData& track);
  // Stage 6: every pixel of `picture` from the 2 × 2 map cells under it, shaded by `clouds`.
  virtual void paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                     platform::Bitmap& picture) = 0;
  // Stage 7: trees, rocks, piers...; nothing is placed where it would cover the road. Appends
  // every item placed to `placed`.
  virtual void plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                            std::vector<SceneryItem>& placed) = 0;

  // The ground a car feels on a zone off the road: SurfaceMap::kGrass, kSand, kSnow, kGravel
  // or kWater.
  virtual std::int32_t surfaceOf(std::int32_t zone) const = 0;
};

// The theme of that name, or none for a name no theme has.
std::unique_ptr<Theme> makeTheme(const std::string& name);

// Every theme's name, the default ("meadow") first.
const std::vector<std::string>& themeNames();

// The theme a track asks for: the meadow when it names none. A name no theme has also gives the
// meadow, and `warning` (if given) then receives a sentence saying so.
std::unique_ptr<Theme> themeOf(const track::TrackData& track, std::string* warning = nullptr);

}  // namespace background
