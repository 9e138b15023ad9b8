#include "background/PngWriter.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

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

struct DeflateStream {
  z_stream stream{};
  explicit DeflateStream(int level) {
    if (deflateInit(&stream, level) != Z_OK) throw std::runtime_error("zlib cannot start");
  }
  ~DeflateStream() { deflateEnd(&stream); }
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;
};

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

  DeflateStream deflater(Z_BEST_SPEED);
  std::vector<unsigned char> row(1 + 3 * static_cast<std::size_t>(picture.width()));
  std::vector<unsigned char> out(1 << 18);
  auto pump = [&](int flush) {
    int result = Z_OK;
    do {
      deflater.stream.next_out = out.data();
      deflater.stream.avail_out = static_cast<uInt>(out.size());
      result = deflate(&deflater.stream, flush);
      if (result == Z_STREAM_ERROR) png.fail("compression failed");
      const std::size_t produced = out.size() - deflater.stream.avail_out;
      if (produced > 0) png.chunk("IDAT", out.data(), produced);
    } while (deflater.stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
  };

  for (int y = 0; y < picture.height(); ++y) {
    // The "Sub" filter: each byte minus the same channel of the pixel to its left, which turns
    // smooth stretches of road and grass into small numbers that compress well.
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
    deflater.stream.next_in = row.data();
    deflater.stream.avail_in = static_cast<uInt>(row.size());
    pump(Z_NO_FLUSH);
  }
  pump(Z_FINISH);
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
