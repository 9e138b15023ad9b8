#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/MessageBox.h"
#include "app/ScreenWidgets.h"
#include "app/TrackList.h"
#include "editor/BackgroundPainting.h"
#include "editor/CanvasControl.h"
#include "editor/DriveJobs.h"
#include "editor/EditorPanel.h"
#include "editor/TrackChecks.h"
#include "editor/TrackDocument.h"
#include "editor/TrackPainter.h"
#include "editor/Viewport.h"
#include "gui/GUI_Listener.h"
#include "gui/GUI_Manager.h"
#include "track/TrackFolders.h"

namespace platform {
class Graphics;
class Image;
class Input;
}  // namespace platform

namespace editor {

// What only the window can do for the screen.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual void setCaption(const std::wstring& caption) = 0;
  // The editor is done: the window closes.
  virtual void quit() = 0;
};

// The editor's one screen: the canvas with the track, the panel, the menus and the dialogs, and
// the commands behind them. It runs on any graphics and input, so the tests drive it headless
// with scripted input as the window drives it with the real ones.
class EditorScreen : public gui::GUI_Listener {
 public:
  static constexpr int kWidth = 1200;
  static constexpr int kHeight = 760;

  // `folders` decides where tracks are looked for and saved.
  EditorScreen(platform::Graphics& graphics, const platform::Input& input,
               track::TrackFolders folders, EditorHost& host);
  ~EditorScreen() override;

  // Opens the track file at `path` for editing (no question asked). False, with a message box
  // saying why, when it cannot be read as a track file.
  bool open(const std::string& path);

  // Once a frame: the keys, the background jobs and the checks.
  void update();
  // Once a frame: the canvas and every widget (the GUI pass, which delivers the commands).
  void draw();
  // The window's close button or the desktop's quit: true to close now; with unsaved changes
  // the question is put up and the answer closes the window later.
  bool requestQuit();

  void onClick(std::string id) override;
  void onHover(std::string) override {}

  // The parts, for tests.
  TrackDocument& document() { return document_; }
  Viewport& view() { return view_; }
  CanvasControl& control() { return control_; }
  gui::GUI_Manager& gui() { return gui_; }
  app::ScreenWidgets& widgets() { return widgets_; }
  const std::vector<Finding>& findings() const { return findings_; }
  int gridCount() const { return gridCount_; }
  const std::wstring& message() const { return message_; }
  // What the last test drive or computer lap showed.
  const std::wstring& driveResult() const { return driveResult_; }
  const platform::Image* picture() const { return picture_.get(); }
  bool paintingRunning() const { return painting_.running(); }
  bool computerLapRunning() const { return computerLap_.running(); }
  // The caption the window shows: "Solvern - title", with " *" while modified.
  std::wstring caption() const;

 private:
  enum class Pending { None, New, OpenPath, Quit };

  void handleKeys();
  void describeSelection();
  bool pressed(int button) const;
  bool modal() const;

  void ask(Pending pending, std::string path = "");
  void answer(const std::string& id);
  void carryOut(Pending pending);
  void newTrack();
  void showOpenView();
  void closeOpenView();
  void chooseTrack(const std::string& rowId);

  // Saves the track where it belongs; `asNew` picks a fresh file named after the title.
  bool save(bool asNew);
  std::string saveTarget(bool asNew) const;
  void placeGrid();
  // What the title and picture name fields do when an edit ends with a change (UTF-8).
  void retitle(const std::string& typed);
  void renameBackground(const std::string& typed);
  void deleteSelected();
  void testDrive();
  void computerLap();
  void paintBackground();
  void pollJobs();
  std::string raceCopy(std::string* error);
  bool readyToRace();

  void refreshChecks();
  void refreshPanel();
  void loadPicture();
  std::string picturePath() const;
  void fitView();
  void showFinding(const std::string& rowId);
  void setMessage(const std::wstring& text, bool alarming = false);
  void setDriveResult(const std::wstring& text);
  void popup(const std::wstring& title, const std::wstring& text);

  platform::Graphics& graphics_;
  const platform::Input& input_;
  track::TrackFolders folders_;
  EditorHost& host_;
  gui::GUI_Manager gui_;
  app::ScreenWidgets widgets_;
  app::MessageBox messageBox_;
  EditorPanel panel_;
  TrackDocument document_;
  Viewport view_;
  CanvasControl control_;
  TrackPainter painter_;
  std::unique_ptr<app::TrackList> openList_;
  std::unique_ptr<platform::Image> picture_;
  std::string picturePath_;
  // The picture name the picture was looked for under.
  std::string pictureName_;
  // The picture is replaced only at the start of a frame: commands arrive while the frame's
  // drawing still waits in the queue, the old picture with it.
  bool pictureStale_ = false;
  std::vector<Finding> findings_;
  unsigned long checkedVersion_ = ~0ul;
  unsigned long shownVersion_ = ~0ul;
  Handle describedSelection_;
  int gridCount_ = 8;
  Pending pending_ = Pending::None;
  std::string pendingPath_;
  std::wstring message_;
  bool messageAlarming_ = false;
  std::wstring driveResult_;
  std::vector<bool> keysDown_;
  // The copies go last, after the jobs that may still read them have stopped.
  TemporaryTracks temporary_;
  BackgroundPainting painting_;
  ComputerLap computerLap_;
};

}  // namespace editor
