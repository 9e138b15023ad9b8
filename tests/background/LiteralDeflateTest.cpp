#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "background/LiteralDeflate.h"

namespace {

// Raw deflate decoded by zlib; empty when zlib refuses it or the stream does not end.
std::vector<unsigned char> inflated(const std::vector<unsigned char>& stream, std::size_t size) {
  std::vector<unsigned char> out(size + 1);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return {};
  z.next_in = const_cast<unsigned char*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  out.resize(out.size() - z.avail_out);
  inflateEnd(&z);
  return result == Z_STREAM_END ? out : std::vector<unsigned char>{};
}

// Blocks compressed apart and joined make one stream that zlib reads back byte for byte: bytes
// so skewed that the best code would be deeper than deflate allows, an empty block, and noise.
TEST(LiteralDeflate, BlocksJoinIntoOneStreamThatZlibReadsBack) {
  std::vector<unsigned char> skewed;
  for (int value = 0, a = 1, b = 1; value < 24; ++value, b += a, a = b - a) {
    skewed.insert(skewed.end(), static_cast<std::size_t>(a), static_cast<unsigned char>(value));
  }
  std::vector<unsigned char> noise(100000);
  std::mt19937 random(5);
  for (unsigned char& byte : noise) byte = static_cast<unsigned char>(random());

  std::vector<unsigned char> stream;
  std::vector<unsigned char> expected;
  std::vector<unsigned char> none;
  for (const std::vector<unsigned char>* block : {&skewed, &none, &noise}) {
    const std::size_t at = stream.size();
    stream.resize(at + background::literalBlockBound(block->size()));
    const std::size_t written = background::deflateLiterals(block->data(), block->size(),
                                                            block == &noise, stream.data() + at);
    stream.resize(at + written);
    expected.insert(expected.end(), block->begin(), block->end());
  }
  EXPECT_EQ(inflated(stream, expected.size()), expected);
  EXPECT_LT(stream.size(), expected.size());
}

}  // namespace
