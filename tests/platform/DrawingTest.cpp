#include <gtest/gtest.h>

#include "HeadlessWindow.h"
#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

using platform::Bitmap;
using platform::Color;
using platform::DrawCall;
using platform::Graphics;
using platform::Image;
using platformtest::HeadlessWindow;

namespace {

constexpr Color kRed = 0xffff0000u;
constexpr Color kGreen = 0xff00ff00u;
constexpr Color kBlue = 0xff0000ffu;

}  // namespace

TEST(DrawQueue, WithoutBackendQueuesThenDiscardsAtFlush) {
  Graphics graphics(800, 600);
  Image image(graphics, Bitmap(4, 4, kRed), false);
  image.draw(1, 2, 3);
  image.drawRot(10, 20, 5, 90);
  ASSERT_EQ(graphics.queued().size(), 2u);
  EXPECT_FALSE(graphics.queued()[0].rotated);
  EXPECT_TRUE(graphics.queued()[1].rotated);
  EXPECT_DOUBLE_EQ(graphics.queued()[1].angle, 90);
  graphics.flush();
  EXPECT_TRUE(graphics.queued().empty());
}

TEST(DrawQueue, HigherZIsDrawnOnTopWhateverTheCallOrder) {
  HeadlessWindow window;
  Image red(window.graphics(), Bitmap(8, 8, kRed), false);
  Image blue(window.graphics(), Bitmap(8, 8, kBlue), false);
  window.onDraw = [&] {
    red.draw(0, 0, 2);
    blue.draw(0, 0, 1);  // called later, but lower
    blue.draw(20, 0, 1);
    red.draw(20, 0, 0.5);
  };
  window.tick();
  EXPECT_EQ(window.pixel(4, 4), kRed);
  EXPECT_EQ(window.pixel(24, 4), kBlue);
}

TEST(DrawQueue, EqualZKeepsCallOrder) {
  HeadlessWindow window;
  Image red(window.graphics(), Bitmap(8, 8, kRed), false);
  Image green(window.graphics(), Bitmap(8, 8, kGreen), false);
  Image blue(window.graphics(), Bitmap(8, 8, kBlue), false);
  // Many equal-z calls, so an unstable sort would very likely reorder some.
  window.onDraw = [&] {
    for (int i = 0; i < 40; ++i) {
      const Image& first = i % 2 == 0 ? red : green;
      const Image& second = i % 2 == 0 ? blue : red;
      first.draw((i % 8) * 8, (i / 8) * 8, 1);
      second.draw((i % 8) * 8, (i / 8) * 8, 1);
    }
  };
  window.tick();
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(window.pixel((i % 8) * 8 + 4, (i / 8) * 8 + 4), i % 2 == 0 ? kBlue : kRed) << i;
  }
}

TEST(ImageDrawing, ScaleTintFadeAndMirror) {
  HeadlessWindow window;
  Bitmap bitmap(4, 4, platform::kWhite);
  Image white(window.graphics(), bitmap, false);
  window.onDraw = [&] {
    white.draw(0, 0, 0, 3, 2);                // 12 × 8 at the origin
    white.draw(20, 0, 0, 1, 1, 0xff00ff00u);  // tinted green
    white.draw(30, 0, 0, 1, 1, 0x80ffffffu);  // half faded over black
    white.draw(50, 10, 0, -2, 1);             // mirrored: spans 42..50
  };
  window.tick();
  EXPECT_EQ(window.pixel(11, 7), platform::kWhite);
  EXPECT_EQ(window.pixel(12, 7), platform::kBlack);
  EXPECT_EQ(window.pixel(11, 8), platform::kBlack);
  EXPECT_EQ(window.pixel(21, 1), kGreen);
  const Color faded = window.pixel(31, 1);
  EXPECT_NEAR(platform::redOf(faded), 128, 3);
  EXPECT_EQ(window.pixel(43, 11), platform::kWhite);
  EXPECT_EQ(window.pixel(49, 11), platform::kWhite);
  EXPECT_EQ(window.pixel(51, 11), platform::kBlack);
}

TEST(ImageDrawing, RotationIsClockwiseAroundTheRelativeCentre) {
  HeadlessWindow window;
  // A 20 × 4 bar pointing right from its left-middle point.
  Image bar(window.graphics(), Bitmap(20, 4, kRed), false);
  window.onDraw = [&] { bar.drawRot(30, 10, 0, 90, 0.0, 0.5); };
  window.tick();
  // Turned a quarter clockwise, it now points down from (30, 10).
  EXPECT_EQ(window.pixel(30, 25), kRed);
  EXPECT_EQ(window.pixel(45, 10), platform::kBlack);
  EXPECT_EQ(window.pixel(30, 5), platform::kBlack);
}

TEST(ImageDrawing, HardBorderTilesMeetWithoutGapsAtFractionalPositions) {
  HeadlessWindow window;
  Image tile(window.graphics(), Bitmap(10, 10, kRed), true);
  window.onDraw = [&] {
    for (int i = 0; i < 5; ++i) tile.draw(0.4 + i * 10.0, 0.4, 0);
  };
  window.tick();
  for (int x = 1; x < 50; ++x) EXPECT_EQ(window.pixel(x, 5), kRed) << x;
}

TEST(ImageDrawing, ReplacedPixelsShowInTheNextFrameAtSameAndNewSize) {
  HeadlessWindow window;
  Image image(window.graphics(), Bitmap(8, 8, kRed), true);
  window.onDraw = [&] { image.draw(0, 0, 0); };
  window.tick();
  EXPECT_EQ(window.pixel(2, 2), kRed);
  image.replacePixels(Bitmap(8, 8, kBlue));
  window.tick();
  EXPECT_EQ(window.pixel(2, 2), kBlue);
  image.replacePixels(Bitmap(16, 4, kGreen));
  window.tick();
  EXPECT_EQ(image.width(), 16);
  EXPECT_EQ(window.pixel(14, 2), kGreen);
  EXPECT_EQ(window.pixel(2, 6), platform::kBlack);
}

TEST(ImageDrawing, ImagesMayOutliveTheWindow) {
  // Caches are sometimes torn down after the window: the picture must not touch a dead renderer.
  std::unique_ptr<Image> survivor;
  {
    HeadlessWindow window;
    survivor = std::make_unique<Image>(window.graphics(), Bitmap(4, 4, kRed), false);
    window.onDraw = [&] { survivor->draw(0, 0, 0); };
    window.tick();
    ASSERT_NE(survivor->texture(), nullptr);
  }
  survivor.reset();
  SUCCEED();
}

TEST(ImageDrawing, PictureFreedAfterItWasDrawnIsLeftOutOfThatFrame) {
  // A menu click handled in the frame that drew a widget may free the widget's own picture
  // (the race setup's track thumbnail) before the frame is flushed.
  HeadlessWindow window;
  Image below(window.graphics(), Bitmap(8, 8, kGreen), false);
  auto freed = std::make_unique<Image>(window.graphics(), Bitmap(8, 8, kRed), false);
  window.onDraw = [&] {
    below.draw(0, 0, 0);
    if (freed) freed->draw(0, 0, 1);
    freed.reset();
  };
  window.tick();
  EXPECT_EQ(window.pixel(4, 4), kGreen);
  window.tick();
  EXPECT_EQ(window.pixel(4, 4), kGreen);
}

TEST(ShapeDrawing, TrianglesFillTheirAreaInTheirLayerAndLeaveTheRest) {
  HeadlessWindow window;
  Image blue(window.graphics(), Bitmap(64, 48, kBlue), false);
  window.onDraw = [&] {
    // A red square of two triangles over the blue picture, a stray vertex left out.
    window.graphics().drawTriangles({{10, 10, kRed},
                                     {30, 10, kRed},
                                     {30, 30, kRed},
                                     {10, 10, kRed},
                                     {30, 30, kRed},
                                     {10, 30, kRed},
                                     {50, 40, kGreen}},
                                    2);
    blue.draw(0, 0, 1);
  };
  window.tick();
  EXPECT_EQ(window.pixel(20, 20), kRed);
  EXPECT_EQ(window.pixel(12, 28), kRed);
  EXPECT_EQ(window.pixel(35, 20), kBlue);
  EXPECT_EQ(window.pixel(50, 40), kBlue);
}
