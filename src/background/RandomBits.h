#pragma once
#include <cstdint>

#include "platform/Random.h"

namespace background {

// Small random numbers for the painting loops, which need tens of millions of them. Each draw of
// the game's one random source (platform::randInt, 31 bits) is cut into several smaller draws,
// so a fixed seed still reproduces the picture and the numbers stay uniform.
class RandomBits {
 public:
  // A uniform value 0..2^bits − 1; bits 1..31.
  std::uint32_t bits(int count) {
    if (left_ < count) {
      pool_ = static_cast<std::uint32_t>(platform::randInt());
      left_ = 31;
    }
    const std::uint32_t value = pool_ & ((1u << count) - 1u);
    pool_ >>= count;
    left_ -= count;
    return value;
  }
  // Like the C library's rand() % 256.
  int byte() { return static_cast<int>(bits(8)); }
  // Like rand() % n of a 15-bit rand(): 0..n − 1, n up to a few hundred.
  int below(int n) { return static_cast<int>(bits(15)) % n; }

 private:
  std::uint32_t pool_ = 0;
  int left_ = 0;
};

}  // namespace background
