#include "platform/Font.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "platform/BidiText.h"
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
  for (auto& [file, fallback] : fallbackByFile) {
    if (fallback != nullptr) TTF_CloseFont(fallback);
  }
  if (font != nullptr) TTF_CloseFont(font);
}

TTF_Font* Font::Face::fontFor(char32_t character) {
  // Spaces and control characters never need another font.
  if (character < 0x80 || TTF_GlyphIsProvided32(font, static_cast<Uint32>(character))) {
    return font;
  }
  if (auto known = fontByCharacter.find(character); known != fontByCharacter.end()) {
    return known->second;
  }
  TTF_Font* chosen = font;
  if (const std::optional<std::string> other = fontFileWithCharacter(character)) {
    auto [entry, added] = fallbackByFile.emplace(*other, nullptr);
    if (added) {
      // A font of fixed sizes only (colour emoji) may refuse; then this face draws its box.
      entry->second = TTF_OpenFont(other->c_str(), pointSize);
      if (entry->second != nullptr) pointSizeForLineHeight(entry->second, lineHeight);
    }
    if (entry->second != nullptr) chosen = entry->second;
  }
  fontByCharacter.emplace(character, chosen);
  return chosen;
}

std::vector<Font::Face::Run> Font::Face::runsOf(const std::wstring& text) {
  std::vector<Run> runs;
  for (const wchar_t c : visualOrder(text)) {
    TTF_Font* chosen = fontFor(static_cast<char32_t>(c));
    if (runs.empty() || runs.back().font != chosen) runs.push_back({chosen, {}});
    runs.back().utf8 += narrow(std::wstring(1, c));
  }
  return runs;
}

double Font::Face::scaleOf(TTF_Font* runFont) const {
  // A font of fixed sizes (colour emoji) cannot be opened at the line height; its glyphs are
  // scaled down to it instead.
  const int height = TTF_FontHeight(runFont);
  return height > lineHeight && lineHeight > 0 ? static_cast<double>(lineHeight) / height : 1.0;
}

int Font::Face::widthOf(const std::vector<Run>& runs) const {
  int total = 0;
  for (const Run& run : runs) {
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(run.font, run.utf8.c_str(), &width, &height) == 0) {
      total += static_cast<int>(std::lround(width * scaleOf(run.font)));
    }
  }
  return total;
}

SDL_Surface* Font::Face::render(const std::vector<Run>& runs) const {
  const SDL_Color white{255, 255, 255, 255};
  if (runs.size() == 1 && scaleOf(runs[0].font) == 1.0) {
    return TTF_RenderUTF8_Blended(runs[0].font, runs[0].utf8.c_str(), white);
  }
  auto scaled = [this](TTF_Font* runFont, int length) {
    return static_cast<int>(std::lround(length * scaleOf(runFont)));
  };
  int ascent = 0;
  int below = 0;
  for (const Run& run : runs) {
    const int runAscent = scaled(run.font, TTF_FontAscent(run.font));
    ascent = std::max(ascent, runAscent);
    below = std::max(below, scaled(run.font, TTF_FontHeight(run.font)) - runAscent);
  }
  const int width = widthOf(runs);
  if (width <= 0) return nullptr;
  SDL_Surface* line =
      SDL_CreateRGBSurfaceWithFormat(0, width, ascent + below, 32, SDL_PIXELFORMAT_ARGB8888);
  if (line == nullptr) return nullptr;
  SDL_FillRect(line, nullptr, 0);
  int x = 0;
  for (const Run& run : runs) {
    int runWidth = 0;
    int runHeight = 0;
    TTF_SizeUTF8(run.font, run.utf8.c_str(), &runWidth, &runHeight);
    if (SDL_Surface* piece = TTF_RenderUTF8_Blended(run.font, run.utf8.c_str(), white)) {
      // Copied as it is, transparency included: the runs never overlap.
      SDL_Rect where{x, ascent - scaled(run.font, TTF_FontAscent(run.font)),
                     scaled(run.font, piece->w), scaled(run.font, piece->h)};
      if (where.w == piece->w) {
        SDL_SetSurfaceBlendMode(piece, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(piece, nullptr, line, &where);
      } else if (where.w > 0 && where.h > 0) {
        SDL_SoftStretchLinear(piece, nullptr, line, &where);
      }
      SDL_FreeSurface(piece);
    }
    x += scaled(run.font, runWidth);
  }
  return line;
}

Font::Face::CachedText* Font::Face::cached(Graphics::Backend& backend, const std::wstring& text) {
  if (text.empty()) return nullptr;
  if (backend.frame - lastSweep >= kSweepEvery || cache.size() > kMaxCached) sweep(backend.frame);
  auto it = cache.find(text);
  if (it != cache.end() && it->second->slot.get(&backend) != nullptr) {
    it->second->lastUsed = backend.frame;
    return it->second.get();
  }
  SDL_Surface* surface = render(runsOf(text));
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
  face->lineHeight = height;
  face_ = std::move(face);
}

Font::~Font() = default;

std::size_t Font::cachedTexts() const {
  return face_->cache.size();
}

double Font::textWidth(const std::wstring& text, double factorX) const {
  if (text.empty()) return 0.0;
  return face_->widthOf(face_->runsOf(text)) * factorX;
}

bool Font::hasGlyphs(const std::wstring& text) const {
  for (const wchar_t c : text) {
    const auto character = static_cast<char32_t>(c);
    if (character < 0x20) continue;
    TTF_Font* chosen = face_->fontFor(character);
    if (!TTF_GlyphIsProvided32(chosen, static_cast<Uint32>(character))) return false;
  }
  return true;
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
