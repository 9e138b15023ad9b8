#include <string>

#include "GuiFixture.h"
#include "gui/EditableText.h"
#include "gui/GUI_Component_TextField.h"
#include "platform/Font.h"

namespace guitest {
namespace {

using gui::EditableText;
using gui::GUI_Component_TextField;
namespace button = platform::button;

TEST(EditableText, CountsCharactersNotBytesAndErasesThemWhole) {
  EditableText text(5);
  EXPECT_TRUE(text.insert("Zoë"));                           // ë is two bytes
  EXPECT_TRUE(text.insert("\xe6\x97\xa5\xf0\x9f\x8f\x81"));  // 日 (3 bytes) and 🏁 (4 bytes)
  EXPECT_EQ(text.characters().size(), 5u);
  EXPECT_FALSE(text.insert("x"));  // the limit is five characters, whatever their bytes
  EXPECT_EQ(text.text(), "Zo\xc3\xab\xe6\x97\xa5\xf0\x9f\x8f\x81");

  EXPECT_TRUE(text.eraseBefore());  // the flag goes whole, no stray byte is left
  EXPECT_EQ(text.text(), "Zo\xc3\xab\xe6\x97\xa5");
  text.moveLeft();
  EXPECT_TRUE(text.eraseBefore());  // ë
  EXPECT_EQ(text.text(), "Zo\xe6\x97\xa5");
  EXPECT_TRUE(text.eraseAfter());  // 日
  EXPECT_EQ(text.text(), "Zo");
  EXPECT_FALSE(text.eraseAfter());

  // Typed text that does not fit goes in as far as it fits; control characters never.
  text.moveHome();
  EXPECT_TRUE(text.insert("a\tb\ncdef"));
  EXPECT_EQ(text.text(), "abcZo");
  EXPECT_EQ(text.caret(), 3u);
  // A stored text longer than the limit is cut to it.
  text.setText("Alexandra");
  EXPECT_EQ(text.text(), "Alexa");
  EXPECT_EQ(text.caret(), 5u);
}

class TextFieldTest : public GuiTest {
 protected:
  TextFieldTest() {
    field.place(550, 100, 100, 200);
    field.setOnCommit([this](const std::string& text) { commits.push_back(text); });
    manager.add(&field);
  }
  void press(double x, double y) {
    moveTo(x, y);
    input.press(button::kMouseLeft);
    input.release(button::kMouseLeft);
    frame();
  }
  void key(int id) {
    input.press(id);
    input.release(id);
    frame();
  }
  void type(const std::string& utf8) {
    input.typeText(utf8);
    frame();
  }

  GUI_Component_TextField field{"playerName", "Player1", 12};
  std::vector<std::string> commits;
};

TEST_F(TextFieldTest, AClickFocusesTypingEditsAndEnterKeepsTheText) {
  frame();
  EXPECT_FALSE(field.focused());
  EXPECT_FALSE(input.textInputRequested());

  press(290, 110);  // right of the text: the caret goes to the end
  ASSERT_TRUE(field.focused());
  EXPECT_EQ(field.caret(), 7u);
  frame();  // the tap's release: the field's id is a command like any widget's
  EXPECT_EQ(recorder.clicks(), std::vector<std::string>{"click:playerName"});
  // The field asks for the platform's text input in every frame it has the focus.
  moveTo(10, 10);
  manager.update(input);
  EXPECT_TRUE(input.textInputRequested());
  input.endFrame();

  key(button::kBackspace);
  type("é");
  key(button::kEnter);
  EXPECT_FALSE(field.focused());
  EXPECT_EQ(field.text(), "Player\xc3\xa9");
  EXPECT_EQ(commits, std::vector<std::string>{"Player\xc3\xa9"});
  frame();
  EXPECT_FALSE(input.textInputRequested());
  // Typing without the focus changes nothing.
  type("zzz");
  EXPECT_EQ(field.text(), "Player\xc3\xa9");
}

TEST_F(TextFieldTest, EscapeGivesBackTheOldTextAndAClickElsewhereKeepsTheNew) {
  press(290, 110);
  type("X");
  key(button::kEscape);
  EXPECT_EQ(field.text(), "Player1");
  EXPECT_TRUE(commits.empty());

  press(290, 110);
  key(button::kHome);
  type("Ace ");
  press(500, 400);  // a click outside the field
  EXPECT_FALSE(field.focused());
  EXPECT_EQ(field.text(), "Ace Player1");
  EXPECT_EQ(commits, std::vector<std::string>{"Ace Player1"});
  // Focused again and left unchanged: nothing to tell.
  press(290, 110);
  key(button::kTab);
  EXPECT_EQ(commits.size(), 1u);
}

TEST_F(TextFieldTest, ALongTextScrollsToKeepTheCaretInTheBox) {
  GUI_Component_TextField narrow("narrow", "", 40);
  narrow.place(550, 100, 200, 80);
  manager.add(&narrow);
  press(150, 210);
  type("WWWWWWWWWWWWWWWWWWWW");
  // Only the end of the text is drawn, and it fits the box.
  const auto& calls = graphics.queued();
  const platform::DrawCall* text = nullptr;
  for (const auto& call : calls) {
    if (call.kind == platform::DrawCall::Kind::Text && call.color == platform::kWhite &&
        call.y > 200) {
      text = &call;
    }
  }
  ASSERT_NE(text, nullptr);
  EXPECT_LT(text->text.size(), 20u);
  EXPECT_GT(text->text.size(), 0u);
  EXPECT_LE(text->font->textWidth(text->text), 80 - 12);
  // Hiding the field ends the editing and keeps the text.
  narrow.hide();
  EXPECT_FALSE(narrow.focused());
  EXPECT_EQ(narrow.text(), std::string(20, 'W'));
  manager.remove(&narrow);
}

}  // namespace
}  // namespace guitest
