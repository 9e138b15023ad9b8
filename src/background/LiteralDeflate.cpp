#include "background/LiteralDeflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <queue>

namespace background {

namespace {

constexpr int kEndOfBlock = 256;
constexpr int kLiteralCodes = 257;  // every byte value and the end of block
constexpr int kDistanceCodes = 2;   // unused, but a decoder wants a complete code for them
constexpr int kMaxCodeBits = 15;
constexpr int kMaxLengthCodeBits = 7;
// The order in which a dynamic block's header lists the lengths of the code-length code.
constexpr std::array<int, 19> kLengthCodeOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                  11, 4,  12, 3, 13, 2, 14, 1, 15};

// Bits gathered least significant first, as deflate packs them, into room the caller made with
// 8 bytes to spare: whole bytes are stored a word at a time.
class BitWriter {
 public:
  explicit BitWriter(unsigned char* at) : at_(at) {}

  // Adds up to 49 bits in all between two store() calls.
  void add(std::uint64_t value, int bits) {
    pending_ |= value << count_;
    count_ += bits;
  }
  // Moves the whole bytes gathered to the output.
  void store() {
    static_assert(std::endian::native == std::endian::little,
                  "a word is stored as deflate's bytes");
    std::memcpy(at_, &pending_, sizeof pending_);
    at_ += count_ >> 3;
    pending_ >>= count_ & ~7;
    count_ &= 7;
  }
  void put(std::uint32_t value, int bits) {
    add(value, bits);
    store();
  }
  // Pads the last byte with zero bits; returns where the next byte goes.
  unsigned char* flush() {
    if (count_ > 0) put(0, 8 - count_);
    return at_;
  }

 private:
  unsigned char* at_;
  std::uint64_t pending_ = 0;
  int count_ = 0;
};

// Huffman code lengths for the symbols' counts, none longer than `maxBits`; a symbol never seen
// gets no code. Where the best code is too deep, the counts are halved (keeping every seen symbol)
// until it fits, which costs a rare, very skewed block a little size.
std::vector<int> codeLengths(std::vector<std::uint64_t> counts, int maxBits) {
  const std::size_t symbols = counts.size();
  std::vector<int> lengths(symbols, 0);
  for (;;) {
    // Nodes 0 .. symbols − 1 are the leaves; merged nodes follow, each remembering its parent.
    using Entry = std::pair<std::uint64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    std::vector<int> parent(2 * symbols, -1);
    for (std::size_t s = 0; s < symbols; ++s) {
      if (counts[s] > 0) queue.emplace(counts[s], static_cast<int>(s));
    }
    int next = static_cast<int>(symbols);
    while (queue.size() > 1) {
      const Entry a = queue.top();
      queue.pop();
      const Entry b = queue.top();
      queue.pop();
      parent[static_cast<std::size_t>(a.second)] = next;
      parent[static_cast<std::size_t>(b.second)] = next;
      queue.emplace(a.first + b.first, next++);
    }
    int deepest = 0;
    for (std::size_t s = 0; s < symbols; ++s) {
      if (counts[s] == 0) continue;
      int depth = 0;
      for (int node = parent[s]; node >= 0; node = parent[static_cast<std::size_t>(node)]) ++depth;
      // A lone symbol still needs one bit.
      lengths[s] = std::max(1, depth);
      deepest = std::max(deepest, lengths[s]);
    }
    if (deepest <= maxBits) return lengths;
    for (std::uint64_t& count : counts) {
      if (count > 0) count = std::max<std::uint64_t>(1, count / 2);
    }
  }
}

// The canonical codes for the lengths, bit-reversed for a least-significant-first writer.
std::vector<std::uint32_t> canonicalCodes(const std::vector<int>& lengths) {
  std::array<std::uint32_t, kMaxCodeBits + 2> perLength{};
  for (int length : lengths) ++perLength[static_cast<std::size_t>(length)];
  perLength[0] = 0;
  std::array<std::uint32_t, kMaxCodeBits + 2> nextCode{};
  std::uint32_t code = 0;
  for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
    code = (code + perLength[static_cast<std::size_t>(bits) - 1]) << 1;
    nextCode[static_cast<std::size_t>(bits)] = code;
  }
  std::vector<std::uint32_t> codes(lengths.size(), 0);
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const int length = lengths[s];
    if (length == 0) continue;
    const std::uint32_t value = nextCode[static_cast<std::size_t>(length)]++;
    std::uint32_t reversed = 0;
    for (int bit = 0; bit < length; ++bit) reversed |= ((value >> bit) & 1u) << (length - 1 - bit);
    codes[s] = reversed;
  }
  return codes;
}

// The dynamic block's header: its code lengths, themselves Huffman-coded, one by one.
void writeHeader(BitWriter& bits, const std::vector<int>& literalLengths, bool last) {
  std::vector<int> allLengths = literalLengths;
  allLengths.insert(allLengths.end(), kDistanceCodes, 1);
  std::vector<std::uint64_t> lengthCounts(kLengthCodeOrder.size(), 0);
  for (int length : allLengths) ++lengthCounts[static_cast<std::size_t>(length)];
  const std::vector<int> lengthCodeLengths = codeLengths(lengthCounts, kMaxLengthCodeBits);
  const std::vector<std::uint32_t> lengthCodes = canonicalCodes(lengthCodeLengths);
  int listed = static_cast<int>(kLengthCodeOrder.size());
  while (listed > 4 && lengthCodeLengths[static_cast<std::size_t>(
                           kLengthCodeOrder[static_cast<std::size_t>(listed) - 1])] == 0) {
    --listed;
  }

  bits.put(last ? 1 : 0, 1);
  bits.put(2, 2);  // Huffman codes of the block's own
  bits.put(kLiteralCodes - 257, 5);
  bits.put(kDistanceCodes - 1, 5);
  bits.put(static_cast<std::uint32_t>(listed - 4), 4);
  for (int i = 0; i < listed; ++i) {
    const int symbol = kLengthCodeOrder[static_cast<std::size_t>(i)];
    bits.put(static_cast<std::uint32_t>(lengthCodeLengths[static_cast<std::size_t>(symbol)]), 3);
  }
  for (int length : allLengths) {
    const auto symbol = static_cast<std::size_t>(length);
    bits.put(lengthCodes[symbol], lengthCodeLengths[symbol]);
  }
}

// The byte counts of the data, in four interleaved tables so equal bytes in a row do not wait
// on each other's increments.
std::vector<std::uint64_t> byteCounts(const unsigned char* data, std::size_t size) {
  std::array<std::array<std::uint32_t, 256>, 4> partial{};
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    ++partial[0][data[i]];
    ++partial[1][data[i + 1]];
    ++partial[2][data[i + 2]];
    ++partial[3][data[i + 3]];
  }
  for (; i < size; ++i) ++partial[0][data[i]];
  std::vector<std::uint64_t> counts(kLiteralCodes, 0);
  for (const auto& table : partial) {
    for (std::size_t b = 0; b < 256; ++b) counts[b] += table[b];
  }
  counts[kEndOfBlock] = 1;
  return counts;
}

}  // namespace

std::size_t literalBlockBound(std::size_t size) {
  constexpr std::size_t kHeaderBytes = 300;  // 3 + 14 + 19 × 3 + 259 × 7 bits, and the endings
  return kHeaderBytes + (size + 1) * kMaxCodeBits / 8 + 16;
}

std::size_t deflateLiterals(const unsigned char* data, std::size_t size, bool last,
                            unsigned char* out) {
  const std::vector<int> lengths = codeLengths(byteCounts(data, size), kMaxCodeBits);
  const std::vector<std::uint32_t> codes = canonicalCodes(lengths);
  // Each byte's code and its length in one word, for the loop below.
  std::array<std::uint32_t, 256> table{};
  for (std::size_t b = 0; b < table.size(); ++b) {
    table[b] = codes[b] | static_cast<std::uint32_t>(lengths[b]) << 24;
  }
  BitWriter bits(out);
  writeHeader(bits, lengths, last);
  auto add = [&](unsigned char byte) {
    const std::uint32_t entry = table[byte];
    bits.add(entry & 0xffffffu, static_cast<int>(entry >> 24));
  };
  // Three codes of at most 15 bits fit beside the 7 bits a store leaves.
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    add(data[i]);
    add(data[i + 1]);
    add(data[i + 2]);
    bits.store();
  }
  for (; i < size; ++i) {
    add(data[i]);
    bits.store();
  }
  bits.put(codes[kEndOfBlock], lengths[kEndOfBlock]);
  if (!last) {
    // An empty stored block brings the stream to a byte boundary, so the next block can start
    // in a new byte, as zlib's sync flush does.
    bits.put(0, 3);
    bits.flush();
    bits.put(0xffff0000u, 32);
  }
  return static_cast<std::size_t>(bits.flush() - out);
}

}  // namespace background
