#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/FontCache.h"
#include "gui/GUI_Listener.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "gui/Sprite.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace guitest {

// Writes down what a manager tells it, as "hover:id" and "click:id".
class Recorder : public gui::GUI_Listener {
 public:
  explicit Recorder(std::string name = "") : name_(std::move(name)) {}
  void onClick(std::string id) override { events.push_back(name_ + "click:" + id); }
  void onHover(std::string id) override { events.push_back(name_ + "hover:" + id); }
  std::vector<std::string> clicks() const {
    std::vector<std::string> result;
    for (const auto& e : events) {
      if (e.find("click:") != std::string::npos) result.push_back(e);
    }
    return result;
  }
  std::vector<std::string> events;

 private:
  std::string name_;
};

// A manager over a window-less graphics, the shipped skin, and a scripted mouse.
class GuiTest : public ::testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  GuiTest() {
    platform::setProgramFolder(testsupport::dataDir());
    manager.addListener(&recorder);
  }
  ~GuiTest() override {
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }

  // One frame: the draws of the previous frame are dropped, so queued() shows this frame's.
  void frame() {
    graphics.flush();
    manager.update(input);
    input.endFrame();
  }
  void moveTo(double x, double y) { input.setMouse(x, y); }
  void setButton(bool down) { input.setDown(platform::button::kMouseLeft, down); }
  // Press and release at (x, y) over two frames; returns the clicks of the release frame.
  std::vector<std::string> clickAt(double x, double y) {
    moveTo(x, y);
    setButton(true);
    frame();
    recorder.events.clear();
    setButton(false);
    frame();
    return recorder.clicks();
  }

  // Draw calls of this frame that use the skin picture `name`.
  int drawsOf(const std::string& name) const {
    const platform::Image* image = &gui::ImageCache::get(gui::guiImagePath(name));
    int count = 0;
    for (const auto& call : graphics.queued()) {
      if (call.kind == platform::DrawCall::Kind::Image && call.image == image) ++count;
    }
    return count;
  }
  int textDraws(const std::wstring& text) const {
    int count = 0;
    for (const auto& call : graphics.queued()) {
      if (call.kind == platform::DrawCall::Kind::Text && call.text == text) ++count;
    }
    return count;
  }

  platform::Graphics graphics{800, 600};
  gui::GUI_Manager manager{graphics};
  platform::Input input;
  Recorder recorder;
};

}  // namespace guitest
