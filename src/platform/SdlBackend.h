#pragma once
// Internal to src/platform: the SDL side of Graphics, Image and Font. Nothing outside this
// folder includes it, so SDL stays out of every other subsystem.
#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

namespace platform {

// One texture made by a renderer. The renderer's backend keeps track of every live slot so that
// it can destroy their textures before itself: pictures and fonts may outlive the window (caches
// torn down late), and a texture must never be freed after its renderer.
class TextureSlot {
 public:
  TextureSlot() = default;
  ~TextureSlot() { release(); }
  TextureSlot(const TextureSlot&) = delete;
  TextureSlot& operator=(const TextureSlot&) = delete;

  // The texture if it belongs to `backend`, otherwise null (never made, or made by a renderer
  // that has gone since).
  SDL_Texture* get(const Graphics::Backend* backend) const {
    return backend != nullptr && owner_ == backend ? texture_ : nullptr;
  }
  void reset(Graphics::Backend* backend, SDL_Texture* texture);
  void release();

 private:
  friend struct Graphics::Backend;
  SDL_Texture* texture_ = nullptr;
  Graphics::Backend* owner_ = nullptr;
};

struct Graphics::Backend {
  // Takes ownership of the renderer.
  explicit Backend(SDL_Renderer* renderer);
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  void drawImage(const DrawCall& call);
  void drawText(const DrawCall& call);

  SDL_Renderer* renderer;
  // Counts flushed frames; cached text that has not been drawn for a while is dropped by it.
  long frame = 0;
  std::unordered_set<TextureSlot*> slots;
};

struct Image::Texture {
  TextureSlot slot;
  int width = 0;
  int height = 0;
  // No transparent pixel: drawn without blending when the draw colour is opaque too, which
  // the software renderer does several times faster (a track's whole background every frame).
  bool opaque = false;
};

struct Font::Face {
  Face() = default;
  ~Face();
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;

  struct CachedText {
    TextureSlot slot;
    int width = 0;
    int height = 0;
    long lastUsed = 0;
  };

  // The texture of `text` rendered in white (tinted at draw time), made once and reused while
  // the text keeps being drawn. Null for empty text or when rendering fails.
  CachedText* cached(Graphics::Backend& backend, const std::wstring& text);
  void sweep(long frame);

  // A stretch of text drawn with one font: this face's own, or another installed font for
  // characters it has no glyph for.
  struct Run {
    TTF_Font* font = nullptr;
    std::string utf8;
  };
  // `text` in drawing order (right-to-left text reordered), cut where the font changes.
  std::vector<Run> runsOf(const std::wstring& text);
  // Width in pixels of the runs together.
  int widthOf(const std::vector<Run>& runs) const;
  // The factor a run's font is drawn at: 1, or less for a font taller than the line.
  double scaleOf(TTF_Font* runFont) const;
  // The runs drawn in white side by side on their common baseline; null when nothing renders.
  SDL_Surface* render(const std::vector<Run>& runs) const;
  // The font that draws `character`: this face's when it has the glyph, else the installed font
  // fontconfig finds for it (opened once at this face's line height), else this face's.
  TTF_Font* fontFor(char32_t character);

  TTF_Font* font = nullptr;
  std::string file;
  std::string foundFamily;
  int pointSize = 0;
  int lineHeight = 0;
  long lastSweep = 0;
  std::unordered_map<std::wstring, std::unique_ptr<CachedText>> cache;
  std::unordered_map<char32_t, TTF_Font*> fontByCharacter;
  std::unordered_map<std::string, TTF_Font*> fallbackByFile;  // owned, closed with the face
};

// SDL_ttf must be initialised once before any font is opened; it stays up for the whole process
// because fonts in late-destroyed caches may still close their faces.
void ensureTtf();
// SDL_image's PNG support, likewise once per process.
void ensureImage();

}  // namespace platform
