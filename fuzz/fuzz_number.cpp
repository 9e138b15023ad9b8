// The track files' number reader against the C library's strtod, which reads decimal text the
// same way (the fuzz process runs in the "C" locale). strtod also reads hexadecimal numbers,
// which track files do not have; those inputs are skipped.
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "track/NumberText.h"

namespace {

bool hexadecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  return i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const track::DecimalText number = track::parseDecimalText(text);
  // strtod stops at the first NUL; so does the comparison.
  const std::string terminated = text.substr(0, std::strlen(text.c_str()));
  if (hexadecimal(terminated)) return 0;
  const double expected = std::strtod(terminated.c_str(), nullptr);

  if (!std::isfinite(expected)) {
    fuzzfiles::require(!number.finite, "a number strtod cannot hold is reported");
    return 0;
  }
  if (terminated.size() != text.size()) return 0;  // text after a NUL may still be read by us
  fuzzfiles::require(number.finite, "a number strtod can hold is read");
  fuzzfiles::require(
      number.value == expected && std::signbit(number.value) == std::signbit(expected),
      "the number matches strtod");
  return 0;
}
