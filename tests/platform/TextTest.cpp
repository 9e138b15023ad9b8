#include <gtest/gtest.h>

#include "platform/Text.h"

using platform::narrow;
using platform::widen;

TEST(Text, RoundTripOfOneToFourByteCharacters) {
  const std::string utf8 = "Kelvane \xC3\xA9t\xC3\xA9 \xE2\x82\xAC 5 \xF0\x9D\x84\x9E!";  // été € 𝄞
  const std::wstring wide = widen(utf8);
  EXPECT_EQ(wide, std::wstring(L"Kelvane \u00e9t\u00e9 \u20ac 5 \U0001D11E!"));
  EXPECT_EQ(narrow(wide), utf8);
  EXPECT_EQ(widen(""), L"");
  EXPECT_EQ(narrow(L""), "");
}

TEST(Text, BrokenInputBecomesReplacementCharactersNotGarbage) {
  EXPECT_EQ(widen("a\xFF"
                  "b"),
            L"a\ufffd"
            L"b");
  EXPECT_EQ(widen("\xC3"), L"\ufffd");          // cut short at the end
  EXPECT_EQ(widen("\xC3(x"), L"\ufffd(x");      // cut short by a plain byte
  EXPECT_EQ(widen("\xC0\xAF"), L"\ufffd");      // overlong '/'
  EXPECT_EQ(widen("\xED\xA0\x80"), L"\ufffd");  // a UTF-16 surrogate
  EXPECT_EQ(narrow(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}
