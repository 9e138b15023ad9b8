#include "race/RaceControls.h"

#include "physics/Car.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "race/Camera.h"

namespace race {

RaceControls::RaceControls(const platform::Input& input, int restFrames)
    : input_(input), pauseKey_(restFrames), followKeys_(restFrames), instrumentsKey_(restFrames) {}

void RaceControls::reset() {
  pauseKey_.reset();
  followKeys_.reset();
  instrumentsKey_.reset();
}

bool RaceControls::pausePressed() {
  return pauseKey_.poll(input_.down(platform::button::kEscape));
}

std::optional<int> RaceControls::followKeys(int followedCar, int carCount) {
  const bool pageUp = input_.down(platform::button::kPageUp);
  const bool pageDown = input_.down(platform::button::kPageDown);
  if (!followKeys_.poll(pageUp || pageDown)) return std::nullopt;
  return pageUp ? (followedCar + 1) % carCount : (followedCar + carCount - 1) % carCount;
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
    const double dx = mx - (c.getX() + camera.x()), dy = my - (c.getY() + camera.y());
    if (dx * dx + dy * dy < c.getLength() * c.getLength()) return static_cast<int>(b);
  }
  return std::nullopt;
}

}  // namespace race
