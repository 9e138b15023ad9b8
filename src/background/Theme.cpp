#include "background/Theme.h"

#include "background/CoastTheme.h"
#include "background/DesertTheme.h"
#include "background/MeadowTheme.h"
#include "background/QuarryTheme.h"
#include "background/WinterTheme.h"

namespace background {

void Theme::addZones(track::SurfaceMap&, const track::TrackData&) {}

std::unique_ptr<Theme> makeTheme(const std::string& name) {
  if (name == "meadow") return std::make_unique<MeadowTheme>();
  if (name == "desert") return std::make_unique<DesertTheme>();
  if (name == "winter") return std::make_unique<WinterTheme>();
  if (name == "coast") return std::make_unique<CoastTheme>();
  if (name == "quarry") return std::make_unique<QuarryTheme>();
  return nullptr;
}

const std::vector<std::string>& themeNames() {
  static const std::vector<std::string> names = {"meadow", "desert", "winter", "coast", "quarry"};
  return names;
}

std::unique_ptr<Theme> themeOf(const track::TrackData& track, std::string* warning) {
  if (track.theme.empty()) return makeTheme(themeNames().front());
  std::unique_ptr<Theme> theme = makeTheme(track.theme);
  if (theme) return theme;
  if (warning) {
    std::string known;
    for (const std::string& name : themeNames()) known += (known.empty() ? "" : ", ") + name;
    *warning = "The track \"" + track.title + "\" asks for the theme \"" + track.theme +
               "\", which the painter does not know (it knows " + known +
               "); it paints the meadow instead.";
  }
  return makeTheme(themeNames().front());
}

}  // namespace background
