#include <gtest/gtest.h>

#include "track/NumberText.h"

namespace {

TEST(NumberText, ReadsTheLongestDecimalPrefixLikeAtof) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"42", 42},        {"  \n\t-3.25", -3.25},
      {"+7", 7},         {".5", 0.5},
      {"5.", 5},         {"1e3", 1000},
      {"2.5E-2", 0.025}, {"12abc", 12},
      {"3e", 3},         {"3e+", 3},
      {"1.5.5", 1.5},    {"0x1A", 0},
      {"abc", 0},        {"", 0},
      {"-", 0},          {".", 0},
      {"- 5", 0},        {"1,5", 1},
      {"1e-400", 0},     {"000123.4500", 123.45},
  };
  for (const Case& c : cases) {
    const track::DecimalText number = track::parseDecimalText(c.text);
    EXPECT_TRUE(number.finite) << c.text;
    EXPECT_DOUBLE_EQ(number.value, c.value) << c.text;
  }
}

TEST(NumberText, ReportsWhatAtofWouldMakeNonFinite) {
  for (const char* text : {"nan", " NaN(1)", "-nan", "inf", "+INF", "infinity", "1e309",
                           "-123456789e400", "0.1e310"}) {
    EXPECT_FALSE(track::parseDecimalText(text).finite) << text;
  }
  EXPECT_TRUE(track::parseDecimalText("0e999999").finite);
  EXPECT_TRUE(track::parseDecimalText("0.0001e-400").finite);
}

}  // namespace
