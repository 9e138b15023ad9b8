#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/ZeroedAllocator.h"
#include "platform/Color.h"

namespace platform {

// A picture in memory: width × height ARGB pixels, row-major, no SDL involved.
// Works without a window, so the background generator and tests use it headless.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = 0x00000000u);

  int width() const { return width_; }
  int height() const { return height_; }

  // No bounds check: callers stay inside 0..width-1, 0..height-1.
  Color getPixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void setPixel(int x, int y, Color c) { pixels_[static_cast<std::size_t>(y) * width_ + x] = c; }

  // New size; every pixel becomes `fill`. A transparent black picture arrives zeroed from the
  // system, its pages written first by whichever thread paints them.
  void resize(int width, int height, Color fill = 0x00000000u);

  Color* data() { return pixels_.data(); }
  const Color* data() const { return pixels_.data(); }

  // Throws std::runtime_error with a message naming the file and the problem.
  static Bitmap loadPng(const std::string& path);
  // Saves a PNG with saveFile() (SafeSave.h): the old picture stays whole unless the new one is
  // completely written, and only a regular file is replaced. Throws std::runtime_error (a
  // SaveError for a failed save) naming the file and the problem.
  void savePng(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color, common::ZeroedAllocator<Color>> pixels_;
};

}  // namespace platform
