#include "gui/FontCache.h"

#include <stdexcept>

#include "platform/Font.h"
#include "platform/Text.h"

namespace gui {

namespace {
std::unique_ptr<FontCache>& storage() {
  static std::unique_ptr<FontCache> cache;
  return cache;
}
}  // namespace

FontCache& FontCache::instance() {
  auto& cache = storage();
  if (!cache) cache.reset(new FontCache());
  return *cache;
}

const platform::Font& FontCache::get(const std::string& name, int height) {
  FontCache& cache = instance();
  if (cache.graphics_ == nullptr) throw std::runtime_error("No graphics specified");
  auto key = std::make_pair(name, height);
  auto found = cache.fonts_.find(key);
  if (found != cache.fonts_.end()) return *found->second;
  auto font = std::make_unique<platform::Font>(*cache.graphics_, name, height);
  const platform::Font& result = *font;
  cache.fonts_.emplace(std::move(key), std::move(font));
  return result;
}

const platform::Font& FontCache::get(const std::wstring& name, int height) {
  return get(platform::narrow(name), height);
}

void FontCache::setGraphics(platform::Graphics* graphics) {
  FontCache& cache = instance();
  if (cache.graphics_ != graphics) cache.fonts_.clear();
  cache.graphics_ = graphics;
}

void FontCache::discard() {
  storage().reset();
}

std::size_t FontCache::size() {
  return storage() ? storage()->fonts_.size() : 0;
}

}  // namespace gui
