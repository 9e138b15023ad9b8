#pragma once
// Internal to src/platform: the SDL side of Graphics, Image and Font. Nothing outside this
// folder includes it, so SDL stays out of every other subsystem.
#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

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
  void drawTriangles(const DrawCall& call);

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

  TTF_Font* font = nullptr;
  std::string file;
  std::string foundFamily;
  int pointSize = 0;
  long lastSweep = 0;
  std::unordered_map<std::wstring, std::unique_ptr<CachedText>> cache;
};

// SDL_ttf must be initialised once before any font is opened; it stays up for the whole process
// because fonts in late-destroyed caches may still close their faces.
void ensureTtf();
// SDL_image's PNG support, likewise once per process.
void ensureImage();

}  // namespace platform
