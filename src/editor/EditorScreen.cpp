#include "editor/EditorScreen.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/ExternalTools.h"
#include "app/MenuCommands.h"
#include "app/MenuRules.h"
#include "app/SettingsChoices.h"
#include "app/Version.h"
#include "editor/CanvasWidget.h"
#include "editor/SavePlaces.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_TextField.h"
#include "gui/Sprite.h"
#include "platform/Buttons.h"
#include "platform/Image.h"
#include "platform/Input.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "track/StartGrid.h"
#include "track/TrackLoader.h"
#include "track/TrackWriter.h"

namespace editor {

namespace {

namespace fs = std::filesystem;
namespace button = platform::button;

constexpr int kOpenLayer = 390;
constexpr int kOpenButtonsLayer = 410;
constexpr double kPanStep = 40.0;
constexpr std::size_t kReasonLines = 4;

std::string fileNameOf(const std::string& path) {
  return fs::path(path).filename().string();
}

std::wstring wrapped(const std::string& text, std::size_t lines = kReasonLines) {
  return app::wrapLimited(platform::widen(text), lines);
}

// The keys the editor acts on when they go down.
constexpr int kKeys[] = {button::kZ,          button::kY,           button::kS,      button::kN,
                         button::kO,          button::kDelete,      button::kEquals, button::kMinus,
                         button::kKeypadPlus, button::kKeypadMinus, button::kHome};

}  // namespace

EditorScreen::EditorScreen(platform::Graphics& graphics, const platform::Input& input,
                           track::TrackFolders folders, EditorHost& host)
    : graphics_(graphics),
      input_(input),
      folders_(std::move(folders)),
      host_(host),
      gui_(graphics),
      widgets_(gui_),
      messageBox_(widgets_, kWidth, kHeight, app::kWideVersion),
      panel_(widgets_, graphics, kWidth, kHeight),
      control_(document_, view_),
      painter_(graphics),
      keysDown_(button::kCount, false) {
  gui_.addListener(this);
  panel_.build();
  panel_.titleField()->setOnCommit([this](const std::string& typed) { retitle(typed); });
  panel_.backgroundField()->setOnCommit(
      [this](const std::string& typed) { renameBackground(typed); });
  view_.setCanvas(panel_.canvasLeft(), panel_.canvasTop(), panel_.canvasWidth(),
                  panel_.canvasHeight());
  widgets_.add(std::make_unique<CanvasWidget>(
      view_, [this](const platform::Input& input, bool mayTakeMouse) {
        control_.frame(input, mayTakeMouse && !modal());
        painter_.paint({&document_, &view_, picture_.get(), control_.selected(), control_.hovered(),
                        &findings_});
      }));
  panel_.showGridCount(gridCount_);
  fitView();
  setMessage(L"Click to add points; the first one is the start and finish line.");
}

EditorScreen::~EditorScreen() {
  openList_.reset();
  widgets_.clear();
}

// ----- frames -----

void EditorScreen::update() {
  handleKeys();
  pollJobs();
  // A picture named anew (typed, undone or redone) is looked for again.
  if (document_.content().background != pictureName_) pictureStale_ = true;
  if (pictureStale_) {
    pictureStale_ = false;
    loadPicture();
    refreshPanel();
  }
  if (document_.version() != shownVersion_) {
    control_.forgetMissing();
    refreshPanel();
    host_.setCaption(caption());
    shownVersion_ = document_.version();
  }
  describeSelection();
  // The checks build the race's map: after a drag, not at every step of it.
  if (document_.version() != checkedVersion_ && !control_.dragging()) refreshChecks();
}

void EditorScreen::draw() {
  gui_.update(input_);
}

void EditorScreen::describeSelection() {
  const Handle selected = control_.selected();
  if (selected == describedSelection_) return;
  describedSelection_ = selected;
  const std::wstring number = std::to_wstring(selected.index + 1);
  switch (selected.kind) {
    case HandleKind::Point:
      setMessage(L"Point " + number +
                 L": drag it, drag a square handle or turn the wheel for the width, Delete.");
      break;
    case HandleKind::Place:
    case HandleKind::PlaceKnob:
      setMessage(L"Grid place " + number + L": drag the car to move it, its knob to turn it.");
      break;
    default:
      break;
  }
}

bool EditorScreen::modal() const {
  return gui_.find("popupbg") != nullptr || openList_ != nullptr;
}

bool EditorScreen::pressed(int id) const {
  return input_.down(id) && !keysDown_[static_cast<std::size_t>(id)];
}

void EditorScreen::handleKeys() {
  const bool control = input_.down(button::kControl) || input_.down(button::kRightControl);
  const bool shift = input_.down(button::kShift) || input_.down(button::kRightShift);
  if (!modal() && !control_.dragging() && !panel_.typing()) {
    if (control && pressed(button::kZ)) onClick(shift ? "redo" : "undo");
    if (control && pressed(button::kY)) onClick("redo");
    if (control && pressed(button::kS)) onClick(shift ? "saveTrackAs" : "saveTrack");
    if (control && pressed(button::kN)) onClick("newTrack");
    if (control && pressed(button::kO)) onClick("openTrack");
    if (pressed(button::kDelete)) onClick("deleteSelected");
    if (pressed(button::kHome)) fitView();
    if (pressed(button::kEquals) || pressed(button::kKeypadPlus)) view_.zoomBy(1.25);
    if (pressed(button::kMinus) || pressed(button::kKeypadMinus)) view_.zoomBy(0.8);
    // Arrows move the view while held, like a drag.
    if (input_.down(button::kLeft)) view_.pan(kPanStep / 4, 0);
    if (input_.down(button::kRight)) view_.pan(-kPanStep / 4, 0);
    if (input_.down(button::kUp)) view_.pan(0, kPanStep / 4);
    if (input_.down(button::kDown)) view_.pan(0, -kPanStep / 4);
  }
  for (const int key : kKeys) keysDown_[static_cast<std::size_t>(key)] = input_.down(key);
}

// ----- commands -----

void EditorScreen::onClick(std::string id) {
  if (id == app::command::closePopup) {
    messageBox_.closePopup();
  } else if (id == "promptSave" || id == "promptDiscard" || id == "promptCancel") {
    answer(id);
  } else if (modal() && openList_ == nullptr) {
    // A question is open: only its buttons count.
  } else if (id.starts_with(app::TrackList::kRowPrefix)) {
    chooseTrack(id);
  } else if (id == "openCancel") {
    closeOpenView();
  } else if (id == "openUp" || id == "openDown") {
    if (auto* list = openList_ ? openList_->listBox() : nullptr) {
      openList_->scrollTo(list->firstVisible() + (id == "openUp" ? -1 : 1));
    }
  } else if (openList_ != nullptr) {
    // The open view covers the screen; the menu bar above it still works.
    if (id == "newTrack" || id == "quitEditor") {
      closeOpenView();
      onClick(id);
    }
  } else if (id == "newTrack") {
    document_.modified() ? ask(Pending::New) : newTrack();
  } else if (id == "openTrack") {
    showOpenView();
  } else if (id == "saveTrack") {
    save(false);
  } else if (id == "saveTrackAs") {
    save(true);
  } else if (id == "quitEditor") {
    if (requestQuit()) host_.quit();
  } else if (id == "undo") {
    if (!document_.undo()) setMessage(L"Nothing to undo.");
  } else if (id == "redo") {
    if (!document_.redo()) setMessage(L"Nothing to redo.");
  } else if (id == "deleteSelected") {
    deleteSelected();
  } else if (id == "fitView") {
    fitView();
  } else if (id == "gridLess" || id == "gridMore") {
    gridCount_ =
        std::clamp(gridCount_ + (id == "gridMore" ? 1 : -1), 1, track::startgrid::kMaxPlaces);
    panel_.showGridCount(gridCount_);
  } else if (id == "placeGrid") {
    placeGrid();
  } else if (id == "clearGrid") {
    document_.clearGrid();
  } else if (id == "testDrive") {
    testDrive();
  } else if (id == "computerLap") {
    computerLap();
  } else if (id == "paintBackground") {
    paintBackground();
  } else if (id == "editorHelp") {
    std::string error;
    if (!app::openHelpDocument(&error)) popup(L"Help not available", L"\n" + wrapped(error));
  } else if (id.starts_with(EditorPanel::kFindingPrefix)) {
    showFinding(id);
  }
}

void EditorScreen::popup(const std::wstring& title, const std::wstring& text) {
  messageBox_.showPopup(title, text, app::command::closePopup);
}

void EditorScreen::setDriveResult(const std::wstring& text) {
  driveResult_ = text;
  panel_.showDriveResult(text);
}

void EditorScreen::setMessage(const std::wstring& text, bool alarming) {
  message_ = text;
  messageAlarming_ = alarming;
  refreshPanel();
}

// ----- unsaved changes -----

bool EditorScreen::requestQuit() {
  if (!document_.modified()) return true;
  ask(Pending::Quit);
  return false;
}

void EditorScreen::ask(Pending pending, std::string path) {
  pending_ = pending;
  pendingPath_ = std::move(path);
  const std::wstring doing = pending == Pending::Quit  ? L"before quitting"
                             : pending == Pending::New ? L"before starting a new track"
                                                       : L"before opening another track";
  messageBox_.showChoice(
      L"Unsaved changes",
      L"\n" +
          app::wrapLimited(L"\"" + platform::widen(document_.content().title) +
                               L"\" has changes that are not saved.",
                           2) +
          L"\n\nSave them " + doing + L"?",
      {{"promptSave", L"Save"}, {"promptDiscard", L"Don't save"}, {"promptCancel", L"Cancel"}});
}

void EditorScreen::answer(const std::string& id) {
  const Pending pending = pending_;
  pending_ = Pending::None;
  messageBox_.closePopup();
  if (id == "promptCancel") return;
  // A save that fails says why and keeps the work here.
  if (id == "promptSave" && !save(false)) return;
  carryOut(pending);
}

void EditorScreen::carryOut(Pending pending) {
  switch (pending) {
    case Pending::New:
      newTrack();
      break;
    case Pending::OpenPath:
      open(pendingPath_);
      break;
    case Pending::Quit:
      host_.quit();
      break;
    case Pending::None:
      break;
  }
}

void EditorScreen::newTrack() {
  TrackContent empty;
  empty.title = TrackDocument::kNewTitle;
  document_.reset(std::move(empty), "");
  control_.select({});
  pictureStale_ = true;
  fitView();
  setMessage(L"A new track: click to add points; the first one is the start and finish line.");
}

bool EditorScreen::open(const std::string& path) {
  std::string reason;
  const std::unique_ptr<track::TrackData> track = track::readTrackAsWritten(path, &reason);
  if (!track) {
    popup(L"Track cannot be read",
          L"\n" + wrapped(fileNameOf(path), 1) + L"\ncannot be opened:\n" + wrapped(reason));
    return false;
  }
  document_.reset(contentOf(*track), path);
  control_.select({});
  gridCount_ = track->positions.empty() ? gridCount_
                                        : std::min(static_cast<int>(track->positions.size()),
                                                   track::startgrid::kMaxPlaces);
  panel_.showGridCount(gridCount_);
  pictureStale_ = true;
  fitView();
  setMessage(L"Opened " + platform::widen(path) + L".");
  return true;
}

// ----- the open view -----

void EditorScreen::showOpenView() {
  closeOpenView();
  widgets_.add(std::make_unique<gui::GUI_Component_Image>(
      "openBackdrop", gui::guiImagePath("bg.png"), kOpenLayer, 0, 0, kWidth, kHeight, true));
  openList_ = std::make_unique<app::TrackList>(widgets_, folders_.trackFolders(), kWidth, kHeight);
  openList_->buildTrackList();
  const int y = app::rowBaseY(kHeight);
  const std::pair<const char*, const wchar_t*> buttons[] = {
      {"openUp", L"Scroll up"}, {"openDown", L"Scroll down"}, {"openCancel", L"Cancel"}};
  int x = kWidth - 330;
  for (const auto& [id, caption] : buttons) {
    auto b = std::make_unique<gui::GUI_Component_Button>(id, caption);
    b->place(kOpenButtonsLayer, x, y, 100);
    widgets_.add(std::move(b));
    x += 106;
  }
  setMessage(L"Choose the track to open.");
}

void EditorScreen::closeOpenView() {
  if (openList_ == nullptr) return;
  widgets_.destroy(openList_->listBox());
  openList_.reset();
  for (const char* id : {"openBackdrop", "openUp", "openDown", "openCancel"}) {
    widgets_.destroyById(id);
  }
}

void EditorScreen::chooseTrack(const std::string& rowId) {
  if (openList_ == nullptr) return;
  const app::TrackListEntry* entry = openList_->entryFor(rowId);
  if (entry == nullptr) return;
  const std::string path = entry->path;
  closeOpenView();
  if (document_.modified()) {
    ask(Pending::OpenPath, path);
  } else {
    open(path);
  }
}

// ----- saving -----

std::string EditorScreen::saveTarget(bool asNew) const {
  const std::string& path = document_.path();
  if (!asNew && !path.empty()) return savePathFor(folders_, path);
  const std::string folder =
      path.empty() ? newTracksFolder(folders_)
                   : fs::path(savePathFor(folders_, path)).parent_path().string() + "/";
  return unusedPath(folder, fileNameForTitle(document_.content().title));
}

bool EditorScreen::save(bool asNew) {
  const std::string target = saveTarget(asNew);
  std::string error;
  if (!platform::ensureFolder(fs::path(target).parent_path().string(), &error) ||
      !track::saveTrackFile(document_.track(), target, &error)) {
    popup(L"Track not saved",
          L"\n" + wrapped(target, 2) + L"\ncould not be saved:\n" + wrapped(error, 2));
    return false;
  }
  const bool moved = !document_.path().empty() && !asNew && target != document_.path();
  document_.markSaved(target);
  pictureStale_ = true;
  if (moved) {
    setMessage(L"The track's folder is read-only: saved to " + platform::widen(target) + L".");
  } else {
    setMessage(L"Saved to " + platform::widen(target) + L".");
  }
  refreshChecks();
  if (gameRefuses(findings_)) {
    std::string reasons;
    for (const Finding& f : findings_) {
      if (f.severity == Severity::Refusal) reasons += (reasons.empty() ? "" : "\n") + f.message;
    }
    popup(L"Saved, but the game will refuse it",
          L"\nThe track is saved, but the game will not\nrace it until this is mended:\n" +
              app::wrapText(platform::widen(reasons)));
  }
  return true;
}

// ----- editing commands -----

void EditorScreen::placeGrid() {
  if (document_.content().path.size() < 2) {
    setMessage(L"The grid needs a road: add at least two points first.", true);
    return;
  }
  document_.placeGrid(gridCount_);
  control_.select({HandleKind::Place, 0});
  setMessage(L"Grid of " + std::to_wstring(gridCount_) +
             L" places behind the finish line: drag a car to move it, its knob to turn it.");
}

void EditorScreen::deleteSelected() {
  const Handle selected = control_.selected();
  if (selected.kind == HandleKind::Point) {
    document_.deletePoint(selected.index);
  } else if (selected.kind == HandleKind::Place || selected.kind == HandleKind::PlaceKnob) {
    document_.deletePlace(selected.index);
  } else {
    setMessage(L"Click a point or a grid place first, then delete it.");
    return;
  }
  control_.select({});
}

void EditorScreen::retitle(const std::string& typed) {
  // A title of nothing but spaces keeps the old one.
  document_.setTitle(app::cleanedName(typed, document_.content().title));
  refreshPanel();
}

void EditorScreen::renameBackground(const std::string& typed) {
  // No name (or only spaces) leaves the track to the picture painted for it.
  document_.setBackground(app::cleanedName(typed, ""));
  refreshPanel();
}

// ----- trying the track -----

bool EditorScreen::readyToRace() {
  refreshChecks();
  if (gameRefuses(findings_)) {
    std::string reasons;
    for (const Finding& f : findings_) {
      if (f.severity == Severity::Refusal) reasons += (reasons.empty() ? "" : "\n") + f.message;
    }
    popup(L"The game will refuse this track", L"\n" + app::wrapText(platform::widen(reasons)));
    return false;
  }
  return true;
}

std::string EditorScreen::raceCopy(std::string* error) {
  const std::string name = document_.path().empty() ? fileNameForTitle(document_.content().title)
                                                    : fileNameOf(document_.path());
  return temporary_.write(document_.track(), name, picturePath_, error);
}

void EditorScreen::testDrive() {
  if (!readyToRace()) return;
  std::string error;
  const std::string copy = raceCopy(&error);
  const int cars = static_cast<int>(document_.content().places.size());
  if (copy.empty() || !startTestDrive(copy, cars, &error)) {
    popup(L"Test drive not started", L"\nThe game could not be started:\n" + wrapped(error));
    return;
  }
  setDriveResult(L"Test drive: " + std::to_wstring(cars) +
                 L" computer cars race in the game's window.");
}

void EditorScreen::computerLap() {
  if (computerLap_.running()) {
    setMessage(L"The computer lap is still running.");
    return;
  }
  if (!readyToRace()) return;
  std::string error;
  const std::string copy = raceCopy(&error);
  const int cars = static_cast<int>(document_.content().places.size());
  if (copy.empty() || !computerLap_.start(copy, cars, &error)) {
    popup(L"Computer lap not started", L"\nThe game could not be started:\n" + wrapped(error));
    return;
  }
  setDriveResult(L"Computer lap: " + std::to_wstring(cars) + L" cars racing...");
}

void EditorScreen::paintBackground() {
  if (painting_.running()) {
    setMessage(L"The background is still being painted.");
    return;
  }
  std::string reason;
  if (!track::trackLoadable(document_.track(), &reason)) {
    popup(L"No background painted",
          L"\nThe painter needs a track the game loads:\n" + wrapped(reason));
    return;
  }
  // The picture is saved beside the track, so the track needs its file first.
  if (document_.path().empty() && !save(false)) return;
  const std::string output =
      folders_.generatedBackgroundFile(savePathFor(folders_, document_.path()));
  std::string error;
  if (!platform::ensureFolder(fs::path(output).parent_path().string(), &error)) {
    popup(L"No background painted", L"\n" + wrapped(error));
    return;
  }
  painting_.start(document_.track(), output);
  panel_.showPainting(L"Painting...");
}

void EditorScreen::pollJobs() {
  if (painting_.running()) {
    panel_.showPainting(platform::widen(painting_.stageCaption()) + L" (" +
                        std::to_wstring(std::min(painting_.stage(), 8)) + L" of 8)");
  }
  if (painting_.collectFinished()) {
    if (!painting_.error().empty()) {
      panel_.showPainting(L"The painting failed.");
      popup(L"Background painting failed", L"\n" + wrapped(painting_.error()));
    } else {
      panel_.showPainting(L"Painted " + platform::widen(fileNameOf(painting_.outputPath())) + L".");
      const std::string picture = painting_.outputPath();
      // The track names its picture when the picture lies beside it.
      if (fs::path(picture).parent_path() ==
          fs::path(savePathFor(folders_, document_.path())).parent_path()) {
        document_.setBackground(fileNameOf(picture));
      }
      loadPicture();
      setMessage(L"Background painted and saved to " + platform::widen(picture) + L".");
    }
  }
  if (computerLap_.running() && !computerLap_.poll()) {
    setDriveResult(platform::widen(computerLap_.result()));
  }
}

// ----- what the screen shows -----

std::wstring EditorScreen::caption() const {
  return L"Solvern - " + platform::widen(document_.content().title) +
         (document_.modified() ? L" *" : L"");
}

void EditorScreen::refreshChecks() {
  findings_ = checkTrack(document_.track());
  checkedVersion_ = document_.version();
  panel_.showFindings(findings_);
  refreshPanel();
}

void EditorScreen::refreshPanel() {
  const TrackContent& content = document_.content();
  const std::string& path = document_.path();
  panel_.showTrack(
      content.title, content.background,
      L"File: " + (path.empty() ? L"not saved yet" : platform::widen(fileNameOf(path))),
      L"Shown under it: " +
          (picture_ ? platform::widen(fileNameOf(picturePath_)) : std::wstring(L"plain grass")));
  double length = 0;
  for (std::size_t i = 0; i < content.path.size() && content.path.size() > 1; ++i) {
    const track::TrackPoint& a = content.path[i];
    const track::TrackPoint& b = content.path[(i + 1) % content.path.size()];
    length += std::hypot(a.x - b.x, a.y - b.y);
  }
  // Ten world units make a metre.
  const std::wstring facts = L"Length " + std::to_wstring(std::lround(length / 10.0)) + L" m   " +
                             std::to_wstring(content.path.size()) + L" points   Grid " +
                             std::to_wstring(content.places.size()) +
                             (content.places.size() == 1 ? L" place" : L" places") +
                             (document_.modified() ? L"   (modified)" : L"");
  // A refusal stays on the status line until it is mended.
  for (const Finding& f : findings_) {
    if (f.severity == Severity::Refusal && checkedVersion_ == document_.version()) {
      panel_.showStatus(facts, L"The game will refuse it: " + platform::widen(f.message), true);
      return;
    }
  }
  panel_.showStatus(facts, message_, messageAlarming_);
}

std::string EditorScreen::picturePath() const {
  const std::string& path = document_.path();
  if (path.empty()) return {};
  for (const std::string& candidate :
       folders_.backgroundCandidates(path, document_.content().background)) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

void EditorScreen::loadPicture() {
  const std::string path = picturePath();
  pictureName_ = document_.content().background;
  picturePath_.clear();
  picture_.reset();
  if (path.empty()) return;
  try {
    picture_ = std::make_unique<platform::Image>(graphics_, path, false);
    picturePath_ = path;
  } catch (const std::exception& error) {
    setMessage(L"The background picture cannot be shown: " + platform::widen(error.what()), true);
  }
}

void EditorScreen::fitView() {
  const TrackContent& content = document_.content();
  if (content.path.empty()) {
    // A new track starts on a field the size of a small shipped track.
    view_.fit(0, 0, 1600, 1000);
    return;
  }
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const track::TrackPoint& p : content.path) {
    minX = std::min(minX, p.x - p.width);
    minY = std::min(minY, p.y - p.width);
    maxX = std::max(maxX, p.x + p.width);
    maxY = std::max(maxY, p.y + p.width);
  }
  view_.fit(minX, minY, maxX, maxY);
}

void EditorScreen::showFinding(const std::string& rowId) {
  const std::size_t index =
      std::stoul(rowId.substr(std::string(EditorPanel::kFindingPrefix).size()));
  if (index >= findings_.size()) return;
  const Finding& f = findings_[index];
  setMessage(platform::widen(f.message), f.severity == Severity::Refusal);
  if (!f.located) return;
  // Brings the place into the middle of the canvas at the current zoom.
  view_.pan(view_.left() + view_.width() * 0.5 - view_.toScreenX(f.x),
            view_.top() + view_.height() * 0.5 - view_.toScreenY(f.y));
}

}  // namespace editor
