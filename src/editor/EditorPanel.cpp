#include "editor/EditorPanel.h"

#include <memory>

#include "app/MenuRules.h"
#include "editor/EditorStyle.h"
#include "editor/StripWidget.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Component_TextField.h"
#include "platform/Text.h"
#include "track/TrackLimits.h"

namespace editor {

namespace {

// The race setup panel's colours: dark headings, grey captions, both with a white shadow.
constexpr unsigned kHeading = 0xff323232u;
constexpr unsigned kCaption = 0xff5a5a5au;
constexpr unsigned kShadow = 0xffffffffu;
constexpr std::size_t kCheckLineChars = 38;
constexpr int kDriveLines = 2;
// A picture's name is a file name beside the track.
constexpr std::size_t kMaxPictureNameChars = 255;
constexpr int kFieldIndent = 76;

std::unique_ptr<gui::GUI_Component_Menu> dropDown(const std::string& id) {
  auto menu = std::make_unique<gui::GUI_Component_Menu>(id);
  menu->setFrameKind(gui::FieldFrameKind::Sub);
  return menu;
}

}  // namespace

EditorPanel::EditorPanel(app::ScreenWidgets& widgets, platform::Graphics& graphics, int screenWidth,
                         int screenHeight)
    : widgets_(widgets),
      graphics_(graphics),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight) {}

void EditorPanel::build() {
  widgets_.add(std::make_unique<gui::GUI_Component_Mouse>("gui_mouse", kPointerLayer));
  buildPanel();
  buildStatusLine();
  buildMenuBar();
}

gui::GUI_Component_Label* EditorPanel::addLabel(const std::string& id, const std::wstring& text,
                                                int height, int x, int y, unsigned colour,
                                                unsigned shadow) {
  auto label = std::make_unique<gui::GUI_Component_Label>(id, text, style::kFont, height, x, y,
                                                          kControlsLayer, true);
  label->setColour(colour);
  label->setShadowColour(shadow);
  return widgets_.add(std::move(label));
}

void EditorPanel::addButton(const std::string& id, const std::wstring& caption, int x, int y,
                            int width) {
  auto button = std::make_unique<gui::GUI_Component_Button>(id, caption);
  button->place(kControlsLayer, x, y, width);
  widgets_.add(std::move(button));
}

gui::GUI_Component_TextField* EditorPanel::addField(const std::string& id,
                                                    const std::wstring& caption,
                                                    std::size_t maxChars, int y) {
  const int left = panelLeft() + 8;
  addLabel("gui_fieldLbl", caption, 17, left, y + 3, kHeading);
  auto field = std::make_unique<gui::GUI_Component_TextField>(id, "", maxChars);
  field->place(kControlsLayer, left + kFieldIndent, y, kPanelWidth - 24 - kFieldIndent);
  return widgets_.add(std::move(field));
}

bool EditorPanel::typing() const {
  return (titleField_ && titleField_->focused()) ||
         (backgroundField_ && backgroundField_->focused());
}

void EditorPanel::buildMenuBar() {
  auto bar = std::make_unique<gui::GUI_Component_Menu>("editorMenu");
  bar->addItem("file", L"File");
  auto file = dropDown("fileMenu");
  file->addItem("newTrack", L"New Track    Ctrl+N", true);
  file->addItem("openTrack", L"Open...    Ctrl+O", true);
  file->addItem("saveTrack", L"Save    Ctrl+S", true);
  file->addItem("saveTrackAs", L"Save As New File    Ctrl+Shift+S", true);
  file->addItem("quitEditor", L"Quit", true);
  bar->addSubMenu("file", std::move(file));

  bar->addItem("edit", L"Edit");
  auto edit = dropDown("editMenu");
  edit->addItem("undo", L"Undo    Ctrl+Z", true);
  edit->addItem("redo", L"Redo    Ctrl+Y", true);
  edit->addItem("deleteSelected", L"Delete Point or Place    Del", true);
  edit->addItem("fitView", L"Show Whole Track    Home", true);
  bar->addSubMenu("edit", std::move(edit));

  bar->addItem("trackTools", L"Track");
  auto tools = dropDown("trackMenu");
  tools->addItem("placeGrid", L"Place Grid", true);
  tools->addItem("testDrive", L"Test Drive", true);
  tools->addItem("computerLap", L"Computer Lap", true);
  tools->addItem("paintBackground", L"Paint Background", true);
  bar->addSubMenu("trackTools", std::move(tools));

  bar->addItem("help", L"Help");
  auto help = dropDown("helpMenu");
  help->addItem("editorHelp", L"Solvern Help", true);
  bar->addSubMenu("help", std::move(help));

  bar->layout(kMenuBarLayer, 0, 0, 0, 0);
  widgets_.add(std::move(bar));
}

void EditorPanel::buildPanel() {
  const int x = panelLeft();
  widgets_.add(std::make_unique<gui::GUI_Component_Background>("gui_panelBg", kPanelLayer, x - 4,
                                                               kMenuBarHeight, screenWidth_,
                                                               screenHeight_ - kStatusHeight + 40));
  const int left = x + 8;
  int y = kMenuBarHeight + 10;
  titleField_ = addField("gui_titleField", L"Title", track::limits::kMaxTitleCharacters, y);
  y += gui::GUI_Component_TextField::kHeight + 6;
  backgroundField_ = addField("gui_backgroundField", L"Picture", kMaxPictureNameChars, y);
  y += gui::GUI_Component_TextField::kHeight + 8;
  file_ = addLabel("gui_fileLbl", L"", 15, left, y, kCaption);
  picture_ = addLabel("gui_pictureLbl", L"", 15, left, y + 18, kCaption);

  y += 46;
  addLabel("gui_gridLbl", L"Start grid", 17, left, y, kHeading);
  y += 24;
  addButton("gridLess", L"-", left, y, 24);
  gridCount_ = addLabel("gui_gridCountLbl", L"8", 17, left + 32, y + 3, kHeading);
  addButton("gridMore", L"+", left + 56, y, 24);
  addButton("placeGrid", L"Place grid", left + 90, y, 100);
  addButton("clearGrid", L"Clear", left + 196, y, 80);

  y += 40;
  addLabel("gui_driveLbl", L"Try the track", 17, left, y, kHeading);
  y += 24;
  addButton("testDrive", L"Test drive", left, y, 130);
  addButton("computerLap", L"Computer lap", left + 140, y, 136);
  y += 32;
  driveLines_.clear();
  for (int i = 0; i < kDriveLines; ++i) {
    driveLines_.push_back(addLabel("gui_driveResultLbl", L"", 15, left, y + 17 * i, kCaption));
  }

  y += 44;
  addButton("paintBackground", L"Paint background", left, y, 160);
  painting_ = addLabel("gui_paintingLbl", L"", 15, left, y + 32, kCaption);

  y += 58;
  checksSummary_ = addLabel("gui_checksLbl", L"Checks", 17, left, y, kHeading);
  checksTop_ = y + 24;
}

void EditorPanel::buildStatusLine() {
  const int top = screenHeight_ - kStatusHeight;
  widgets_.add(std::make_unique<StripWidget>("gui_statusBg", graphics_, kPanelLayer + 5, 0, top,
                                             screenWidth_, screenHeight_));
  facts_ = addLabel("gui_factsLbl", L"", 16, 10, top + 6, style::kDimText, style::kTextShadow);
  message_ = addLabel("gui_messageLbl", L"", 16, 400, top + 6, style::kText, style::kTextShadow);
}

void EditorPanel::showTrack(const std::string& title, const std::string& background,
                            const std::wstring& file, const std::wstring& picture) {
  if (titleField_ && !titleField_->focused()) titleField_->setText(title);
  if (backgroundField_ && !backgroundField_->focused()) backgroundField_->setText(background);
  if (file_) file_->setText(file);
  if (picture_) picture_->setText(picture);
}

void EditorPanel::showGridCount(int count) {
  if (gridCount_) gridCount_->setText(std::to_wstring(count));
}

void EditorPanel::showDriveResult(const std::wstring& text) {
  const std::vector<std::wstring> lines = app::wrapLine(text, kCheckLineChars + 2);
  for (std::size_t i = 0; i < driveLines_.size(); ++i) {
    driveLines_[i]->setText(i < lines.size() ? lines[i] : L"");
  }
}

void EditorPanel::showPainting(const std::wstring& text) {
  if (painting_) painting_->setText(text);
}

void EditorPanel::showFindings(const std::vector<Finding>& findings) {
  int refusals = 0;
  for (const Finding& f : findings) refusals += f.severity == Severity::Refusal ? 1 : 0;
  const int warnings = static_cast<int>(findings.size()) - refusals;
  if (checksSummary_) {
    checksSummary_->setText(findings.empty() ? L"Checks: all clear"
                                             : L"Checks: " + std::to_wstring(refusals) +
                                                   (refusals == 1 ? L" error, " : L" errors, ") +
                                                   std::to_wstring(warnings) +
                                                   (warnings == 1 ? L" warning" : L" warnings"));
  }
  if (checks_) widgets_.destroy(checks_);
  const int x = panelLeft();
  auto list = std::make_unique<gui::GUI_Component_ListBox>("gui_checksLB", 1,
                                                           std::vector<int>{kPanelWidth - 20});
  list->setFrameKind(gui::FieldFrameKind::List);
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    const std::wstring prefix = f.severity == Severity::Refusal ? L"Error: " : L"Warning: ";
    const std::string id = kFindingPrefix + std::to_string(i);
    for (const std::wstring& line :
         app::wrapLine(prefix + platform::widen(f.message), kCheckLineChars)) {
      list->addRow(id, {line});
    }
  }
  if (findings.empty()) list->addRow("gui_allClear", {L"No problems: the game takes this track."});
  list->layout(kControlsLayer, x, checksTop_, screenHeight_ - kStatusHeight - checksTop_ - 6);
  checks_ = widgets_.add(std::move(list));
}

void EditorPanel::showStatus(const std::wstring& facts, const std::wstring& message,
                             bool alarming) {
  if (facts_) facts_->setText(facts);
  if (message_) {
    message_->setText(message);
    message_->setColour(alarming ? style::kWarning : style::kText);
  }
}

}  // namespace editor
