#include "platform/Bitmap.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <stdexcept>

#include "platform/SafeSave.h"
#include "platform/SdlBackend.h"

namespace platform {

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace

void ensureImage() {
  static const bool initialised = [] {
    IMG_Init(IMG_INIT_PNG);
    return true;
  }();
  (void)initialised;
}

Bitmap::Bitmap(int width, int height, Color fill) {
  resize(width, height, fill);
}

void Bitmap::resize(int width, int height, Color fill) {
  if (width < 0 || height < 0) throw std::invalid_argument("Bitmap size must not be negative");
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Bitmap Bitmap::loadPng(const std::string& path) {
  ensureImage();
  SurfacePtr loaded(IMG_Load(path.c_str()));
  if (!loaded) {
    throw std::runtime_error("cannot read the picture \"" + path + "\": " + IMG_GetError());
  }
  SurfacePtr argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb) {
    throw std::runtime_error("cannot convert the picture \"" + path + "\": " + SDL_GetError());
  }
  Bitmap bitmap(argb->w, argb->h);
  SDL_LockSurface(argb.get());
  const auto* rows = static_cast<const unsigned char*>(argb->pixels);
  for (int y = 0; y < argb->h; ++y) {
    std::memcpy(bitmap.data() + static_cast<std::size_t>(y) * argb->w,
                rows + static_cast<std::size_t>(y) * argb->pitch,
                static_cast<std::size_t>(argb->w) * 4);
  }
  SDL_UnlockSurface(argb.get());
  return bitmap;
}

void Bitmap::savePng(const std::string& path) const {
  ensureImage();
  if (width_ <= 0 || height_ <= 0) {
    throw std::runtime_error("cannot save the picture \"" + path + "\": it is empty");
  }
  // SDL only reads through this pointer while saving.
  SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Color*>(pixels_.data()), width_,
                                                        height_, 32, width_ * 4,
                                                        SDL_PIXELFORMAT_ARGB8888));
  if (!surface) {
    throw std::runtime_error("cannot save the picture \"" + path + "\": " + SDL_GetError());
  }
  std::string reason;
  const bool saved = saveFileSafely(
      path,
      [&surface](const std::string& temporary) {
        if (IMG_SavePNG(surface.get(), temporary.c_str()) != 0) {
          throw std::runtime_error(IMG_GetError());
        }
      },
      &reason);
  if (!saved) throw std::runtime_error("cannot save the picture \"" + path + "\": " + reason);
}

}  // namespace platform
