#include "platform/Graphics.h"

#include <algorithm>
#include <cmath>

#include "platform/SdlBackend.h"

namespace platform {

Graphics::Graphics(int width, int height) : width_(width), height_(height) {}

Graphics::~Graphics() = default;

void Graphics::queue(DrawCall call) {
  queue_.push_back(std::move(call));
}

void Graphics::drawTriangles(std::vector<Vertex> vertices, double z) {
  if (vertices.size() < 3) return;
  DrawCall call;
  call.kind = DrawCall::Kind::Triangles;
  call.vertices = std::move(vertices);
  call.z = z;
  queue_.push_back(std::move(call));
}

void Graphics::setBackend(std::unique_ptr<Backend> backend) {
  // The old renderer (and its textures) goes first; pictures upload again to the new one.
  backend_.reset();
  backend_ = std::move(backend);
}

void Graphics::flush() {
  if (backend_) {
    std::stable_sort(queue_.begin(), queue_.end(),
                     [](const DrawCall& a, const DrawCall& b) { return a.z < b.z; });
    for (const DrawCall& call : queue_) {
      switch (call.kind) {
        case DrawCall::Kind::Image:
          // A picture freed since it was drawn this frame is simply not drawn.
          if (!call.imageLifetime.expired()) backend_->drawImage(call);
          break;
        case DrawCall::Kind::Text:
          backend_->drawText(call);
          break;
        case DrawCall::Kind::Triangles:
          backend_->drawTriangles(call);
          break;
      }
    }
    ++backend_->frame;
  }
  queue_.clear();
}

void TextureSlot::reset(Graphics::Backend* backend, SDL_Texture* texture) {
  release();
  if (texture == nullptr) return;
  texture_ = texture;
  owner_ = backend;
  backend->slots.insert(this);
}

void TextureSlot::release() {
  if (owner_ != nullptr) {
    owner_->slots.erase(this);
    SDL_DestroyTexture(texture_);
  }
  texture_ = nullptr;
  owner_ = nullptr;
}

Graphics::Backend::Backend(SDL_Renderer* r) : renderer(r) {
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

Graphics::Backend::~Backend() {
  for (TextureSlot* slot : slots) {
    SDL_DestroyTexture(slot->texture_);
    slot->texture_ = nullptr;
    slot->owner_ = nullptr;
  }
  slots.clear();
  SDL_DestroyRenderer(renderer);
}

namespace {

SDL_Texture* uploadImage(SDL_Renderer* renderer, const Bitmap& pixels) {
  SDL_Texture* texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                        pixels.width(), pixels.height());
  if (texture == nullptr) return nullptr;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  // Filtering clamps at the texture's own edges, so nothing from outside a tile bleeds in;
  // hard-bordered pictures are also drawn on whole pixels (see copy()).
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  SDL_UpdateTexture(texture, nullptr, pixels.data(), pixels.width() * 4);
  return texture;
}

bool allOpaque(const Bitmap& pixels) {
  const Color* p = pixels.data();
  const Color* end = p + static_cast<std::size_t>(pixels.width()) * pixels.height();
  return std::all_of(p, end, [](Color c) { return alphaOf(c) == 0xff; });
}

// The texture for the image's current pixels, made or refreshed as needed.
SDL_Texture* textureFor(Graphics::Backend& backend, const Image& image) {
  if (image.width() <= 0 || image.height() <= 0) return nullptr;
  Image::Texture* texture = image.texture();
  SDL_Texture* sdl = texture != nullptr ? texture->slot.get(&backend) : nullptr;
  if (sdl != nullptr && !image.dirty()) return sdl;
  if (sdl != nullptr && texture->width == image.width() && texture->height == image.height()) {
    // Same size: refresh in place, far cheaper than a new texture every frame.
    SDL_UpdateTexture(sdl, nullptr, image.pixels().data(), image.width() * 4);
    texture->opaque = allOpaque(image.pixels());
    image.clearDirty();
    return sdl;
  }
  auto fresh = std::make_unique<Image::Texture>();
  SDL_Texture* made = uploadImage(backend.renderer, image.pixels());
  if (made == nullptr) return nullptr;
  fresh->slot.reset(&backend, made);
  fresh->width = image.width();
  fresh->height = image.height();
  fresh->opaque = allOpaque(image.pixels());
  image.setTexture(std::move(fresh));
  image.clearDirty();
  return made;
}

void applyColor(SDL_Texture* texture, Color color) {
  SDL_SetTextureColorMod(texture, redOf(color), greenOf(color), blueOf(color));
  SDL_SetTextureAlphaMod(texture, alphaOf(color));
}

// The size of what the renderer draws on, in the window's pixels.
void screenSize(SDL_Renderer* renderer, int& width, int& height) {
  SDL_RenderGetLogicalSize(renderer, &width, &height);
  if (width == 0 || height == 0) SDL_GetRendererOutputSize(renderer, &width, &height);
}

// Copies only the part of an upright, unmirrored picture that lies on the screen. The software
// renderer would otherwise scale and blend the whole picture every frame: a track's background
// or the driver's overlay is many times the window. The source is cut at whole texels, so what
// is drawn lands exactly where the whole picture would have put it.
void copyVisiblePart(SDL_Renderer* renderer, SDL_Texture* texture, double left, double top,
                     double w, double h, double scaleX, double scaleY) {
  int screenW = 0;
  int screenH = 0;
  screenSize(renderer, screenW, screenH);
  const double right = left + w * scaleX;
  const double bottom = top + h * scaleY;
  if (right <= 0 || bottom <= 0 || left >= screenW || top >= screenH) return;
  const double firstX = std::max(0.0, std::floor(-left / scaleX));
  const double firstY = std::max(0.0, std::floor(-top / scaleY));
  const double lastX = std::min(w, std::ceil((screenW - left) / scaleX));
  const double lastY = std::min(h, std::ceil((screenH - top) / scaleY));
  if (lastX <= firstX || lastY <= firstY) return;
  const SDL_Rect src{static_cast<int>(firstX), static_cast<int>(firstY),
                     static_cast<int>(lastX - firstX), static_cast<int>(lastY - firstY)};
  const SDL_FRect dst{
      static_cast<float>(left + firstX * scaleX), static_cast<float>(top + firstY * scaleY),
      static_cast<float>((lastX - firstX) * scaleX), static_cast<float>((lastY - firstY) * scaleY)};
  SDL_RenderCopyF(renderer, texture, &src, &dst);
}

// Draws a w × h texture scaled by the call's factors: top-left at (x, y), or for rotated calls
// with the relative centre at (x, y). Negative factors mirror the picture.
void copy(SDL_Renderer* renderer, SDL_Texture* texture, const DrawCall& call, double w, double h,
          bool snapToPixels) {
  const double sw = w * call.scaleX;
  const double sh = h * call.scaleY;
  int flip = SDL_FLIP_NONE;
  if (sw < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (sh < 0) flip |= SDL_FLIP_VERTICAL;
  const double absW = std::fabs(sw);
  const double absH = std::fabs(sh);
  if (!call.rotated) {
    double left = sw < 0 ? call.x + sw : call.x;
    double top = sh < 0 ? call.y + sh : call.y;
    if (snapToPixels) {
      // Snap both edges, so neighbouring tiles share their border pixel exactly.
      const double right = std::round(left + absW);
      const double bottom = std::round(top + absH);
      left = std::round(left);
      top = std::round(top);
      SDL_Rect dst{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                   static_cast<int>(bottom - top)};
      SDL_RenderCopyEx(renderer, texture, nullptr, &dst, 0.0, nullptr,
                       static_cast<SDL_RendererFlip>(flip));
      return;
    }
    if (flip == SDL_FLIP_NONE && sw > 0 && sh > 0) {
      copyVisiblePart(renderer, texture, left, top, w, h, call.scaleX, call.scaleY);
      return;
    }
    SDL_FRect dst{static_cast<float>(left), static_cast<float>(top), static_cast<float>(absW),
                  static_cast<float>(absH)};
    SDL_RenderCopyExF(renderer, texture, nullptr, &dst, 0.0, nullptr,
                      static_cast<SDL_RendererFlip>(flip));
    return;
  }
  const double cx = (sw < 0 ? 1.0 - call.centerX : call.centerX) * absW;
  const double cy = (sh < 0 ? 1.0 - call.centerY : call.centerY) * absH;
  SDL_FRect dst{static_cast<float>(call.x - cx), static_cast<float>(call.y - cy),
                static_cast<float>(absW), static_cast<float>(absH)};
  SDL_FPoint centre{static_cast<float>(cx), static_cast<float>(cy)};
  SDL_RenderCopyExF(renderer, texture, nullptr, &dst, call.angle, &centre,
                    static_cast<SDL_RendererFlip>(flip));
}

}  // namespace

void Graphics::Backend::drawImage(const DrawCall& call) {
  if (call.image == nullptr) return;
  SDL_Texture* texture = textureFor(*this, *call.image);
  if (texture == nullptr) return;
  applyColor(texture, call.color);
  const bool opaque = call.image->texture()->opaque && alphaOf(call.color) == 0xff;
  SDL_SetTextureBlendMode(texture, opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
  copy(renderer, texture, call, call.image->width(), call.image->height(),
       call.image->hardBorders());
}

void Graphics::Backend::drawTriangles(const DrawCall& call) {
  std::vector<SDL_Vertex> corners;
  corners.reserve(call.vertices.size());
  for (const Vertex& v : call.vertices) {
    corners.push_back({{v.x, v.y},
                       {redOf(v.color), greenOf(v.color), blueOf(v.color), alphaOf(v.color)},
                       {0.0f, 0.0f}});
  }
  // Whole triangles only: a stray vertex at the end is left out.
  const int count = static_cast<int>(corners.size() / 3 * 3);
  SDL_RenderGeometry(renderer, nullptr, corners.data(), count, nullptr, 0);
}

void Graphics::Backend::drawText(const DrawCall& call) {
  if (call.font == nullptr || call.font->face() == nullptr) return;
  Font::Face::CachedText* text = call.font->face()->cached(*this, call.text);
  if (text == nullptr) return;
  SDL_Texture* texture = text->slot.get(this);
  applyColor(texture, call.color);
  copy(renderer, texture, call, text->width, text->height, false);
}

}  // namespace platform
