#include "race/RaceControls.h"

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "physics/Car.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "race/Camera.h"

namespace race {

RaceControls::RaceControls(const platform::Input& input, int restFrames)
    : input_(input),
      pauseKey_(restFrames),
      followKeys_(restFrames),
      instrumentsKey_(restFrames),
      backOnTrackKey_(restFrames),
      zoomKeys_(restFrames),
      minimapKey_(restFrames) {}

void RaceControls::reset(const drivers::Controls& keys) {
  keys_ = keys;
  for (KeyCooldown* key :
       {&pauseKey_, &followKeys_, &instrumentsKey_, &backOnTrackKey_, &zoomKeys_, &minimapKey_})
    key->reset();
  const config::Options& options = *config::Options::instance();
  zoomInButton_ = options.getKeysInt(config::key::zoomIn);
  zoomOutButton_ = options.getKeysInt(config::key::zoomOut);
  minimapButton_ = options.getKeysInt(config::key::toggleMinimap);
}

const char* RaceControls::viewKeyUse(int id) {
  const config::Options& options = *config::Options::instance();
  if (id == options.getKeysInt(config::key::zoomIn) || id == platform::button::kKeypadPlus)
    return "zooms the view in";
  if (id == options.getKeysInt(config::key::zoomOut) || id == platform::button::kKeypadMinus)
    return "zooms the view out";
  if (id == options.getKeysInt(config::key::toggleMinimap)) return "shows or hides the minimap";
  return nullptr;
}

bool RaceControls::backOnTrackPressed() {
  return backOnTrackKey_.poll(keys_.held(input_, drivers::Action::BackOnTrack));
}

ZoomStep RaceControls::zoomKeys() {
  const bool in = input_.down(zoomInButton_) || input_.down(platform::button::kKeypadPlus);
  const bool out = input_.down(zoomOutButton_) || input_.down(platform::button::kKeypadMinus);
  if (!zoomKeys_.poll(in || out)) return ZoomStep::None;
  return in ? ZoomStep::In : ZoomStep::Out;
}

bool RaceControls::minimapPressed() {
  return minimapKey_.poll(input_.down(minimapButton_));
}

bool RaceControls::pausePressed() {
  return pauseKey_.poll(input_.down(platform::button::kEscape));
}

std::optional<int> RaceControls::followKeys(int followedCar, int carCount) {
  const bool next = keys_.held(input_, drivers::Action::FollowNext);
  const bool previous = keys_.held(input_, drivers::Action::FollowPrevious);
  if (!followKeys_.poll(next || previous)) return std::nullopt;
  return next ? (followedCar + 1) % carCount : (followedCar + carCount - 1) % carCount;
}

bool RaceControls::instrumentsPressed() {
  return instrumentsKey_.poll(input_.down(platform::button::kBackspace));
}

std::optional<int> RaceControls::clickedCar(const std::vector<physics::Car*>& cars,
                                            const Camera& camera) const {
  if (!input_.down(platform::button::kMouseLeft)) return std::nullopt;
  const double mx = input_.mouseX(), my = input_.mouseY();
  for (std::size_t b = 0; b < cars.size(); ++b) {
    const physics::Car& c = *cars[b];
    const double dx = mx - camera.screenX(c.getX()), dy = my - camera.screenY(c.getY());
    const double reach = c.getLength() * camera.zoom();
    if (dx * dx + dy * dy < reach * reach) return static_cast<int>(b);
  }
  return std::nullopt;
}

}  // namespace race
