#pragma once

namespace background {

// Blending rules of the painted background, on channel values 0..255 held as floats.
namespace colourrules {

// Multiplying by this instead of dividing by 255 keeps the painting loop fast; the results differ
// from a division only in the last bits of a float.
inline constexpr float kInverse255 = 1.0f / 255.0f;

// Cloud shade t below 200 takes up to 20 off g; lighter shade leaves it alone.
inline float darken(float g, float t) {
  if (t >= 200.0f) return g;
  const float result = g - (200.0f - t) * 0.1f;
  return result > 0.0f ? result : 0.0f;
}

// Soft light of base b under texture t: t = 128 roughly keeps b, darker t darkens, lighter
// lightens, and the extremes of b stay put.
inline float softLight(float b, float t) {
  const float m = b * t * kInverse255;
  return m + (255.0f - (255.0f - b) * (255.0f - t) * kInverse255 - m) * b * kInverse255;
}

// Overlay of base b with t: multiplies dark bases, screens light ones.
inline float overlay(float b, float t) {
  if (b < 128.0f) return b * t / 127.0f;
  return 255.0f - (255.0f - b) * (255.0f - t) / 127.0f;
}

}  // namespace colourrules

}  // namespace background
