#pragma once
#include <string>
#include <vector>

#include "app/ScreenWidgets.h"
#include "editor/TrackChecks.h"

namespace gui {
class GUI_Component_Label;
class GUI_Component_ListBox;
class GUI_Component_TextField;
}  // namespace gui

namespace platform {
class Graphics;
}

namespace editor {

// The widgets around the canvas, in the game's skin: the menu bar, the side panel (the track's
// title and background picture name in fields, its file, the start grid, test drives, the
// background painter and the list of checks) and the status line. Widget ids are the editor's
// commands.
class EditorPanel {
 public:
  static constexpr int kMenuBarLayer = 500;
  static constexpr int kPanelLayer = 300;
  static constexpr int kControlsLayer = 310;
  static constexpr int kPointerLayer = 1000;
  static constexpr int kPanelWidth = 300;
  static constexpr int kMenuBarHeight = 28;
  static constexpr int kStatusHeight = 30;
  // Row ids of the checks list: this prefix and the finding's number (0, 1, ...).
  static constexpr const char* kFindingPrefix = "finding_";

  EditorPanel(app::ScreenWidgets& widgets, platform::Graphics& graphics, int screenWidth,
              int screenHeight);

  // Puts up every widget (the screen's whole set, with the mouse pointer).
  void build();

  // Where the canvas lies between the menu bar, the panel and the status line (window pixels).
  int canvasLeft() const { return 0; }
  int canvasTop() const { return kMenuBarHeight; }
  int canvasWidth() const { return panelLeft() - 4; }
  int canvasHeight() const { return screenHeight_ - kMenuBarHeight - kStatusHeight; }

  // The fields edit the track's title and the name of its background picture (UTF-8); the
  // screen sets what a finished edit does (GUI_Component_TextField::setOnCommit).
  gui::GUI_Component_TextField* titleField() const { return titleField_; }
  gui::GUI_Component_TextField* backgroundField() const { return backgroundField_; }
  // Whether a field is being typed in: the keys are then the field's, not the editor's.
  bool typing() const;

  // The track's names (UTF-8; a field being typed in keeps what is typed), its file and the
  // picture shown under it.
  void showTrack(const std::string& title, const std::string& background, const std::wstring& file,
                 const std::wstring& picture);
  void showGridCount(int count);
  void showDriveResult(const std::wstring& text);
  void showPainting(const std::wstring& text);
  // Rebuilds the checks list: each finding's message, wrapped, under a summary line.
  void showFindings(const std::vector<Finding>& findings);
  // The status line: the track's facts on the left, the latest message on the right (in the
  // refusal colour when `alarming`).
  void showStatus(const std::wstring& facts, const std::wstring& message, bool alarming);

 private:
  int panelLeft() const { return screenWidth_ - kPanelWidth - 8; }
  gui::GUI_Component_Label* addLabel(const std::string& id, const std::wstring& text, int height,
                                     int x, int y, unsigned colour, unsigned shadow = 0xffffffffu);
  void addButton(const std::string& id, const std::wstring& caption, int x, int y, int width);
  gui::GUI_Component_TextField* addField(const std::string& id, const std::wstring& caption,
                                         std::size_t maxChars, int y);
  void buildMenuBar();
  void buildPanel();
  void buildStatusLine();

  app::ScreenWidgets& widgets_;
  platform::Graphics& graphics_;
  int screenWidth_;
  int screenHeight_;
  int checksTop_ = 0;
  gui::GUI_Component_TextField* titleField_ = nullptr;
  gui::GUI_Component_TextField* backgroundField_ = nullptr;
  gui::GUI_Component_Label* file_ = nullptr;
  gui::GUI_Component_Label* picture_ = nullptr;
  gui::GUI_Component_Label* gridCount_ = nullptr;
  std::vector<gui::GUI_Component_Label*> driveLines_;
  gui::GUI_Component_Label* painting_ = nullptr;
  gui::GUI_Component_Label* checksSummary_ = nullptr;
  gui::GUI_Component_ListBox* checks_ = nullptr;
  gui::GUI_Component_Label* facts_ = nullptr;
  gui::GUI_Component_Label* message_ = nullptr;
};

}  // namespace editor
