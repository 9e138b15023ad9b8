#include "app/MainMenu.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/ExternalTools.h"
#include "app/KeysPanel.h"
#include "app/MenuCommands.h"
#include "app/MenuRules.h"
#include "app/MessageBox.h"
#include "app/SettingsScreen.h"
#include "app/SetupPreview.h"
#include "app/TrackChoice.h"
#include "app/TrackList.h"
#include "background/BackgroundGenerator.h"
#include "config/OptionKeys.h"
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
#include "gui/UiFont.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "records/RecordBook.h"
#include "track/TrackData.h"
#include "track/TrackLoader.h"

namespace app {

namespace {

constexpr int kSetupFontHeight = 20;
// The menu bar and its entries, which the drop-downs are hung on.
constexpr const char* kMenuBar = "mainMenu";
constexpr const char* kFileEntry = "file";
constexpr const char* kToolsEntry = "tools";
constexpr const char* kHelpEntry = "help";
// The race setup panel's labels, removed with its buttons.
constexpr const char* kTrackLabel = "gui_trackLbl";
constexpr const char* kLapsCaption = "gui_lapsLbl";
constexpr const char* kLapsLabel = "gui_nrlapsLbl";
constexpr const char* kCarsCaption = "gui_carsLbl";
constexpr const char* kCarsLabel = "gui_nrcarsLbl";
constexpr const char* kCpuOnlyCaption = "gui_cpuLbl";
constexpr const char* kCpuOnlyMark = "gui_cpuXLbl";
constexpr const char* kLevelCaption = "gui_levelLbl";
constexpr const char* kLevelLabel = "gui_levelXLbl";
// Lines of a reason or file name we compose into a message box; it has room for about six
// lines above its button.
constexpr std::size_t kReasonLines = 2;

config::Options& options() {
  return *config::Options::instance();
}

// A picture exists for the race if it is a file that can be opened for reading. A folder does
// not count (an empty background name would otherwise name the tracks folder itself).
bool readableFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  return file.good();
}

std::unique_ptr<gui::GUI_Component_Menu> dropDown(const std::string& id) {
  auto menu = std::make_unique<gui::GUI_Component_Menu>(id);
  menu->setFrameKind(gui::FieldFrameKind::Sub);
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
      screenHeight_(screenHeight),
      keysPanel_(std::make_unique<KeysPanel>(widgets, screenWidth, screenHeight)),
      preview_(std::make_unique<SetupPreview>(widgets, screenWidth, screenHeight,
                                              rowBaseY(screenHeight))) {}

MainMenu::~MainMenu() = default;

void MainMenu::attachRecords(records::RecordBook* book) {
  records_ = book;
  trackList_.setRecordBook(book);
  preview_->setRecordBook(book);
}

void MainMenu::showRecordsNotice() {
  if (records_ == nullptr) return;
  const std::string notice = records_->takeNotice();
  if (notice.empty()) return;
  messageBox_.showPopup(L"Records", L"\n" + wrapText(platform::widen(notice)), "alertOK");
}

MenuRequest MainMenu::startNextTrack(const std::string& currentFile) {
  const std::string rowId = trackList_.rowIdAfter(currentFile);
  if (rowId.empty()) return MenuRequest::None;
  chooseTrack(rowId);
  if (carsLabel_ == nullptr || race_.getTrackFile().empty()) return MenuRequest::None;
  if (const TrackListEntry* entry = trackList_.entryFor(rowId)) {
    trackList_.scrollTo(entry->number - 1);  // the chosen row in view
  }
  return startChecks();
}

void MainMenu::forgetScreen() {
  trackList_.forget();
  keysPanel_->forget();
  preview_->forget();
  if (settings_ != nullptr) settings_->forget();
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
  widgets_.add(std::make_unique<gui::GUI_Component_Image>(
      "gui_loadImg", gui::guiImagePath("loading.png"), 1, 0, 0, screenWidth_, screenHeight_, true));
}

void MainMenu::buildMainMenu() {
  clearScreen();
  const int W = screenWidth_;
  const int Y = rowBaseY(screenHeight_);
  widgets_.add(std::make_unique<gui::GUI_Component_Background>("gui_mainMenuBg", kBackgroundLayer,
                                                               0, 0, W, screenHeight_));
  widgets_.add(std::make_unique<gui::GUI_Component_Mouse>("gui_mouse", kPointerLayer));
  trackList_.buildTrackList();

  addButton(command::refreshTracks, L"Refresh", W - 293, Y, 75);
  addButton(command::scrollTracksUp, L"Scroll up", W - 215, Y, 100);
  addButton(command::scrollTracksDown, L"Scroll down", W - 112, Y, 100);

  auto bar = std::make_unique<gui::GUI_Component_Menu>(kMenuBar);
  bar->addItem(kFileEntry, L"File");
  auto fileMenu = dropDown("fileMenu");
  fileMenu->addItem(command::exit, L"Exit", true);
  bar->addSubMenu(kFileEntry, std::move(fileMenu));

  bar->addItem(kToolsEntry, L"Tools");
  auto tools = dropDown("toolsMenu");
  tools->addItem(command::settings, L"Settings", true);
  tools->addItem(command::createTrack, L"Create New Track", true);
  toolsMenu_ = &bar->addSubMenu(kToolsEntry, std::move(tools));

  bar->addItem(kHelpEntry, L"Help");
  auto helpMenu = dropDown("helpMenu");
  helpMenu->addItem(command::helpIndex, L"Kelvane Help", true);
  helpMenu->addItem(command::helpKeys, L"Keys", true);
  helpMenu->addItem(command::about, L"About Kelvane", true);
  bar->addSubMenu(kHelpEntry, std::move(helpMenu));

  bar->layout(kMenuBarLayer, 0, 0, 0, 0);
  widgets_.add(std::move(bar));
}

void MainMenu::extendToolsMenu() {
  if (toolsMenu_ == nullptr) return;
  toolsMenu_->addItem(command::editTrack, L"Edit Track", true);
  toolsMenu_->addItem(command::generateBackground, L"Generate Track Background", true);
  if (auto* bar = menuBar()) bar->layout(bar->getZ(), 0, 0, 0, 0);
}

gui::GUI_Component_Menu* MainMenu::menuBar() const {
  return dynamic_cast<gui::GUI_Component_Menu*>(widgets_.find(kMenuBar));
}

void MainMenu::addButton(const std::string& id, const std::wstring& caption, int x, int y,
                         int maxWidth) {
  auto button = std::make_unique<gui::GUI_Component_Button>(id, caption);
  button->place(kControlsLayer, x, y, maxWidth);
  widgets_.add(std::move(button));
}

gui::GUI_Component_Label* MainMenu::addLabel(const std::string& id, const std::wstring& text, int x,
                                             int y, unsigned colour, unsigned shadowColour) {
  auto label = std::make_unique<gui::GUI_Component_Label>(
      id, text, gui::kFontFamily, kSetupFontHeight, x, y, kControlsLayer, true);
  label->setColour(colour);
  label->setShadowColour(shadowColour);
  return widgets_.add(std::move(label));
}

void MainMenu::buildRaceSetup() {
  const int Y = rowBaseY(screenHeight_);
  constexpr unsigned kWhite = 0xffffffffu;
  constexpr unsigned kBlack = 0xff000000u;
  constexpr unsigned kCaption = kSetupCaptionColour;
  constexpr unsigned kValue = kSetupValueColour;
  constexpr unsigned kShadow = kSetupShadowColour;
  constexpr int kCountOffsetX = 32;
  trackLabel_ = addLabel(kTrackLabel, L"", 15, Y, kValue, kShadow);
  addLabel(kLapsCaption, L"Laps", 25, Y + 25, kCaption, kShadow);
  addButton(command::addLap, L"+", 48, Y + 50, 24);
  // The counts stand beside their + and - buttons: under the 25-pixel buttons they could not be
  // read.
  lapsLabel_ = addLabel(kLapsLabel, L"0", kCountOffsetX + 48, Y + 67, kValue, kShadow);
  addButton(command::removeLap, L"-", 48, Y + 81, 24);
  addLabel(kCarsCaption, L"Cars", 125, Y + 25, kCaption, kShadow);
  addButton(command::addCar, L"+", 148, Y + 50, 24);
  carsLabel_ = addLabel(kCarsLabel, L"0", kCountOffsetX + 148, Y + 67, kValue, kShadow);
  addButton(command::removeCar, L"-", 148, Y + 81, 24);
  addButton(command::toggleCpuOnly, L" ", 248, Y + 25, 20);
  addLabel(kCpuOnlyCaption, L"CPU Cars Only", 271, Y + 25, kCaption, kShadow);
  cpuOnlyMark_ = addLabel(kCpuOnlyMark, L"X", 253, Y + 24, kWhite, kBlack);
  addButton(command::startRace, L"START RACE", 248, Y + 50, 124);
  // How hard the computer drivers race: the button shows the level and moves on to the next.
  addLabel(kLevelCaption, L"Difficulty", 396, Y + 25, kCaption, kShadow);
  addButton(command::nextDriverLevel, L" ", 396, Y + 50, 90);
  levelLabel_ = addLabel(kLevelLabel, L"", 404, Y + 49, kWhite, kBlack);
  addButton(command::settings, L"Settings", 396, Y + 81, 90);
}

void MainMenu::removeRaceSetup() {
  for (const char* id : {kTrackLabel, kLapsCaption, command::addLap, kLapsLabel, command::removeLap,
                         kCarsCaption, command::addCar, kCarsLabel, command::removeCar,
                         command::toggleCpuOnly, kCpuOnlyCaption, kCpuOnlyMark, command::startRace,
                         kLevelCaption, command::nextDriverLevel, kLevelLabel, command::settings}) {
    widgets_.destroyById(id);
  }
  preview_->clear();
  trackLabel_ = lapsLabel_ = carsLabel_ = cpuOnlyMark_ = levelLabel_ = nullptr;
}

void MainMenu::refreshSetupLabels() {
  if (carsLabel_ != nullptr) {
    carsLabel_->setText(std::to_wstring(options().getOptionInt(config::key::nrCars)));
  }
  if (lapsLabel_ != nullptr) {
    lapsLabel_->setText(std::to_wstring(options().getOptionInt(config::key::nrLaps)));
  }
  if (cpuOnlyMark_ != nullptr) {
    cpuOnlyMark_->setText(options().getOptionInt(config::key::onlyCPU) != 0 ? L"X" : L"");
  }
  if (levelLabel_ != nullptr) {
    levelLabel_->setText(platform::widen(drivers::levelCaption(drivers::storedLevel())));
  }
}

int MainMenu::startPositions() const {
  const track::TrackData* track = race_.track();
  return track == nullptr ? 0 : static_cast<int>(track->positionCount());
}

void MainMenu::update(const platform::Input& input) {
  keysPanel_->update(input);
  if (settings_ == nullptr || !settings_->isOpen()) return;
  settings_->update(input);
  if (!settings_->isOpen()) refreshSetupLabels();
}

MenuRequest MainMenu::onClick(const std::string& id) {
  // A chosen entry closes its drop-down, which would otherwise stay drawn behind the dialog the
  // entry opens (hovering the bar opens it again).
  if (auto* bar = menuBar()) bar->closeAll();
  if (keysPanel_->onClick(id)) return MenuRequest::None;
  if (settings_ != nullptr && settings_->onClick(id)) {
    // The race setup shows what the settings may have changed (the computer drivers' level).
    if (!settings_->isOpen()) refreshSetupLabels();
    return MenuRequest::None;
  }
  if (id == command::exit) return MenuRequest::Exit;
  if (id == command::createTrack) {
    startEditor("");
  } else if (id == command::helpIndex) {
    openHelp();
  } else if (id == command::editTrack) {
    startEditor(chosenTrackPath());
  } else if (id == command::refreshTracks) {
    buildMainMenu();
  } else if (id == command::closePopup) {
    messageBox_.closePopup();
  } else if (id == command::about) {
    messageBox_.showAbout();
  } else if (id == command::aboutBackground || id == command::aboutBox) {
    messageBox_.closeAbout();
  } else if (id == command::generateBackground) {
    messageBox_.showPopup(
        L"Generate Track Background",
        L"The background will be saved in the tracks folder.\nIt's automatically shown during a "
        L"race when the track\n has no specified background.\nIf the track has another "
        L"background image set,\nyou must manually set the generated image\nas background in "
        L"Solvern",
        command::startGeneration);
  } else if (id == command::startGeneration) {
    return startGeneration();
  } else if (id.starts_with(TrackList::kRowPrefix)) {
    chooseTrack(id);
  } else if (id == command::startRace) {
    return startChecks();
  } else if (id == command::scrollTracksUp) {
    if (auto* list = trackList_.listBox()) trackList_.scrollTo(list->firstVisible() - 1);
  } else if (id == command::scrollTracksDown) {
    if (auto* list = trackList_.listBox()) trackList_.scrollTo(list->firstVisible() + 1);
  } else if (id == command::addLap) {
    changeLaps(1);
  } else if (id == command::removeLap) {
    changeLaps(-1);
  } else if (id == command::addCar) {
    changeCars(1);
  } else if (id == command::removeCar) {
    changeCars(-1);
  } else if (id == command::toggleCpuOnly) {
    toggleCpuOnly();
  } else if (id == command::nextDriverLevel) {
    nextLevel();
  }
  return MenuRequest::None;
}

void MainMenu::changeLaps(int delta) {
  if (const auto laps = steppedLaps(options().getOptionInt(config::key::nrLaps), delta)) {
    options().setOptionInt(config::key::nrLaps, *laps);
    if (lapsLabel_ != nullptr) lapsLabel_->setText(std::to_wstring(*laps));
    preview_->showLaps(*laps);
  }
}

void MainMenu::changeCars(int delta) {
  if (const auto cars =
          steppedCars(options().getOptionInt(config::key::nrCars), delta, startPositions())) {
    options().setOptionInt(config::key::nrCars, *cars);
    if (carsLabel_ != nullptr) carsLabel_->setText(std::to_wstring(*cars));
  }
}

void MainMenu::toggleCpuOnly() {
  const int now = options().getOptionInt(config::key::onlyCPU) == 0 ? 1 : 0;
  options().setOptionInt(config::key::onlyCPU, now);
  if (cpuOnlyMark_ != nullptr) cpuOnlyMark_->setText(now != 0 ? L"X" : L"");
}

void MainMenu::nextLevel() {
  using drivers::DriverLevel;
  const DriverLevel level =
      drivers::storedLevel() == DriverLevel::Hard
          ? DriverLevel::Easy
          : static_cast<DriverLevel>(static_cast<int>(drivers::storedLevel()) + 1);
  drivers::storeLevel(level);
  if (levelLabel_ != nullptr) levelLabel_->setText(platform::widen(drivers::levelCaption(level)));
}

void MainMenu::chooseTrack(const std::string& rowId) {
  gui::GUI_Component_ListBox* list = trackList_.listBox();
  if (list == nullptr) return;
  // Read now if its title has not arrived yet, so the row shows it before it is taken.
  const TrackListEntry* entry = trackList_.entryFor(rowId);
  const std::vector<std::wstring>* cells = list->cellsOf(rowId);
  if (cells == nullptr || cells->size() < 3) return;
  const std::wstring title = (*cells)[1];
  const std::string fileName = platform::narrow((*cells)[2]);

  const auto showUnreadable = [&](const std::string& reason) {
    messageBox_.showPopup(L"Track cannot be read",
                          L"\n" + wrapLimited(platform::widen(fileName), 1) +
                              L"\ncannot be used as a track:\n" +
                              wrapLimited(platform::widen(reason), 3),
                          command::closePopup);
  };

  // A file that could not be read when the list was built is not handed to the race: the
  // race keeps the track chosen before, and the player learns what is wrong with this one.
  if (entry != nullptr && !entry->readable) {
    showUnreadable(entry->reason);
    return;
  }

  race_.selectTrack(fileName);
  if (race_.track() == nullptr) {
    // The file broke after the list was read. Without a track there is nothing to set up.
    std::string reason;
    track::readLevelInfo(folders().trackFile(fileName), &reason);
    removeRaceSetup();
    showUnreadable(reason.empty() ? "cannot be read" : reason);
    return;
  }

  if (carsLabel_ == nullptr) buildRaceSetup();
  trackLabel_->setText(title);
  options().setOptionInt(
      config::key::nrCars,
      carsForTrack(options().getOptionInt(config::key::nrCars), startPositions()));
  // A hand-edited laps count outside 1..99 is pulled into range here, so the panel never
  // shows a count the buttons could not have produced.
  options().setOptionInt(config::key::nrLaps,
                         sanitizedLaps(options().getOptionInt(config::key::nrLaps)));
  refreshSetupLabels();
  const std::string path = chosenTrackPath();
  preview_->show(path, folders().backgroundCandidates(path, race_.track()->background),
                 options().getOptionInt(config::key::nrLaps));
  if (!toolsExtended_) {
    extendToolsMenu();
    toolsExtended_ = true;
  }
}

track::TrackFolders MainMenu::folders() const {
  platform::FolderEnvironment env = platform::FolderEnvironment::fromProcess();
  if (env.programFolder != programFolder_) {
    // A menu over another tree (tests, tools): that tree, judged by its own permissions.
    env.programFolder = programFolder_;
    env.installedTree = false;
  }
  return track::TrackFolders(platform::UserFolders(env));
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
  const track::TrackData* track = race_.track();
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
  const track::TrackData* track = race_.track();
  if (track == nullptr) {
    messageBox_.showPopup(L"No track chosen", L"\nChoose a track in the list first.", "alertOK");
    return MenuRequest::None;
  }
  if (track->positionCount() == 0) {
    messageBox_.showPopup(L"No startgrid defined",
                          L"\nA startgrid has not yet been defined for this track.\nSelect Tools "
                          L"> Edit Track to open Solvern.",
                          command::closePopup);
    return MenuRequest::None;
  }
  if (!availableBackground().empty()) {
    buildLoadingScreen();
    return MenuRequest::StartLoading;
  }
  messageBox_.showPopup(L"Background image not found",
                        L"\nThe background image of this track was not found.\n\nA new "
                        L"background will be generated.",
                        command::startGeneration);
  return MenuRequest::None;
}

MenuRequest MainMenu::startGeneration() {
  messageBox_.closePopup();
  widgets_.destroyById(command::startGeneration);
  race_.loadTrack();
  const track::TrackData* track = race_.track();
  if (track == nullptr || track->pointCount() == 0) {
    // Keep the menu usable with the chosen track: go back to its summary.
    race_.selectTrack(race_.getTrackFile());
    messageBox_.showPopup(L"Error loading track",
                          L"\nThe road of this track could not be loaded,\nso no background "
                          L"can be generated for it.",
                          command::closePopup);
    return MenuRequest::None;
  }
  messageBox_.showPopup(L"Background Generation", L"\n\nRasterizing level", "alertOK");
  return MenuRequest::StartGeneration;
}

bool MainMenu::stepGeneration(background::BackgroundGenerator& generator) {
  const std::string outputPath = generatedBackgroundPath();
  const std::string relativePath = generatedBackgroundShownPath();
  // The player's tracks folder may not exist before the first picture is saved there.
  platform::ensureFolder(std::filesystem::path(outputPath).parent_path().string());
  const track::TrackData* track = race_.track();
  const bool stepped = track != nullptr && generator.step(*track, outputPath, {}, false);
  if (!stepped) {
    const std::string reason =
        track == nullptr ? "The track is no longer loaded." : generator.lastError();
    messageBox_.showPopup(
        L"Background generation failed",
        L"\nThe background could not be generated:\n" + wrapLimited(platform::widen(reason), 3),
        command::closePopup);
    return true;
  }
  if (generator.stage() >= background::BackgroundGenerator::kDoneStage) {
    messageBox_.showPopup(L"Generating completed",
                          L"\nThe background generation has been finished.\n\nThe file has "
                          L"been saved to\n" +
                              wrapLimited(platform::widen(relativePath), kReasonLines),
                          command::closePopup);
    return true;
  }
  messageBox_.showPopup(L"Background Generation", generationStageText(generator.stage()),
                        command::closePopup);
  return false;
}

void MainMenu::startEditor(const std::string& trackPath) {
  std::string error;
  if (startTrackEditor(trackPath, &error)) return;
  messageBox_.showPopup(L"Track editor not available",
                        L"\nThe track editor could not be started:\n" +
                            wrapLimited(platform::widen(error), kReasonLines) +
                            L"\nPut Solvern beside the game or on the PATH.",
                        command::closePopup);
}

void MainMenu::openHelp() {
  std::string error;
  if (openHelpDocument(&error)) return;
  // Without a desktop to open it, the player can still read the page in a browser of their
  // choosing, and Help > Keys shows the controls in the game.
  if (readableFile(helpDocumentPath())) {
    messageBox_.showPopup(L"Kelvane Help",
                          L"\nNo program was found to show the help.\nOpen this file in a web "
                          L"browser:\n" +
                              wrapLimited(platform::widen(helpDocumentPath()), 3) +
                              L"\n\nHelp > Keys lists the controls.",
                          "alertOK");
    return;
  }
  messageBox_.showPopup(
      L"Help not available",
      L"\nThe help could not be opened:\n" + wrapLimited(platform::widen(error), kReasonLines),
      command::closePopup);
}

}  // namespace app
