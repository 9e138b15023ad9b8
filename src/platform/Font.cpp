#include "platform/Font.h"

#include <cmath>
#include <stdexcept>

#include "platform/FontLookup.h"
#include "platform/Graphics.h"
#include "platform/SdlBackend.h"
#include "platform/Text.h"

namespace platform {

namespace {

// Text not drawn for this many frames loses its cached texture.
constexpr long kUnusedFrames = 120;
constexpr long kSweepEvery = 60;
// A screen full of changing numbers never grows the cache past this between sweeps.
constexpr std::size_t kMaxCached = 512;

// The point size whose line height is closest to `height` pixels without exceeding it: the
// game's font heights are line heights, while TrueType sizes are em sizes.
int pointSizeForLineHeight(TTF_Font* font, int height) {
  TTF_SetFontSize(font, height);
  const int atHeight = TTF_FontHeight(font);
  int size = atHeight > 0 ? std::max(1, height * height / atHeight) : height;
  TTF_SetFontSize(font, size);
  while (size > 1 && TTF_FontHeight(font) > height) TTF_SetFontSize(font, --size);
  while (true) {
    TTF_SetFontSize(font, size + 1);
    if (TTF_FontHeight(font) > height) break;
    ++size;
  }
  TTF_SetFontSize(font, size);
  return size;
}

}  // namespace

void ensureTtf() {
  static const bool initialised = [] {
    if (TTF_Init() != 0)
      throw std::runtime_error(std::string("cannot start SDL_ttf: ") + TTF_GetError());
    return true;
  }();
  (void)initialised;
}

Font::Face::~Face() {
  cache.clear();
  if (font != nullptr) TTF_CloseFont(font);
}

Font::Face::CachedText* Font::Face::cached(Graphics::Backend& backend, const std::wstring& text) {
  if (text.empty()) return nullptr;
  if (backend.frame - lastSweep >= kSweepEvery || cache.size() > kMaxCached) sweep(backend.frame);
  auto it = cache.find(text);
  if (it != cache.end() && it->second->slot.get(&backend) != nullptr) {
    it->second->lastUsed = backend.frame;
    return it->second.get();
  }
  const std::string utf8 = narrow(text);
  SDL_Surface* surface = TTF_RenderUTF8_Blended(font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (surface == nullptr) return nullptr;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(backend.renderer, surface);
  auto entry = std::make_unique<CachedText>();
  entry->width = surface->w;
  entry->height = surface->h;
  SDL_FreeSurface(surface);
  if (texture == nullptr) return nullptr;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
  entry->slot.reset(&backend, texture);
  entry->lastUsed = backend.frame;
  CachedText* result = entry.get();
  cache[text] = std::move(entry);
  return result;
}

void Font::Face::sweep(long frame) {
  lastSweep = frame;
  std::erase_if(
      cache, [frame](const auto& entry) { return frame - entry.second->lastUsed > kUnusedFrames; });
}

Font::Font(Graphics& graphics, const std::string& family, int height)
    : graphics_(graphics), family_(family), height_(height) {
  if (height <= 0) {
    throw std::runtime_error("font \"" + family + "\": height must be positive");
  }
  ensureTtf();
  const FontFile file = findFont(family);
  auto face = std::make_unique<Face>();
  face->font = TTF_OpenFont(file.path.c_str(), height);
  if (face->font == nullptr) {
    throw std::runtime_error("cannot open the font \"" + family + "\" (" + file.path +
                             "): " + TTF_GetError());
  }
  face->file = file.path;
  face->foundFamily = file.family;
  face->pointSize = pointSizeForLineHeight(face->font, height);
  face_ = std::move(face);
}

Font::~Font() = default;

std::size_t Font::cachedTexts() const {
  return face_->cache.size();
}

double Font::textWidth(const std::wstring& text, double factorX) const {
  if (text.empty()) return 0.0;
  int width = 0;
  int height = 0;
  if (TTF_SizeUTF8(face_->font, narrow(text).c_str(), &width, &height) != 0) return 0.0;
  return width * factorX;
}

void Font::draw(const std::wstring& text, double x, double y, double z, double factorX,
                double factorY, Color color) const {
  if (text.empty()) return;
  graphics_.queue(DrawCall{.kind = DrawCall::Kind::Text,
                           .font = this,
                           .text = text,
                           .x = x,
                           .y = y,
                           .z = z,
                           .scaleX = factorX,
                           .scaleY = factorY,
                           .color = color});
}

}  // namespace platform
