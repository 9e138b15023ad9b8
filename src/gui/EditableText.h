#pragma once
#include <cstddef>
#include <string>

namespace gui {

// A line of text being edited: the characters (one code point each, so a character typed as
// several UTF-8 bytes is removed whole), a caret between them and a limit on their number.
class EditableText {
 public:
  // maxChars: the most characters the text may hold (e.g. 20 for a player's name).
  explicit EditableText(std::size_t maxChars) : maxChars_(maxChars) {}

  // Replaces the text (cut to the limit) and puts the caret at its end.
  void setText(const std::string& utf8);
  std::string text() const;
  const std::wstring& characters() const { return chars_; }
  std::size_t maxChars() const { return maxChars_; }
  // Characters before the caret, 0..size.
  std::size_t caret() const { return caret_; }
  void setCaret(std::size_t caret);

  // Inserts typed UTF-8 text at the caret, as much of it as the limit lets in; control
  // characters are dropped. False when nothing went in.
  bool insert(const std::string& utf8);
  // Removes the character before the caret (backspace) or after it (delete).
  bool eraseBefore();
  bool eraseAfter();
  void moveLeft();
  void moveRight();
  void moveHome() { caret_ = 0; }
  void moveEnd() { caret_ = chars_.size(); }

 private:
  std::wstring chars_;
  std::size_t caret_ = 0;
  std::size_t maxChars_;
};

}  // namespace gui
