#pragma once
#include <map>
#include <memory>
#include <string>

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace gui {

// The process-wide store of loaded pictures: each file is loaded once and shared by every
// widget. Created on first use; the first GUI_Manager installs the graphics to load with.
class ImageCache {
 public:
  // The picture of `fileName` (a full path, UTF-8), loaded with hard borders on a miss.
  // Throws std::runtime_error "No graphics specified" before any GUI_Manager exists, and
  // whatever the image loading throws for a missing or broken file.
  static const platform::Image& get(const std::string& fileName);

  // Pictures belong to the graphics they were loaded with, so installing a different one
  // drops the pictures of the previous.
  static void setGraphics(platform::Graphics* graphics);
  // Frees every picture and forgets the graphics (the main window's teardown; tests).
  static void discard();
  // Number of distinct pictures loaded (tests, diagnostics).
  static std::size_t size();

 private:
  static ImageCache& instance();

  platform::Graphics* graphics_ = nullptr;
  std::map<std::string, std::unique_ptr<platform::Image>> images_;
};

}  // namespace gui
