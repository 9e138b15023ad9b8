#include "background/GroundLayer.h"

#include <zlib.h>

#include "background/PngWriter.h"
#include "background/Zones.h"
#include "track/TrackLimits.h"

namespace background {

namespace {

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

std::uint32_t bigEndianAt(const std::vector<unsigned char>& in, std::size_t at) {
  return static_cast<std::uint32_t>(in[at]) << 24 | static_cast<std::uint32_t>(in[at + 1]) << 16 |
         static_cast<std::uint32_t>(in[at + 2]) << 8 | static_cast<std::uint32_t>(in[at + 3]);
}

std::uint32_t cellsFor(std::int32_t extent) {
  return static_cast<std::uint32_t>((GroundLayer::kCellSize + extent) / GroundLayer::kCellSize);
}

}  // namespace

GroundLayer GroundLayer::paintedOn(const track::SurfaceMap& paintMap, const Theme& theme,
                                   std::int32_t extentX, std::int32_t extentY) {
  GroundLayer layer;
  layer.rows = cellsFor(extentY);
  layer.columns = cellsFor(extentX);
  layer.kinds.resize(static_cast<std::size_t>(layer.rows) * layer.columns);
  const auto ground = static_cast<std::uint8_t>(theme.surfaceOf(zone::kGround));
  // Painted cells per race cell along each axis, and the offset of the centre one.
  const long long ratio = static_cast<long long>(kCellSize / 0.5);
  for (std::uint32_t r = 0; r < layer.rows; ++r) {
    for (std::uint32_t c = 0; c < layer.columns; ++c) {
      const std::int32_t zone = paintMap.at(r * ratio + ratio / 2, c * ratio + ratio / 2);
      layer.kinds[static_cast<std::size_t>(r) * layer.columns + c] =
          zone::onRoad(zone) ? ground : static_cast<std::uint8_t>(theme.surfaceOf(zone));
    }
  }
  return layer;
}

std::vector<unsigned char> GroundLayer::encode() const {
  std::vector<unsigned char> bytes;
  putBigEndian(bytes, columns);
  putBigEndian(bytes, rows);
  uLongf packedSize = compressBound(static_cast<uLong>(kinds.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, kinds.data(), static_cast<uLong>(kinds.size()),
                Z_BEST_SPEED) != Z_OK) {
    return {};
  }
  bytes.insert(bytes.end(), packed.begin(), packed.begin() + static_cast<long>(packedSize));
  return bytes;
}

std::optional<GroundLayer> GroundLayer::decode(const std::vector<unsigned char>& bytes) {
  if (bytes.size() < 8) return std::nullopt;
  GroundLayer layer;
  layer.columns = bigEndianAt(bytes, 0);
  layer.rows = bigEndianAt(bytes, 4);
  const double cells = static_cast<double>(layer.columns) * layer.rows;
  if (cells <= 0 || cells > track::limits::kMaxRasterCells) return std::nullopt;
  layer.kinds.resize(static_cast<std::size_t>(cells));
  uLongf size = static_cast<uLongf>(layer.kinds.size());
  if (uncompress(layer.kinds.data(), &size, bytes.data() + 8,
                 static_cast<uLong>(bytes.size() - 8)) != Z_OK ||
      size != layer.kinds.size()) {
    return std::nullopt;
  }
  for (std::uint8_t kind : layer.kinds) {
    if (kind != track::SurfaceMap::kGrass && kind != track::SurfaceMap::kSand &&
        kind != track::SurfaceMap::kSnow && kind != track::SurfaceMap::kGravel &&
        kind != track::SurfaceMap::kWater) {
      return std::nullopt;
    }
  }
  return layer;
}

void dressSurfaceMap(track::SurfaceMap& raceMap, const track::TrackData& track,
                     const std::string& picturePath) {
  std::optional<GroundLayer> layer;
  if (const auto bytes = readPngChunk(picturePath, GroundLayer::kChunkType)) {
    layer = GroundLayer::decode(*bytes);
  }
  const bool fits = layer && layer->rows == raceMap.rows && layer->columns == raceMap.columns;
  const std::int32_t ground = themeOf(track)->surfaceOf(zone::kGround);
  for (std::size_t i = 0; i < raceMap.cells.size(); ++i) {
    if (raceMap.cells[i] == track::SurfaceMap::kRoad) continue;
    raceMap.cells[i] = fits ? layer->kinds[i] : ground;
  }
}

}  // namespace background
