#pragma once
#include <string>

#include "platform/Bitmap.h"

// Saves an opaque picture as an 8-bit RGB PNG with fast compression: a generated background is
// mostly noise, which the default compression level spends seconds on for almost no gain.
// Saved through platform::saveFileSafely, so an interrupted save never leaves a broken
// picture. Throws std::runtime_error naming the file and the problem.
void saveOpaquePng(const platform::Bitmap& picture, const std::string& path);
