#include <gtest/gtest.h>

#include "HeadlessWindow.h"
#include "platform/BidiText.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Text.h"

using platform::Font;
using platform::Graphics;

TEST(Font, TextWidthGrowsWithTheTextAndTheHeight) {
  Graphics graphics(800, 600);
  Font small(graphics, "Trebuchet MS", 14);
  Font large(graphics, "Trebuchet MS", 28);
  EXPECT_EQ(small.textWidth(L""), 0.0);
  const double one = small.textWidth(L"Lap");
  const double two = small.textWidth(L"Lap 2/5");
  EXPECT_GT(one, 0.0);
  EXPECT_GT(two, one);
  EXPECT_GT(large.textWidth(L"Lap 2/5"), 1.6 * two);
  EXPECT_DOUBLE_EQ(small.textWidth(L"Lap", 2.0), 2 * one);
  // Non-ASCII text is measured, not dropped.
  EXPECT_GT(small.textWidth(L"\u00e9\u00e9\u00e9"), 0.0);
}

TEST(Font, TitlesInOtherScriptsAreDrawnWithFontsThatHaveTheirGlyphs) {
  Graphics graphics(800, 600);
  Font font(graphics, "Trebuchet MS", 17);
  // Hebrew, Arabic, Chinese, Japanese and a chequered flag, each beside Latin letters.
  for (const std::wstring& title :
       {std::wstring(L"Ring \u05e9\u05dc\u05d5\u05dd"),
        std::wstring(L"Ring \u0633\u0644\u0627\u0645"),
        std::wstring(L"Ring \u4e2d\u6587\u8d5b\u9053"), std::wstring(L"Ring \u65e5\u672c\u8a9e"),
        std::wstring(L"Ring \U0001F3C1")}) {
    EXPECT_TRUE(font.hasGlyphs(title)) << platform::narrow(title);
    EXPECT_GT(font.textWidth(title), font.textWidth(L"Ring ")) << platform::narrow(title);
  }
}

TEST(Font, RightToLeftTextIsPutInReadingOrder) {
  // Hebrew letters alef, bet, gimel are read from the right: drawn left to right they come
  // reversed, while the Latin word and the number keep their order.
  EXPECT_EQ(platform::visualOrder(L"Lap 12 \u05d0\u05d1\u05d2"), L"Lap 12 \u05d2\u05d1\u05d0");
  EXPECT_EQ(platform::visualOrder(L"Plain title"), L"Plain title");
  // Arabic letters take their joined forms: no letter is left in its isolated form.
  const std::wstring arabic = platform::visualOrder(L"\u0633\u0644\u0627\u0645");
  EXPECT_FALSE(arabic.empty());
  for (wchar_t c : arabic) EXPECT_TRUE(c >= 0xFB50) << std::hex << static_cast<int>(c);
}

TEST(Font, MissingFamilyFallsBackButMissingFileThrowsNamingIt) {
  Graphics graphics(800, 600);
  Font standIn(graphics, "No Such Family Anywhere", 20);
  EXPECT_GT(standIn.textWidth(L"x"), 0.0);
  try {
    Font missing(graphics, "/nonexistent/Kelvane.ttf", 20);
    FAIL() << "a missing font file must throw";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent/Kelvane.ttf"), std::string::npos);
  }
  EXPECT_THROW(Font(graphics, "Trebuchet MS", 0), std::runtime_error);
}

TEST(Font, DrawnTextFitsTheLineHeightAndTakesTheColour) {
  platformtest::HeadlessWindow window(200, 60);
  Font font(window.graphics(), "Trebuchet MS", 30);
  window.onDraw = [&] { font.draw(L"HHHH", 10, 10, 1, 1, 1, 0xffff0000u); };
  window.tick();
  int top = 1000, bottom = -1, reddest = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      const auto c = window.pixel(x, y);
      if (c == platform::kBlack) continue;
      EXPECT_LE(platform::greenOf(c), 8) << x << "," << y;
      reddest = std::max(reddest, static_cast<int>(platform::redOf(c)));
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_GT(reddest, 200);
  EXPECT_GE(top, 10);
  EXPECT_LT(bottom, 40);        // inside the 30-pixel line
  EXPECT_GT(bottom - top, 12);  // capitals take a good part of it
}

TEST(Font, RepeatedTextReusesItsCachedTexture) {
  platformtest::HeadlessWindow window(100, 40);
  Font font(window.graphics(), "Trebuchet MS", 16);
  window.onDraw = [&] { font.draw(L"0:12.345", 0, 0, 0); };
  window.tick();
  window.tick();
  window.onDraw = [&] { font.draw(L"0:12.362", 0, 0, 0); };
  window.tick();
  // Still only the strings that were drawn, each once.
  EXPECT_EQ(font.cachedTexts(), 2u);
}
