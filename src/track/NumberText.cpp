#include "track/NumberText.h"

#include <cctype>
#include <charconv>
#include <cstddef>
#include <string>

namespace track {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool startsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return true;
}

}  // namespace

DecimalText parseDecimalText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  const std::size_t start = i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // atof would give these non-finite values; they are reported instead of read as 0.
  const std::string_view rest = text.substr(i);
  if (startsWithNoCase(rest, "nan") || startsWithNoCase(rest, "inf")) return {0.0, false};

  std::size_t mantissaDigits = 0;
  std::size_t leadingZeros = 0;  // zeros before the first significant integer digit
  std::size_t integerDigits = 0;
  bool significantSeen = false;
  while (i < text.size() && isDigit(text[i])) {
    if (text[i] != '0') significantSeen = true;
    if (!significantSeen) ++leadingZeros;
    ++integerDigits;
    ++mantissaDigits;
    ++i;
  }
  std::size_t fractionZerosBeforeSignificant = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      if (text[i] != '0') significantSeen = true;
      if (!significantSeen) ++fractionZerosBeforeSignificant;
      ++mantissaDigits;
      ++i;
    }
  }
  if (mantissaDigits == 0) return {0.0, true};

  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) {
        // Saturate: beyond this every exponent over- or underflows anyway.
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }

  const std::string_view number = text.substr(start, i - start);
  double value = 0.0;
  const char* first = number.data();
  if (*first == '+') ++first;  // from_chars takes a minus sign only
  const auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (!significantSeen) return {negative ? -0.0 : 0.0, true};
    // The decimal position of the first significant digit tells overflow from underflow.
    const long long magnitude =
        static_cast<long long>(integerDigits - leadingZeros) -
        static_cast<long long>(integerDigits == leadingZeros ? fractionZerosBeforeSignificant : 0) +
        exponent;
    if (magnitude > 0) return {0.0, false};
    return {negative ? -0.0 : 0.0, true};
  }
  if (result.ec != std::errc()) return {0.0, true};
  return {value, true};
}

}  // namespace track
