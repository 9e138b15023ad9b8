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

const platform::Image& ImageCache::pixel() {
  ImageCache& cache = instance();
  if (cache.graphics_ == nullptr) throw std::runtime_error("No graphics specified");
  if (!cache.pixel_) {
    cache.pixel_ = std::make_unique<platform::Image>(
        *cache.graphics_, platform::Bitmap(1, 1, platform::kWhite), false);
  }
  return *cache.pixel_;
}

std::unique_ptr<platform::Image> ImageCache::fromPixels(const platform::Bitmap& pixels) {
  ImageCache& cache = instance();
  if (cache.graphics_ == nullptr) throw std::runtime_error("No graphics specified");
  return std::make_unique<platform::Image>(*cache.graphics_, pixels, false);
}

void ImageCache::setGraphics(platform::Graphics* graphics) {
  ImageCache& cache = instance();
  if (cache.graphics_ != graphics) {
    cache.images_.clear();
    cache.pixel_.reset();
  }
  cache.graphics_ = graphics;
}

void ImageCache::discard() {
  storage().reset();
}

std::size_t ImageCache::size() {
  return storage() ? storage()->images_.size() : 0;
}

}  // namespace gui
