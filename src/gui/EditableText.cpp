#include "gui/EditableText.h"

#include <algorithm>

#include "platform/Text.h"

namespace gui {
namespace {

bool isControl(wchar_t ch) {
  return ch < 0x20 || ch == 0x7f;
}

}  // namespace

void EditableText::setText(const std::string& utf8) {
  chars_ = platform::widen(utf8);
  std::erase_if(chars_, isControl);
  if (chars_.size() > maxChars_) chars_.resize(maxChars_);
  caret_ = chars_.size();
}

std::string EditableText::text() const {
  return platform::narrow(chars_);
}

void EditableText::setCaret(std::size_t caret) {
  caret_ = std::min(caret, chars_.size());
}

bool EditableText::insert(const std::string& utf8) {
  std::wstring typed = platform::widen(utf8);
  std::erase_if(typed, isControl);
  const std::size_t room = maxChars_ - std::min(maxChars_, chars_.size());
  if (typed.size() > room) typed.resize(room);
  if (typed.empty()) return false;
  chars_.insert(caret_, typed);
  caret_ += typed.size();
  return true;
}

bool EditableText::eraseBefore() {
  if (caret_ == 0) return false;
  chars_.erase(--caret_, 1);
  return true;
}

bool EditableText::eraseAfter() {
  if (caret_ >= chars_.size()) return false;
  chars_.erase(caret_, 1);
  return true;
}

void EditableText::moveLeft() {
  if (caret_ > 0) --caret_;
}

void EditableText::moveRight() {
  if (caret_ < chars_.size()) ++caret_;
}

}  // namespace gui
