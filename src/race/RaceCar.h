#pragma once
#include <memory>
#include <string>

#include "platform/Color.h"

namespace physics {
class Car;
}

namespace platform {
class Image;
}

namespace race {

// One car of the race with what is drawn of it.
struct RaceCar {
  std::unique_ptr<platform::Image> image;  // drawn unscaled, tinted with `color`
  platform::Color color = platform::kWhite;
  std::wstring name;
  std::unique_ptr<physics::Car> car;
};

}  // namespace race
