#pragma once
#include <cstddef>

namespace background {

// Writes `size` bytes to `out` as one deflate block (RFC 1951) of literals only, coded with a
// Huffman code made for these bytes, ending on a byte boundary; returns the bytes written, at
// most literalBlockBound(size). Blocks written one after the
// other, `last` set on the final one, form a raw deflate stream; so do blocks compressed apart
// (on several threads) and joined in order. A painted picture is fine-grained noise whose
// repeats are too short to pay for a search: coding its filtered bytes by their frequency alone
// gives nearly the size of zlib's fastest level at a fifth of the time. size: up to a few MB.
std::size_t deflateLiterals(const unsigned char* data, std::size_t size, bool last,
                            unsigned char* out);
// The room deflateLiterals needs for `size` bytes.
std::size_t literalBlockBound(std::size_t size);

}  // namespace background
