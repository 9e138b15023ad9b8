#pragma once
#include <string_view>

namespace track {

// A number read from a track file's text the way C's atof reads it: leading white space is
// skipped, the longest decimal prefix (sign, digits, optional point, optional exponent) is taken,
// anything after it is ignored, and text without such a prefix gives 0. The decimal separator is
// always the point, whatever the process locale.
struct DecimalText {
  double value = 0.0;
  // False for text that atof would turn into a non-finite number ("nan", "inf", "1e999"): the
  // track loader refuses such files rather than let them reach the geometry.
  bool finite = true;
};

DecimalText parseDecimalText(std::string_view text);

}  // namespace track
