#include "background/PngWriter.h"

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "background/Parallel.h"
#include "platform/SafeSave.h"

namespace background {

namespace {

// A PNG's chunks written to a SaveStream, which checks every write.
class PngFile {
 public:
  explicit PngFile(platform::SaveStream& out) : out_(out) {}

  void write(const void* data, std::size_t size) { out_.write(data, size); }

  void chunk(const char type[4], const unsigned char* data, std::size_t size) {
    unsigned char header[8];
    putBigEndian(header, static_cast<std::uint32_t>(size));
    std::memcpy(header + 4, type, 4);
    write(header, 8);
    write(data, size);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    unsigned char tail[4];
    putBigEndian(tail, static_cast<std::uint32_t>(crc));
    write(tail, 4);
  }

  [[noreturn]] void fail(const std::string& reason) const { out_.fail(reason); }

  static void putBigEndian(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>(value >> 24);
    out[1] = static_cast<unsigned char>(value >> 16);
    out[2] = static_cast<unsigned char>(value >> 8);
    out[3] = static_cast<unsigned char>(value);
  }

 private:
  platform::SaveStream& out_;
};

// Row y as PNG stores it: a filter byte, then the "Sub" filter over RGB: each byte minus the
// same channel of the pixel to its left, which turns smooth stretches of road and grass into
// small numbers that compress well.
void filterRow(const platform::Bitmap& picture, int y, unsigned char* row) {
  row[0] = 1;
  const platform::Color* pixels = picture.data() + static_cast<std::size_t>(y) * picture.width();
  unsigned char left[3] = {0, 0, 0};
  for (int x = 0; x < picture.width(); ++x) {
    const unsigned char rgb[3] = {platform::redOf(pixels[x]), platform::greenOf(pixels[x]),
                                  platform::blueOf(pixels[x])};
    for (int c = 0; c < 3; ++c) {
      row[1 + 3 * static_cast<std::size_t>(x) + c] = static_cast<unsigned char>(rgb[c] - left[c]);
      left[c] = rgb[c];
    }
  }
}

// One band of rows, compressed on its own and ended on a byte boundary (or, for the last band,
// ending the stream), with the check value of its uncompressed bytes.
struct CompressedBand {
  std::vector<unsigned char> bytes;
  uLong adler = 1;
  std::size_t length = 0;  // uncompressed bytes
  std::string error;
};

CompressedBand compressBand(const platform::Bitmap& picture, int first, int last, bool final) {
  CompressedBand band;
  std::vector<unsigned char> raw((1 + 3 * static_cast<std::size_t>(picture.width())) *
                                 static_cast<std::size_t>(last - first));
  const std::size_t rowBytes = raw.size() / static_cast<std::size_t>(last - first);
  for (int y = first; y < last; ++y) {
    filterRow(picture, y, raw.data() + rowBytes * static_cast<std::size_t>(y - first));
  }
  band.adler = adler32(1L, raw.data(), static_cast<uInt>(raw.size()));
  band.length = raw.size();
  // ISA-L's fast level with a small hash table: a fraction of zlib's time even with zlib's
  // Huffman codes only, and a smaller file. Raw deflate, without zlib's header and check value:
  // bands compressed on their own are joined into one stream, so each but the last ends on a byte
  // boundary.
  std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_SMALL);
  isal_zstream stream;
  isal_deflate_stateless_init(&stream);
  stream.level = 1;
  stream.level_buf = levelBuffer.data();
  stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
  stream.gzip_flag = IGZIP_DEFLATE;
  stream.flush = FULL_FLUSH;
  stream.end_of_stream = final ? 1 : 0;
  // Incompressible input grows by a stored block's header per 64 KB at most.
  band.bytes.resize(raw.size() + (raw.size() / 65535 + 2) * 5 + 1024);
  stream.next_in = raw.data();
  stream.avail_in = static_cast<std::uint32_t>(raw.size());
  stream.next_out = band.bytes.data();
  stream.avail_out = static_cast<std::uint32_t>(band.bytes.size());
  if (isal_deflate_stateless(&stream) != COMP_OK || stream.avail_in != 0) {
    band.error = "compression failed";
  }
  band.bytes.resize(band.bytes.size() - stream.avail_out);
  return band;
}

// The picture's data as one zlib stream, its bands of rows compressed on the painter's threads.
// The bands do not depend on the number of threads, so neither do the file's bytes.
std::vector<unsigned char> compressPicture(const platform::Bitmap& picture, PngFile& png) {
  constexpr int kRowsPerBand = 64;
  const int height = picture.height();
  const int bandCount = (height - 1) / kRowsPerBand + 1;
  std::vector<CompressedBand> bands(static_cast<std::size_t>(bandCount));
  parallel::forEachChunk(bandCount, 1, [&](int band, int) {
    const int first = band * kRowsPerBand;
    bands[static_cast<std::size_t>(band)] =
        compressBand(picture, first, std::min(height, first + kRowsPerBand), band == bandCount - 1);
  });
  std::size_t total = 2 + 4;
  for (const CompressedBand& band : bands) total += band.bytes.size();
  std::vector<unsigned char> stream;
  stream.reserve(total);                      // fresh memory is slow to come by: take it once
  stream.insert(stream.end(), {0x78, 0x01});  // deflate, 32 KB window, fastest
  uLong adler = 1;
  for (const CompressedBand& band : bands) {
    if (!band.error.empty()) png.fail(band.error);
    stream.insert(stream.end(), band.bytes.begin(), band.bytes.end());
    adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.length));
  }
  for (int shift = 24; shift >= 0; shift -= 8) {
    stream.push_back(static_cast<unsigned char>(adler >> shift));
  }
  return stream;
}

void writeTo(const platform::Bitmap& picture, const std::vector<PngChunk>& extra, PngFile& png) {
  static const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  png.write(kSignature, sizeof kSignature);

  unsigned char header[13];
  PngFile::putBigEndian(header, static_cast<std::uint32_t>(picture.width()));
  PngFile::putBigEndian(header + 4, static_cast<std::uint32_t>(picture.height()));
  header[8] = 8;   // bits per channel
  header[9] = 2;   // RGB
  header[10] = 0;  // deflate
  header[11] = 0;  // adaptive filtering
  header[12] = 0;  // not interlaced
  png.chunk("IHDR", header, sizeof header);

  const std::vector<unsigned char> data = compressPicture(picture, png);
  constexpr std::size_t kChunkBytes = 1 << 18;
  for (std::size_t at = 0; at < data.size(); at += kChunkBytes) {
    png.chunk("IDAT", data.data() + at, std::min(kChunkBytes, data.size() - at));
  }
  for (const PngChunk& chunk : extra) {
    png.chunk(chunk.type.c_str(), chunk.data.data(), chunk.data.size());
  }
  png.chunk("IEND", nullptr, 0);
}

}  // namespace

void saveOpaquePng(const platform::Bitmap& picture, const std::string& path,
                   const std::vector<PngChunk>& extra) {
  if (picture.width() <= 0 || picture.height() <= 0) {
    throw std::runtime_error("cannot save the picture \"" + path + "\": it is empty");
  }
  platform::saveFile(
      path,
      [&](platform::SaveStream& out) {
        PngFile png(out);
        writeTo(picture, extra, png);
      },
      "the picture");
}

std::optional<std::vector<unsigned char>> readPngChunk(const std::string& path,
                                                       const std::string& type) {
  static const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  std::ifstream file(path, std::ios::binary);
  unsigned char signature[8];
  if (!file.read(reinterpret_cast<char*>(signature), 8) ||
      std::memcmp(signature, kSignature, 8) != 0) {
    return std::nullopt;
  }
  auto bigEndian = [](const unsigned char* in) {
    return static_cast<std::uint32_t>(in[0]) << 24 | static_cast<std::uint32_t>(in[1]) << 16 |
           static_cast<std::uint32_t>(in[2]) << 8 | static_cast<std::uint32_t>(in[3]);
  };
  unsigned char header[8];
  while (file.read(reinterpret_cast<char*>(header), 8)) {
    const std::uint32_t length = bigEndian(header);
    const std::string name(reinterpret_cast<const char*>(header + 4), 4);
    // Lengths beyond 2^31 are not allowed by the format: the file is damaged.
    if (length > 0x7fffffffu || name == "IEND") return std::nullopt;
    if (name != type) {
      file.seekg(static_cast<std::streamoff>(length) + 4, std::ios::cur);
      continue;
    }
    std::vector<unsigned char> data(length);
    unsigned char tail[4];
    if (!file.read(reinterpret_cast<char*>(data.data()), length) ||
        !file.read(reinterpret_cast<char*>(tail), 4)) {
      return std::nullopt;
    }
    uLong crc = crc32(0L, header + 4, 4);
    if (length > 0) crc = crc32(crc, data.data(), static_cast<uInt>(length));
    if (static_cast<std::uint32_t>(crc) != bigEndian(tail)) return std::nullopt;
    return data;
  }
  return std::nullopt;
}

}  // namespace background
