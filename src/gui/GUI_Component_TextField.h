#pragma once
#include <functional>
#include <string>

#include "gui/EditableText.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component.h"

namespace platform {
class Font;
}

namespace gui {

// A one-line text entry in the list-field frame. A click gives it the focus (the caret goes
// where the click was); while focused it takes the text the platform's text input delivers,
// Backspace and Delete remove a character, Left, Right, Home and End move the caret. Enter,
// Tab or a click elsewhere keeps the text, Escape gives back the text it had before. Like
// every widget it takes the mouse while the pointer is over it, so its id is a command too.
class GUI_Component_TextField : public GUI_Component {
 public:
  static constexpr int kHeight = 25;

  // text: UTF-8, cut to maxChars characters (e.g. 20).
  GUI_Component_TextField(std::string id, const std::string& text, std::size_t maxChars);

  // The field's box: top-left (x, y) and its width in pixels (e.g. 200), kHeight high.
  void place(int z, int x, int y, int width);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return frame_.z(); }
  // A hidden field keeps what was typed and gives up the focus.
  void hide() override;

  std::string text() const { return editor_.text(); }
  // Replaces the text without telling the commit function.
  void setText(const std::string& utf8);
  std::size_t caret() const { return editor_.caret(); }
  bool focused() const { return focused_; }
  void focus();
  // Ends editing, keeping the text (true) or giving back the text from before (false).
  void blur(bool keep);
  // Called with the new text when editing ends with a changed text.
  void setOnCommit(std::function<void(const std::string&)> onCommit) {
    onCommit_ = std::move(onCommit);
  }

  int left() const { return x_; }
  int top() const { return y_; }
  int right() const { return x_ + width_; }
  int bottom() const { return y_ + kHeight; }

 private:
  bool hovers(const platform::Input& input) const;
  void edit(const platform::Input& input);
  void handleKey(int id);
  std::size_t caretAtX(double x) const;
  void keepCaretInView();
  void draw(bool hovered) const;

  EditableText editor_;
  FieldFrame frame_;
  const platform::Font& font_;
  std::function<void(const std::string&)> onCommit_;
  std::string textBeforeEdit_;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  // The first character shown: a text wider than the box scrolls to keep the caret in view.
  std::size_t firstShown_ = 0;
  bool focused_ = false;
  bool mouseWasDown_ = false;
  int blinkFrames_ = 0;
};

}  // namespace gui
