#include "editor/EditorWindow.h"

#include "app/GameWindow.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"

namespace editor {

EditorWindow::EditorWindow()
    : Window(EditorScreen::kWidth, EditorScreen::kHeight, false,
             app::GameWindow::kUpdateIntervalMs) {
  screen_ = std::make_unique<EditorScreen>(graphics(), input(), track::trackFolders(), *this);
  Window::setCaption(screen_->caption());
}

EditorWindow::~EditorWindow() {
  screen_.reset();
  gui::FontCache::discard();
  gui::ImageCache::discard();
}

}  // namespace editor
