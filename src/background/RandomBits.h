#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/Random.h"

namespace background {

// Small random numbers for the painting loops, which need tens of millions of them. Each draw of
// the game's one random source (platform::randInt, 31 bits) is cut into several smaller draws,
// so a fixed seed still reproduces the picture and the numbers stay uniform.
class RandomBits {
 public:
  RandomBits() = default;
  // Takes its words from `words` (values of platform::randInt drawn beforehand) instead, and
  // starts where a fresh RandomBits would stand after `earlierDraws` calls of below(): each
  // word serves two such calls. Lets rows of a picture be painted in any order with the numbers
  // a painting from the first row on would give them.
  RandomBits(const std::uint32_t* words, std::size_t earlierDraws)
      : words_(words + (earlierDraws + 1) / 2) {
    if (earlierDraws % 2 == 1) {
      pool_ = words[earlierDraws / 2] >> kBelowBits;
      left_ = 31 - kBelowBits;
    }
  }

  // A uniform value 0..2^bits − 1; bits 1..31.
  std::uint32_t bits(int count) {
    if (left_ < count) {
      pool_ = words_ ? *words_++ : static_cast<std::uint32_t>(platform::randInt());
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
  int below(int n) {
    ++belowDraws_;
    return static_cast<int>(bits(kBelowBits)) % n;
  }
  // How many times below() was called.
  std::size_t belowDraws() const { return belowDraws_; }

 private:
  static constexpr int kBelowBits = 15;

  const std::uint32_t* words_ = nullptr;
  std::uint32_t pool_ = 0;
  int left_ = 0;
  std::size_t belowDraws_ = 0;
};

}  // namespace background
