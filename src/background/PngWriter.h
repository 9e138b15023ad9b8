#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace background {

// Saves an opaque picture as an 8-bit RGB PNG with fast compression: a generated background is
// mostly noise, which the default compression level spends seconds on for almost no gain.
// Saved with platform::saveFile(): the old picture stays whole unless the new one is completely
// written, and only a regular file is replaced. Throws std::runtime_error naming the file and
// the problem.
// `extra` chunks (private ancillary ones, a four-letter type and its bytes) are written after
// the picture data; viewers skip them.
struct PngChunk {
  std::string type;  // four letters, e.g. "kvGR"
  std::vector<unsigned char> data;
};
void saveOpaquePng(const platform::Bitmap& picture, const std::string& path,
                   const std::vector<PngChunk>& extra = {});

// The bytes of the first chunk of `type` in a PNG file, or none when the file cannot be read,
// is no PNG, has a damaged chunk before it, or has no such chunk.
std::optional<std::vector<unsigned char>> readPngChunk(const std::string& path,
                                                       const std::string& type);

}  // namespace background
