#include "platform/Bitmap.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <exception>
#include <stdexcept>

#include "platform/SafeSave.h"
#include "platform/SdlBackend.h"

namespace platform {

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// SDL_image writes its PNG through this into a SaveStream. SDL_image does not check what its
// writes return, so a failed write is kept here and raised once the encoder is done.
class StreamOps {
 public:
  explicit StreamOps(SaveStream& out) : ops_(SDL_AllocRW()), out_(out) {
    if (!ops_) throw std::runtime_error(std::string("SDL cannot write: ") + SDL_GetError());
    ops_->type = SDL_RWOPS_UNKNOWN;
    ops_->hidden.unknown.data1 = this;
    ops_->size = [](SDL_RWops*) -> Sint64 { return -1; };
    ops_->seek = [](SDL_RWops*, Sint64, int) -> Sint64 { return -1; };
    ops_->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    ops_->write = &StreamOps::write;
    ops_->close = [](SDL_RWops*) { return 0; };
  }
  ~StreamOps() { SDL_FreeRW(ops_); }
  StreamOps(const StreamOps&) = delete;
  StreamOps& operator=(const StreamOps&) = delete;

  SDL_RWops* get() const { return ops_; }

  // Passes on the first failed write, else fails with `encoderError` when it is not empty.
  void rethrow(const std::string& encoderError) const {
    if (failure_) std::rethrow_exception(failure_);
    if (!encoderError.empty()) out_.fail(encoderError);
  }

 private:
  static size_t write(SDL_RWops* ops, const void* data, size_t size, size_t count) {
    auto* self = static_cast<StreamOps*>(ops->hidden.unknown.data1);
    if (self->failure_) return 0;
    try {
      self->out_.write(data, size * count);
      return count;
    } catch (...) {
      self->failure_ = std::current_exception();
      return 0;
    }
  }

  SDL_RWops* ops_;
  SaveStream& out_;
  std::exception_ptr failure_;
};

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
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (fill == 0x00000000u) {
    pixels_ = decltype(pixels_)(count);
  } else {
    pixels_.assign(count, fill);
  }
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
  saveFile(
      path,
      [&](SaveStream& out) {
        StreamOps ops(out);
        if (IMG_SavePNG_RW(surface.get(), ops.get(), 0) != 0) ops.rethrow(IMG_GetError());
        ops.rethrow("");
      },
      "the picture");
}

}  // namespace platform
