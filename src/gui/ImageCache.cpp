#include "gui/ImageCache.h"

#include <stdexcept>

#include "platform/Image.h"

namespace gui {

namespace {
std::unique_ptr<ImageCache>& storage() {
  static std::unique_ptr<ImageCache> cache;
  return cache;
}
}  // namespace

ImageCache& ImageCache::instance() {
  auto& cache = storage();
  if (!cache) cache.reset(new ImageCache());
  return *cache;
}

const platform::Image& ImageCache::get(const std::string& fileName) {
  ImageCache& cache = instance();
  if (cache.graphics_ == nullptr) throw std::runtime_error("No graphics specified");
  auto found = cache.images_.find(fileName);
  if (found != cache.images_.end()) return *found->second;
  auto image = std::make_unique<platform::Image>(*cache.graphics_, fileName, true);
  const platform::Image& result = *image;
  cache.images_.emplace(fileName, std::move(image));
  return result;
}

void ImageCache::setGraphics(platform::Graphics* graphics) {
  ImageCache& cache = instance();
  if (cache.graphics_ != graphics) cache.images_.clear();
  cache.graphics_ = graphics;
}

void ImageCache::discard() {
  storage().reset();
}

std::size_t ImageCache::size() {
  return storage() ? storage()->images_.size() : 0;
}

}  // namespace gui
