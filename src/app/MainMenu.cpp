#include "app/MainMenu.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/ExternalTools.h"
#include "app/MenuRules.h"
#include "app/MessageBox.h"
#include "app/TrackChoice.h"
#include "app/TrackList.h"
#include "background/BackgroundGenerator.h"
#include "config/Options.h"
#include "drivers/DriverLevel.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Image.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/Sprite.h"
#include "platform/Text.h"
#include "track/TrackData.h"
#include "track/TrackLoader.h"

namespace app {

namespace {

constexpr const char* kFont = "Trebuchet MS";
constexpr int kSetupFontHeight = 20;
// Lines of a reason or file name we compose into a message box; it has room for about six
// lines above its button.
constexpr std::size_t kReasonLines = 2;

Options& options() {
  return *Options::instance();
}

constexpr const char* kLevelKey = "difficulty";

// The level in the options; a word the game does not know races at Medium, as the race does.
DriverLevel storedLevel() {
  return parseLevel(options().getAIString(kLevelKey)).value_or(DriverLevel::kMedium);
}

std::wstring levelCaption(DriverLevel level) {
  switch (level) {
    case DriverLevel::kEasy:
      return L"Easy";
    case DriverLevel::kMedium:
      return L"Medium";
    case DriverLevel::kHard:
      return L"Hard";
  }
  return L"";
}

// A picture exists for the race if it is a file that can be opened for reading. A folder does
// not count (an empty background name would otherwise name the tracks folder itself).
bool readableFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  return file.good();
}

std::unique_ptr<GUI_Component_Menu> dropDown(const std::string& id) {
  auto menu = std::make_unique<GUI_Component_Menu>(id);
  menu->setFrameKind(FieldFrameKind::Sub);
  return menu;
}

}  // namespace

MainMenu::MainMenu(ScreenWidgets& widgets, MessageBox& messageBox, TrackList& trackList,
                   TrackChoice& race, std::string programFolder, int screenWidth, int screenHeight)
    : widgets_(widgets),
      messageBox_(messageBox),
      trackList_(trackList),
      race_(race),
      programFolder_(std::move(programFolder)),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight) {}

void MainMenu::forgetScreen() {
  trackList_.forget();
  trackLabel_ = lapsLabel_ = carsLabel_ = cpuOnlyMark_ = levelLabel_ = nullptr;
  toolsMenu_ = nullptr;
  toolsExtended_ = false;
}

void MainMenu::clearScreen() {
  widgets_.clear();
  forgetScreen();
}

void MainMenu::buildLoadingScreen() {
  clearScreen();
  widgets_.add(std::make_unique<GUI_Component_Image>("gui_loadImg", guiImagePath("loading.png"), 1,
                                                     0, 0, screenWidth_, screenHeight_, true));
}

void MainMenu::buildMainMenu() {
  clearScreen();
  const int W = screenWidth_;
  const int Y = rowBaseY(screenHeight_);
  widgets_.add(std::make_unique<GUI_Component_Background>("gui_mainMenuBg", kBackgroundLayer, 0, 0,
                                                          W, screenHeight_));
  widgets_.add(std::make_unique<GUI_Component_Mouse>("gui_mouse", kPointerLayer));
  trackList_.buildTrackList();

  addButton("refreshTracks", L"Refresh", W - 293, Y, 75);
  addButton("prevCircuit", L"Scroll up", W - 215, Y, 100);
  addButton("nextCircuit", L"Scroll down", W - 112, Y, 100);

  auto bar = std::make_unique<GUI_Component_Menu>("mainMenu");
  bar->addItem("file", L"File");
  auto fileMenu = dropDown("fileMenu");
  fileMenu->addItem("exit", L"Exit", true);
  bar->addSubMenu("file", std::move(fileMenu));

  bar->addItem("tools", L"Tools");
  auto tools = dropDown("toolsMenu");
  tools->addItem("createCircuit", L"Create New Track", true);
  toolsMenu_ = &bar->addSubMenu("tools", std::move(tools));

  bar->addItem("help", L"Help");
  auto helpMenu = dropDown("helpMenu");
  helpMenu->addItem("helpIndex", L"Kelvane Help", true);
  helpMenu->addItem("about", L"About Kelvane", true);
  bar->addSubMenu("help", std::move(helpMenu));

  bar->layout(kMenuBarLayer, 0, 0, 0, 0);
  widgets_.add(std::move(bar));
}

void MainMenu::extendToolsMenu() {
  if (toolsMenu_ == nullptr) return;
  toolsMenu_->addItem("modifyTrack", L"Edit Track", true);
  toolsMenu_->addItem("generateBackground", L"Generate Track Background", true);
  if (auto* bar = dynamic_cast<GUI_Component_Menu*>(widgets_.find("mainMenu"))) {
    bar->layout(bar->getZ(), 0, 0, 0, 0);
  }
}

void MainMenu::addButton(const std::string& id, const std::wstring& caption, int x, int y,
                         int maxWidth) {
  auto button = std::make_unique<GUI_Component_Button>(id, caption);
  button->place(kControlsLayer, x, y, maxWidth);
  widgets_.add(std::move(button));
}

GUI_Component_Label* MainMenu::addLabel(const std::string& id, const std::wstring& text, int x,
                                        int y, unsigned colour, unsigned shadowColour) {
  auto label = std::make_unique<GUI_Component_Label>(id, text, kFont, kSetupFontHeight, x, y,
                                                     kControlsLayer, true);
  label->setColour(colour);
  label->setShadowColour(shadowColour);
  return widgets_.add(std::move(label));
}

void MainMenu::buildRaceSetup() {
  const int Y = rowBaseY(screenHeight_);
  constexpr unsigned kWhite = 0xffffffffu;
  constexpr unsigned kBlack = 0xff000000u;
  constexpr unsigned kCaption = 0xff5a5a5au;
  constexpr unsigned kCount = 0xff969696u;
  constexpr int kCountOffsetX = 32;
  trackLabel_ = addLabel("gui_trackLbl", L"", 15, Y, 0xff323232u, kWhite);
  addLabel("gui_lapsLbl", L"Laps", 25, Y + 25, kCaption, kWhite);
  addButton("addLap", L"+", 48, Y + 50, 24);
  // The counts stand beside their + and - buttons: under the 25-pixel buttons they could not be
  // read.
  lapsLabel_ = addLabel("gui_nrlapsLbl", L"0", kCountOffsetX + 48, Y + 67, kCount, kBlack);
  addButton("subLap", L"-", 48, Y + 81, 24);
  addLabel("gui_carsLbl", L"Cars", 125, Y + 25, kCaption, kWhite);
  addButton("addCar", L"+", 148, Y + 50, 24);
  carsLabel_ = addLabel("gui_nrcarsLbl", L"0", kCountOffsetX + 148, Y + 67, kCount, kBlack);
  addButton("subCar", L"-", 148, Y + 81, 24);
  addButton("cpuOnly", L" ", 248, Y + 25, 20);
  addLabel("gui_cpuLbl", L"CPU Cars Only", 271, Y + 25, kCaption, kWhite);
  cpuOnlyMark_ = addLabel("gui_cpuXLbl", L"X", 253, Y + 24, kWhite, kBlack);
  addButton("startRace", L"START RACE", 248, Y + 50, 124);
  // How hard the computer drivers race: the button shows the level and moves on to the next.
  addLabel("gui_levelLbl", L"Difficulty", 396, Y + 25, kCaption, kWhite);
  addButton("driverLevel", L" ", 396, Y + 50, 90);
  levelLabel_ = addLabel("gui_levelXLbl", L"", 404, Y + 49, kWhite, kBlack);
}

void MainMenu::removeRaceSetup() {
  for (const char* id :
       {"gui_trackLbl", "gui_lapsLbl", "addLap", "gui_nrlapsLbl", "subLap", "gui_carsLbl", "addCar",
        "gui_nrcarsLbl", "subCar", "cpuOnly", "gui_cpuLbl", "gui_cpuXLbl", "startRace",
        "gui_levelLbl", "driverLevel", "gui_levelXLbl"}) {
    widgets_.destroyById(id);
  }
  trackLabel_ = lapsLabel_ = carsLabel_ = cpuOnlyMark_ = levelLabel_ = nullptr;
}

void MainMenu::refreshSetupLabels() {
  if (carsLabel_ != nullptr) {
    carsLabel_->setText(std::to_wstring(options().getOptionInt("nrCars")));
  }
  if (lapsLabel_ != nullptr) {
    lapsLabel_->setText(std::to_wstring(options().getOptionInt("nrLaps")));
  }
  if (cpuOnlyMark_ != nullptr) {
    cpuOnlyMark_->setText(options().getOptionInt("onlyCPU") != 0 ? L"X" : L"");
  }
  if (levelLabel_ != nullptr) levelLabel_->setText(levelCaption(storedLevel()));
}

int MainMenu::startPositions() const {
  const TrackData* track = race_.track();
  return track == nullptr ? 0 : static_cast<int>(track->positionCount());
}

MenuRequest MainMenu::onClick(const std::string& id) {
  if (id == "exit") return MenuRequest::Exit;
  if (id == "createCircuit") {
    startEditor("");
  } else if (id == "helpIndex") {
    openHelp();
  } else if (id == "modifyTrack") {
    startEditor(chosenTrackPath());
  } else if (id == "refreshTracks") {
    buildMainMenu();
  } else if (id == "alertOK") {
    messageBox_.closePopup();
  } else if (id == "about") {
    messageBox_.showAbout();
  } else if (id == "aboutbg" || id == "aboutbox") {
    messageBox_.closeAbout();
  } else if (id == "generateBackground") {
    messageBox_.showPopup(
        L"Generate Track Background",
        L"The background will be saved in the tracks folder.\nIt's automatically shown during a "
        L"race when the track\n has no specified background.\nIf the track has another "
        L"background image set,\nyou must manually set the generated image\nas background in "
        L"Solvern",
        "startGeneration");
  } else if (id == "startGeneration") {
    return startGeneration();
  } else if (id.starts_with(TrackList::kRowPrefix)) {
    chooseTrack(id);
  } else if (id == "startRace") {
    return startChecks();
  } else if (id == "prevCircuit") {
    if (auto* list = trackList_.listBox()) trackList_.scrollTo(list->firstVisible() - 1);
  } else if (id == "nextCircuit") {
    if (auto* list = trackList_.listBox()) trackList_.scrollTo(list->firstVisible() + 1);
  } else if (id == "addLap") {
    changeLaps(1);
  } else if (id == "subLap") {
    changeLaps(-1);
  } else if (id == "addCar") {
    changeCars(1);
  } else if (id == "subCar") {
    changeCars(-1);
  } else if (id == "cpuOnly") {
    toggleCpuOnly();
  } else if (id == "driverLevel") {
    nextLevel();
  }
  return MenuRequest::None;
}

void MainMenu::changeLaps(int delta) {
  if (const auto laps = steppedLaps(options().getOptionInt("nrLaps"), delta)) {
    options().setOptionInt("nrLaps", *laps);
    if (lapsLabel_ != nullptr) lapsLabel_->setText(std::to_wstring(*laps));
  }
}

void MainMenu::changeCars(int delta) {
  if (const auto cars = steppedCars(options().getOptionInt("nrCars"), delta, startPositions())) {
    options().setOptionInt("nrCars", *cars);
    if (carsLabel_ != nullptr) carsLabel_->setText(std::to_wstring(*cars));
  }
}

void MainMenu::toggleCpuOnly() {
  const int now = options().getOptionInt("onlyCPU") == 0 ? 1 : 0;
  options().setOptionInt("onlyCPU", now);
  if (cpuOnlyMark_ != nullptr) cpuOnlyMark_->setText(now != 0 ? L"X" : L"");
}

void MainMenu::nextLevel() {
  const DriverLevel level = storedLevel() == DriverLevel::kHard
                                ? DriverLevel::kEasy
                                : static_cast<DriverLevel>(static_cast<int>(storedLevel()) + 1);
  options().setAIString(kLevelKey, levelName(level));
  if (levelLabel_ != nullptr) levelLabel_->setText(levelCaption(level));
}

void MainMenu::chooseTrack(const std::string& rowId) {
  GUI_Component_ListBox* list = trackList_.listBox();
  if (list == nullptr) return;
  const std::vector<std::wstring>* cells = list->cellsOf(rowId);
  if (cells == nullptr || cells->size() < 3) return;
  const std::wstring title = (*cells)[1];
  const std::string fileName = platform::narrow((*cells)[2]);

  const auto showUnreadable = [&](const std::string& reason) {
    messageBox_.showPopup(L"Track cannot be read",
                          L"\n" + wrapLimited(platform::widen(fileName), 1) +
                              L"\ncannot be used as a track:\n" +
                              wrapLimited(platform::widen(reason), 3),
                          "alertOK");
  };

  // A file that could not be read when the list was built is not handed to the race: the
  // race keeps the track chosen before, and the player learns what is wrong with this one.
  if (const TrackListEntry* entry = trackList_.entryFor(rowId); entry && !entry->readable) {
    showUnreadable(entry->reason);
    return;
  }

  race_.selectTrack(fileName);
  if (race_.track() == nullptr) {
    // The file broke after the list was read. Without a track there is nothing to set up.
    std::string reason;
    readLevelInfo(folders().trackFile(fileName), &reason);
    removeRaceSetup();
    showUnreadable(reason.empty() ? "cannot be read" : reason);
    return;
  }

  if (carsLabel_ == nullptr) buildRaceSetup();
  trackLabel_->setText(title);
  options().setOptionInt("nrCars",
                         carsForTrack(options().getOptionInt("nrCars"), startPositions()));
  // A hand-edited laps count outside 1..99 is pulled into range here, so the panel never
  // shows a count the buttons could not have produced.
  options().setOptionInt("nrLaps", sanitizedLaps(options().getOptionInt("nrLaps")));
  refreshSetupLabels();
  if (!toolsExtended_) {
    extendToolsMenu();
    toolsExtended_ = true;
  }
}

platform::UserFolders MainMenu::folders() const {
  platform::FolderEnvironment env = platform::FolderEnvironment::fromProcess();
  if (env.programFolder != programFolder_) {
    // A menu over another tree (tests, tools): that tree, judged by its own permissions.
    env.programFolder = programFolder_;
    env.installedTree = false;
  }
  return platform::UserFolders(env);
}

std::string MainMenu::chosenTrackPath() const {
  return folders().trackFile(race_.getTrackFile());
}

std::string MainMenu::generatedBackgroundPath() const {
  return folders().generatedBackgroundFile(chosenTrackPath());
}

std::string MainMenu::generatedBackgroundShownPath() const {
  const std::string path = generatedBackgroundPath();
  if (path.compare(0, programFolder_.size(), programFolder_) == 0) {
    return path.substr(programFolder_.size());
  }
  return path;
}

std::string MainMenu::availableBackground() const {
  const TrackData* track = race_.track();
  if (track == nullptr) return {};
  // The picture the track names, else the generated one beside the track or in the player's
  // folder, wherever the generator could write it.
  for (const std::string& candidate :
       folders().backgroundCandidates(chosenTrackPath(), track->background)) {
    if (readableFile(candidate)) return candidate;
  }
  return {};
}

MenuRequest MainMenu::startChecks() {
  const TrackData* track = race_.track();
  if (track == nullptr) {
    messageBox_.showPopup(L"No track chosen", L"\nChoose a track in the list first.", "alertOK");
    return MenuRequest::None;
  }
  if (track->positionCount() == 0) {
    messageBox_.showPopup(L"No startgrid defined",
                          L"\nA startgrid has not yet been defined for this track.\nSelect Tools "
                          L"> Edit Track to open Solvern.",
                          "alertOK");
    return MenuRequest::None;
  }
  if (!availableBackground().empty()) {
    buildLoadingScreen();
    return MenuRequest::StartLoading;
  }
  messageBox_.showPopup(L"Background image not found",
                        L"\nThe background image of this track was not found.\n\nA new "
                        L"background will be generated.",
                        "startGeneration");
  return MenuRequest::None;
}

MenuRequest MainMenu::startGeneration() {
  messageBox_.closePopup();
  widgets_.destroyById("startGeneration");
  race_.loadTrack();
  const TrackData* track = race_.track();
  if (track == nullptr || track->pointCount() == 0) {
    // Keep the menu usable with the chosen track: go back to its summary.
    race_.selectTrack(race_.getTrackFile());
    messageBox_.showPopup(L"Error loading track",
                          L"\nThe road of this track could not be loaded,\nso no background "
                          L"can be generated for it.",
                          "alertOK");
    return MenuRequest::None;
  }
  messageBox_.showPopup(L"Background Generation", L"\n\nRasterizing level", "alertOK");
  return MenuRequest::StartGeneration;
}

bool MainMenu::stepGeneration(BackgroundGenerator& generator) {
  const std::string outputPath = generatedBackgroundPath();
  const std::string relativePath = generatedBackgroundShownPath();
  // The player's tracks folder may not exist before the first picture is saved there.
  platform::ensureFolder(std::filesystem::path(outputPath).parent_path().string());
  const TrackData* track = race_.track();
  const bool stepped = track != nullptr && generator.step(*track, outputPath, {}, false);
  if (!stepped) {
    const std::string reason =
        track == nullptr ? "The track is no longer loaded." : generator.lastError();
    messageBox_.showPopup(
        L"Background generation failed",
        L"\nThe background could not be generated:\n" + wrapLimited(platform::widen(reason), 3),
        "alertOK");
    return true;
  }
  if (generator.stage() >= 9) {
    messageBox_.showPopup(L"Generating completed",
                          L"\nThe background generation has been finished.\n\nThe file has "
                          L"been saved to\n" +
                              wrapLimited(platform::widen(relativePath), kReasonLines),
                          "alertOK");
    return true;
  }
  messageBox_.showPopup(L"Background Generation", generationStageText(generator.stage()),
                        "alertOK");
  return false;
}

void MainMenu::startEditor(const std::string& trackPath) {
  std::string error;
  if (startTrackEditor(trackPath, &error)) return;
  messageBox_.showPopup(L"Track editor not available",
                        L"\nThe track editor could not be started:\n" +
                            wrapLimited(platform::widen(error), kReasonLines) +
                            L"\nPut Solvern beside the game or on the PATH.",
                        "alertOK");
}

void MainMenu::openHelp() {
  std::string error;
  if (openHelpDocument(&error)) return;
  messageBox_.showPopup(
      L"Help not available",
      L"\nThe help could not be opened:\n" + wrapLimited(platform::widen(error), kReasonLines),
      "alertOK");
}

}  // namespace app
