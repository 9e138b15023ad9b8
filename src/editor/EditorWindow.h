#pragma once
#include <memory>
#include <string>

#include "editor/EditorScreen.h"
#include "platform/Window.h"

namespace editor {

// The editor's window: the screen at the game's frame rate. Closing it with unsaved changes
// asks first.
class EditorWindow : public platform::Window, public EditorHost {
 public:
  EditorWindow();
  // The caches hold pictures and fonts of this window's graphics; they go before it.
  ~EditorWindow() override;

  void update() override { screen_->update(); }
  void draw() override { screen_->draw(); }
  bool closeRequested() override { return screen_->requestQuit(); }

  void setCaption(const std::wstring& caption) override { Window::setCaption(caption); }
  void quit() override { close(); }

  EditorScreen& screen() { return *screen_; }

 private:
  std::unique_ptr<EditorScreen> screen_;
};

}  // namespace editor
