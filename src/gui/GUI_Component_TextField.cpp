#include "gui/GUI_Component_TextField.h"

#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "gui/UiFont.h"
#include "platform/Buttons.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Input.h"

namespace gui {
namespace {

constexpr int kFontHeight = 17;
constexpr int kTextInsetX = 6;
constexpr int kTextInsetY = 4;
constexpr int kCaretWidth = 2;
// The caret shows for half a second and hides for half a second.
constexpr int kBlinkFrames = 60;
constexpr platform::Color kFocusColour = 0xffff8c1au;  // the game's racing orange
constexpr platform::Color kHoverColour = 0x80ffffffu;

}  // namespace

GUI_Component_TextField::GUI_Component_TextField(std::string id, const std::string& text,
                                                 std::size_t maxChars)
    : GUI_Component(std::move(id)),
      editor_(maxChars),
      frame_(FieldFrameKind::List),
      font_(FontCache::get(kFontFamily, kFontHeight)) {
  editor_.setText(text);
}

void GUI_Component_TextField::place(int z, int x, int y, int width) {
  x_ = x;
  y_ = y;
  width_ = width;
  const Insets& spacing = frame_.spacing();
  frame_.layout(z, x, x, y, y, x + width - spacing.right, y + kHeight - spacing.bottom);
  keepCaretInView();
}

void GUI_Component_TextField::setText(const std::string& utf8) {
  editor_.setText(utf8);
  firstShown_ = 0;
  keepCaretInView();
}

void GUI_Component_TextField::hide() {
  if (focused_) blur(true);
  GUI_Component::hide();
}

void GUI_Component_TextField::focus() {
  if (focused_) return;
  focused_ = true;
  textBeforeEdit_ = editor_.text();
  blinkFrames_ = 0;
}

void GUI_Component_TextField::blur(bool keep) {
  if (!focused_) return;
  focused_ = false;
  if (!keep) {
    setText(textBeforeEdit_);
    return;
  }
  const std::string now = editor_.text();
  if (now != textBeforeEdit_ && onCommit_) onCommit_(now);
}

bool GUI_Component_TextField::hovers(const platform::Input& input) const {
  const int mx = static_cast<int>(input.mouseX()), my = static_cast<int>(input.mouseY());
  return x_ < mx && mx < x_ + width_ && y_ < my && my < y_ + kHeight;
}

std::string GUI_Component_TextField::process(const platform::Input& input, bool mayTakeMouse) {
  const bool mouseDown = input.down(platform::button::kMouseLeft);
  const bool pressed = mouseDown && !mouseWasDown_;
  mouseWasDown_ = mouseDown;
  if (!visible_) return {};

  const bool hovered = mayTakeMouse && hovers(input);
  if (pressed && hovered) {
    focus();
    editor_.setCaret(caretAtX(input.mouseX()));
    blinkFrames_ = 0;
  } else if (pressed && focused_) {
    blur(true);  // a click anywhere else ends the editing
  }
  if (focused_) edit(input);
  draw(hovered);
  return hovered ? id() : std::string();
}

void GUI_Component_TextField::edit(const platform::Input& input) {
  input.requestTextInput();
  if (editor_.insert(input.typedText())) blinkFrames_ = 0;
  for (int key : input.presses()) {
    if (!focused_) break;
    handleKey(key);
  }
  keepCaretInView();
  ++blinkFrames_;
}

void GUI_Component_TextField::handleKey(int id) {
  namespace button = platform::button;
  blinkFrames_ = 0;
  switch (id) {
    case button::kBackspace:
      editor_.eraseBefore();
      break;
    case button::kDelete:
      editor_.eraseAfter();
      break;
    case button::kLeft:
      editor_.moveLeft();
      break;
    case button::kRight:
      editor_.moveRight();
      break;
    case button::kHome:
      editor_.moveHome();
      break;
    case button::kEnd:
      editor_.moveEnd();
      break;
    case button::kEnter:
    case button::kKeypadEnter:
    case button::kTab:
      blur(true);
      break;
    case button::kEscape:
      blur(false);
      break;
    default:
      break;
  }
}

std::size_t GUI_Component_TextField::caretAtX(double x) const {
  const std::wstring& chars = editor_.characters();
  const double textX = x_ + kTextInsetX;
  std::size_t caret = firstShown_;
  // The caret goes to the gap nearest to the click.
  while (caret < chars.size()) {
    const double before = font_.textWidth(chars.substr(firstShown_, caret - firstShown_));
    const double after = font_.textWidth(chars.substr(firstShown_, caret + 1 - firstShown_));
    if (x < textX + (before + after) / 2) break;
    ++caret;
  }
  return caret;
}

void GUI_Component_TextField::keepCaretInView() {
  const std::wstring& chars = editor_.characters();
  const double room = width_ - 2 * kTextInsetX - kCaretWidth;
  const std::size_t caret = editor_.caret();
  if (firstShown_ > caret) firstShown_ = caret;
  while (firstShown_ < caret &&
         font_.textWidth(chars.substr(firstShown_, caret - firstShown_)) > room) {
    ++firstShown_;
  }
}

void GUI_Component_TextField::draw(bool hovered) const {
  frame_.draw();
  const std::wstring& chars = editor_.characters();
  const double room = width_ - 2 * kTextInsetX;
  // As many characters from the first shown as fit in the box (a binary search: widths grow
  // with every character).
  std::size_t end = firstShown_, tooMany = chars.size() + 1;
  while (end + 1 < tooMany) {
    const std::size_t middle = end + (tooMany - end) / 2;
    if (font_.textWidth(chars.substr(firstShown_, middle - firstShown_)) <= room) {
      end = middle;
    } else {
      tooMany = middle;
    }
  }
  const std::wstring shown = chars.substr(firstShown_, end - firstShown_);
  const int z = frame_.z();
  const double textX = x_ + kTextInsetX, textY = y_ + kTextInsetY;
  font_.draw(shown, textX + 1, textY + 1, z, 1.0, 1.0, platform::kBlack);
  font_.draw(shown, textX, textY, z, 1.0, 1.0, platform::kWhite);

  const platform::Image& pixel = ImageCache::pixel();
  if (focused_ || hovered) {
    // An underline says which field is being edited (orange) or would be (faint white).
    pixel.draw(x_ + 3, y_ + kHeight - 4, z, width_ - 6, 2, focused_ ? kFocusColour : kHoverColour);
  }
  if (focused_ && blinkFrames_ % kBlinkFrames < kBlinkFrames / 2) {
    const double caretX =
        textX + font_.textWidth(chars.substr(firstShown_, editor_.caret() - firstShown_));
    pixel.draw(caretX, textY, z, kCaretWidth, kFontHeight, kFocusColour);
  }
}

}  // namespace gui
