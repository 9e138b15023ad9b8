#pragma once
#include <functional>

#include "platform/Window.h"

namespace platformtest {

// A small offscreen window whose draw() runs a scripted function and which keeps every frame,
// so tests can look at the pixels the real renderer produced.
class HeadlessWindow : public platform::Window {
 public:
  explicit HeadlessWindow(int width = 64, int height = 48)
      : HeadlessWindow(prepare(), width, height) {
    setKeepLastFrame(true);
  }
  std::function<void()> onUpdate;
  std::function<void()> onDraw;
  void update() override {
    if (onUpdate) onUpdate();
  }
  void draw() override {
    if (onDraw) onDraw();
  }
  platform::Color pixel(int x, int y) const { return lastFrame().getPixel(x, y) | 0xff000000u; }

 private:
  // Runs before the base constructor, which reads the launch settings.
  static int prepare() {
    platform::launchSettings() = platform::LaunchSettings{};
    platform::launchSettings().headless = true;
    return 0;
  }
  HeadlessWindow(int, int width, int height) : Window(width, height, false, 16.666666) {}
};

}  // namespace platformtest
