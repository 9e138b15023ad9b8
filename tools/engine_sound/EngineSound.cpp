// Synthesises the race's engine sample: a four-cylinder engine held at a steady high revs, as a
// 16-bit mono PCM WAV at 44.1 kHz. The race replays it again and again, so every periodic part
// fits a whole number of times into the sample and the noise is cross-faded over the seam: the
// last sample runs smoothly into the first.
//
// Usage: kelvane_engine_sound [output.wav]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kFiringPeriod = 450;                 // samples: 98 firings per second
constexpr int kPatternPeriod = 4 * kFiringPeriod;  // the four cylinders differ slightly
constexpr int kWobblePeriod = 6300;                // a 7 Hz swell, like an engine under load
constexpr int kLength = 63000;                     // 1.43 s: 140 firings, 35 patterns, 10 swells
constexpr int kSeam = 2000;                        // noise cross-fade over the loop point
constexpr double kTwoPi = 2 * std::numbers::pi;    // full precision: a sound, not a race

static_assert(kLength % kPatternPeriod == 0 && kLength % kWobblePeriod == 0);

// One cylinder's bang: a resonant ping that dies away within its firing period, so the pulse
// train is periodic by construction.
double firingPulse(int sampleInPeriod, double strength) {
  const double t = static_cast<double>(sampleInPeriod) / kRate;
  const double decay = std::exp(-t * 380.0);
  return strength * decay * (std::sin(kTwoPi * 310.0 * t) + 0.45 * std::sin(kTwoPi * 620.0 * t));
}

// Low-passed noise for the intake and exhaust hiss; `count` samples.
std::vector<double> hiss(int count) {
  std::mt19937 generator(20261207u);
  std::normal_distribution<double> white(0.0, 1.0);
  std::vector<double> noise(static_cast<std::size_t>(count));
  double smooth = 0.0;
  for (double& value : noise) {
    smooth += 0.18 * (white(generator) - smooth);
    value = smooth;
  }
  return noise;
}

std::vector<double> synthesise() {
  const double cylinderStrength[4] = {1.0, 0.86, 0.94, 0.81};
  const std::vector<double> noise = hiss(kLength + kSeam);
  std::vector<double> wave(static_cast<std::size_t>(kLength));
  for (int i = 0; i < kLength; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double firing = kRate / static_cast<double>(kFiringPeriod);
    // The firing frequency and its harmonics: the engine's hum.
    double hum = 0.0;
    const double harmonics[6] = {1.0, 0.55, 0.42, 0.22, 0.15, 0.08};
    for (int h = 0; h < 6; ++h) hum += harmonics[h] * std::sin(kTwoPi * firing * (h + 1) * t);
    // Half the firing frequency (one crank turn in two) gives the uneven, throaty beat.
    hum += 0.35 * std::sin(kTwoPi * firing * 0.5 * t);
    const int cylinder = (i % kPatternPeriod) / kFiringPeriod;
    const double bang = firingPulse(i % kFiringPeriod, cylinderStrength[cylinder]);
    // Noise after the seam is blended with the noise that would follow the end, so the loop
    // point carries on where the end leaves off.
    double n = noise[static_cast<std::size_t>(i)];
    if (i < kSeam) {
      const double a = static_cast<double>(i) / kSeam;
      n = a * n + (1.0 - a) * noise[static_cast<std::size_t>(kLength + i)];
    }
    const double swell = 1.0 + 0.12 * std::sin(kTwoPi * i / kWobblePeriod);
    wave[static_cast<std::size_t>(i)] = swell * (0.55 * hum + 0.9 * bang) + 0.16 * n;
  }
  double peak = 0.0;
  for (double v : wave) peak = std::max(peak, std::fabs(v));
  for (double& v : wave) v *= 0.8 / peak;
  return wave;
}

void put16(std::ofstream& out, std::uint16_t v) {
  const char bytes[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
  out.write(bytes, 2);
}
void put32(std::ofstream& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xffff));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const std::string& path, const std::vector<double>& wave) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const auto dataBytes = static_cast<std::uint32_t>(wave.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, kRate);
  put32(out, kRate * 2);
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, dataBytes);
  for (double v : wave) {
    const long s = std::lround(v * 32767.0);
    put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : KELVANE_ENGINE_DEFAULT_PATH;
  const std::vector<double> wave = synthesise();
  if (!writeWav(path, wave)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("wrote %s (%zu samples, %.2f s)\n", path.c_str(), wave.size(),
              static_cast<double>(wave.size()) / kRate);
  return 0;
}
