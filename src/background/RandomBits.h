#pragma once
#include <cstdint>

namespace background {

// Small random numbers for the painting loops, which need tens of millions of them. Each stream
// is fixed by a key (drawn once from the game's random source, then combined with a cell's or a
// piece of scenery's place), so a fixed seed still reproduces the picture, and a cell's numbers
// do not depend on which thread paints it or in what order. The words come from a counter run
// through an integer hash: far cheaper than a Mersenne twister draw, and just as even for this.
class RandomBits {
 public:
  explicit RandomBits(std::uint32_t key) : key_(key) {}

  // The key of stream number `index` under `seed` (a picture row, a piece of scenery): streams
  // of neighbouring numbers are unrelated.
  static std::uint32_t keyOf(std::uint32_t seed, std::uint32_t index) {
    return mix(seed ^ mix(index + 0x7f4a7c15u));
  }
  // The key of the stream of a cell in `column` of the row whose key is `rowKey`: one addition
  // per cell. Its words never meet a neighbour's: the step between columns and the step
  // between one stream's words differ by a multiple far beyond any row's length.
  static std::uint32_t keyOfColumn(std::uint32_t rowKey, std::uint32_t column) {
    return rowKey + column * kColumnStep;
  }

  // A uniform value 0..2^count − 1; count 1..32.
  std::uint32_t bits(int count) {
    if (left_ < count) {
      pool_ = mix(key_ + counter_++ * kWordStep);
      left_ = 32;
    }
    const std::uint32_t value =
        count == 32 ? pool_ : pool_ & ((std::uint32_t{1} << count) - std::uint32_t{1});
    pool_ = count == 32 ? 0 : pool_ >> count;
    left_ -= count;
    return value;
  }
  // A uniform value 0..255.
  int byte() { return static_cast<int>(bits(8)); }
  // A uniform value 0..n − 1 from 15 bits (scaled, not divided: the painting loops call this
  // for every cell), n 1..a few hundred.
  int below(int n) { return static_cast<int>((bits(15) * static_cast<std::uint32_t>(n)) >> 15); }

  // A 32-bit integer hash (every bit of the input reaches every bit of the output).
  static std::uint32_t mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
  }

 private:
  static constexpr std::uint32_t kColumnStep = 0x632be5abu;
  static constexpr std::uint32_t kWordStep = 0x9e3779b9u;

  std::uint32_t key_;
  std::uint32_t counter_ = 0;
  std::uint32_t pool_ = 0;
  int left_ = 0;
};

}  // namespace background
