// track_montage TRACKS_FOLDER OUT.png: every track's background, painted as the build paints
// it, shrunk to a thumbnail under its title and theme, four to a row.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Canvas.h"
#include "StrokeFont.h"
#include "background/BackgroundGenerator.h"
#include "background/PngWriter.h"
#include "platform/Random.h"
#include "track/TrackLoader.h"

namespace {

constexpr int kColumns = 4;
constexpr int kThumbWidth = 300;
constexpr int kThumbHeight = 200;
constexpr int kCaption = 52;  // pixels under each thumbnail for its two lines
constexpr int kGap = 16;
constexpr std::uint32_t kSeed = 2008;  // the build's seed

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The picture shrunk to fit the box, each thumbnail pixel the mean of the pixels it covers.
platform::Bitmap shrink(const platform::Bitmap& picture, int boxWidth, int boxHeight) {
  const double scale = std::max(static_cast<double>(picture.width()) / boxWidth,
                                static_cast<double>(picture.height()) / boxHeight);
  const int width = std::max(1, static_cast<int>(picture.width() / scale));
  const int height = std::max(1, static_cast<int>(picture.height() / scale));
  platform::Bitmap thumb(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int x0 = static_cast<int>(x * scale),
                x1 = std::max(x0 + 1, static_cast<int>((x + 1) * scale));
      const int y0 = static_cast<int>(y * scale),
                y1 = std::max(y0 + 1, static_cast<int>((y + 1) * scale));
      long sum[3] = {0, 0, 0};
      long count = 0;
      for (int v = y0; v < std::min(y1, picture.height()); ++v) {
        for (int u = x0; u < std::min(x1, picture.width()); ++u) {
          const platform::Color c = picture.getPixel(u, v);
          sum[0] += platform::redOf(c);
          sum[1] += platform::greenOf(c);
          sum[2] += platform::blueOf(c);
          ++count;
        }
      }
      count = std::max(count, 1L);
      thumb.setPixel(x, y,
                     platform::argb(255, static_cast<std::uint32_t>(sum[0] / count),
                                    static_cast<std::uint32_t>(sum[1] / count),
                                    static_cast<std::uint32_t>(sum[2] / count)));
    }
  }
  return thumb;
}

void caption(skin::Canvas& canvas, const std::string& text, float x, float y, float height,
             const skin::Rgba& colour) {
  const skin::TextStyle style{height * 0.62f, height, height * 0.3f, 0.0f};
  canvas.strokeSegments(skin::layoutText(upper(text), x, y, style), height * 0.085f,
                        skin::solid(colour));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: track_montage <tracks folder> <out.png>\n";
    return 2;
  }
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    if (entry.path().extension() == ".rst") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::cerr << "no tracks in " << argv[1] << "\n";
    return 1;
  }
  const int rows = (static_cast<int>(files.size()) + kColumns - 1) / kColumns;
  const int cellWidth = kThumbWidth + kGap, cellHeight = kThumbHeight + kCaption + kGap;
  skin::Canvas canvas(kColumns * cellWidth + kGap, rows * cellHeight + kGap, skin::hex(0x1e242c));
  const std::string scratch =
      (std::filesystem::temp_directory_path() / "kelvane-montage.png").string();
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string reason;
    const std::unique_ptr<track::TrackData> track = track::importTrack(files[i].string(), &reason);
    if (!track) {
      std::cerr << files[i] << ": " << reason << "\n";
      return 1;
    }
    std::cout << "painting " << track->title << "\n" << std::flush;
    platform::setFixedSeed(kSeed);
    background::BackgroundGenerator generator;
    if (!generator.step(*track, scratch, {}, true)) {
      std::cerr << files[i] << ": " << generator.lastError() << "\n";
      return 1;
    }
    const platform::Bitmap thumb = shrink(generator.picture(), kThumbWidth, kThumbHeight);
    const int left = kGap + static_cast<int>(i % kColumns) * cellWidth;
    const int top = kGap + static_cast<int>(i / kColumns) * cellHeight;
    const int ox = left + (kThumbWidth - thumb.width()) / 2;
    const int oy = top + (kThumbHeight - thumb.height()) / 2;
    for (int y = 0; y < thumb.height(); ++y) {
      for (int x = 0; x < thumb.width(); ++x) {
        const platform::Color c = thumb.getPixel(x, y);
        canvas.set(ox + x, oy + y,
                   skin::Rgba{platform::redOf(c) / 255.0f, platform::greenOf(c) / 255.0f,
                              platform::blueOf(c) / 255.0f, 1.0f});
      }
    }
    const float textTop = static_cast<float>(top + kThumbHeight + 10);
    caption(canvas, track->title, static_cast<float>(left), textTop, 16, skin::hex(0xf2f4f6));
    caption(canvas, track->theme.empty() ? "meadow" : track->theme, static_cast<float>(left),
            textTop + 24, 11, skin::hex(0xf0a040));
  }
  std::filesystem::remove(scratch);
  background::saveOpaquePng(canvas.toBitmap(), argv[2]);
  std::cout << "wrote " << argv[2] << "\n";
  return 0;
}
