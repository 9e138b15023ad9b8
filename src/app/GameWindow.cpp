#include "app/GameWindow.h"

#include <ctime>
#include <iostream>

#include "app/IntroScreen.h"
#include "app/MainMenu.h"
#include "app/MenuCommands.h"
#include "app/MenuRules.h"
#include "app/MessageBox.h"
#include "app/RaceTrackChoice.h"
#include "app/ScreenWidgets.h"
#include "app/SettingsScreen.h"
#include "app/TrackList.h"
#include "background/BackgroundGenerator.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "gui/UiFont.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "race/RaceData.h"
#include "records/RecordBook.h"
#include "track/TrackFolders.h"

namespace app {

platform::NoticeStyle GameWindow::noticeStyle() {
  return {.fontFamily = gui::kFontFamily, .height = 18, .color = 0xffff8c1a, .shadow = 0xc0000000};
}

int GameWindow::optionsWidth() {
  return windowWidthFor(config::Options::instance()->getGraphicsInt(config::key::width));
}
int GameWindow::optionsHeight() {
  return windowHeightFor(config::Options::instance()->getGraphicsInt(config::key::height));
}
bool GameWindow::optionsFullscreen() {
  return config::Options::instance()->getGraphicsInt(config::key::fullscreen) != 0;
}

// The window's size is read before the window exists: the first access creates the options
// store, which reads "options.ini".
GameWindow::GameWindow()
    : platform::Window(optionsWidth(), optionsHeight(), optionsFullscreen(), kUpdateIntervalMs) {
  setCaption(L"PROJECT KELVANE " + version_);
  setNoticeStyle(noticeStyle());
  screenWidth_ = optionsWidth();
  screenHeight_ = optionsHeight();

  gui_ = std::make_unique<gui::GUI_Manager>(graphics());
  gui_->addListener(this);
  widgets_ = std::make_unique<ScreenWidgets>(*gui_);
  messageBox_ = std::make_unique<MessageBox>(*widgets_, screenWidth_, screenHeight_, version_);
  settings_ =
      std::make_unique<SettingsScreen>(*widgets_, *messageBox_, *this, screenWidth_, screenHeight_);
  audio().setMasterVolume(config::Options::instance()->getOptionInt(config::key::volume) / 100.0);
  const std::string folder = platform::programFolder();
  // The shipped tracks and the player's own ($XDG_DATA_HOME/kelvane/tracks/).
  trackList_ = std::make_unique<TrackList>(*widgets_, track::trackFolders().trackFolders(),
                                           screenWidth_, screenHeight_, TitleReading::Background);

  // The records file is opened once; a file that cannot be used is moved aside here, and the
  // menu says so once it is up.
  records_ = std::make_unique<records::RecordBook>(platform::userFolders().recordsFile(),
                                                   static_cast<std::int64_t>(std::time(nullptr)));
  race_ = std::make_unique<race::RaceData>(graphics(), input(), audio(), kFrameMillis);
  race_->setScreenSize(screenWidth_, screenHeight_);
  race_->setRecordBook(records_.get());
  raceChoice_ = std::make_unique<RaceTrackChoice>(*race_);
  mainMenu_ = std::make_unique<MainMenu>(*widgets_, *messageBox_, *trackList_, *raceChoice_, folder,
                                         screenWidth_, screenHeight_);
  mainMenu_->attachSettings(settings_.get());
  mainMenu_->attachRecords(records_.get());
  intro_ = std::make_unique<IntroScreen>(*widgets_, screenWidth_, screenHeight_);

  if (config::Options::instance()->getOptionInt(config::key::intro) != 0) {
    buildIntro();
  } else {
    buildMainMenu();
  }
  generator_ = std::make_unique<background::BackgroundGenerator>();
}

GameWindow::~GameWindow() {
  mainMenu_->clearScreen();
  // The race's pictures and result screen come from the shared caches too, so it goes first.
  race_.reset();
  gui::ImageCache::discard();
  gui::FontCache::discard();
  // Settings saveSettings() already tried to save are not tried (and reported) again.
  config::Options::destroy(attemptedRevision_ != config::Options::instance()->revision());
  gui_.reset();
  // The generator goes with the window; the platform window closes last.
}

int GameWindow::introFrame() const {
  return intro_->introFrame();
}
int GameWindow::introEndFrame() const {
  return intro_->introEndFrame();
}
float GameWindow::logoY() const {
  return intro_->logoY();
}
float GameWindow::logoSpeed() const {
  return intro_->logoSpeed();
}

void GameWindow::buildIntro() {
  // The menu forgets its widgets before the intro replaces them.
  mainMenu_->clearScreen();
  intro_->buildIntro();
  mode_ = WindowMode::Intro;
}

void GameWindow::buildMainMenu() {
  mainMenu_->buildMainMenu();
  mode_ = WindowMode::Menu;
  mainMenu_->showRecordsNotice();
}

void GameWindow::update() {
  // Titles read in the background fill the list's rows wherever the menu shows.
  if (mode_ != WindowMode::Racing) trackList_->update();
  switch (mode_) {
    case WindowMode::Intro:
      if (intro_->update(input())) buildMainMenu();
      break;
    case WindowMode::Menu:
      mainMenu_->update(input());
      break;
    case WindowMode::Generating:
      if (mainMenu_->stepGeneration(*generator_)) mode_ = WindowMode::Menu;
      break;
    case WindowMode::Loading:
      // This frame only shows the loading picture before the long, blocking race setup.
      mode_ = WindowMode::Starting;
      break;
    case WindowMode::Starting:
      updateStarting();
      break;
    case WindowMode::Racing:
      updateRacing();
      break;
  }
}

void GameWindow::updateStarting() {
  if (race_->startRace()) {
    mode_ = WindowMode::Racing;
    mainMenu_->clearScreen();
    // The race draws its own pointer, and only once the mouse moves.
    setSystemPointerShown(false);
    tellSoundProblem();
    return;
  }
  buildMainMenu();
  messageBox_->showPopup(L"Error loading track",
                         L"An error has occured during the initialisation of the race.",
                         command::closePopup);
}

void GameWindow::updateRacing() {
  if (race_->isActive()) {
    race_->updateRace();
    return;
  }
  afterRace();
}

// The player left the result screen: back to a main menu read afresh from disk, or straight
// into the same race again, or into the next track's.
void GameWindow::afterRace() {
  const race::RaceData::EndRequest request = race_->endRequest();
  const std::string trackFile = race_->getTrackFile();
  race_->endRace();
  setSystemPointerShown(true);
  if (request == race::RaceData::EndRequest::RaceAgain) {
    mainMenu_->buildLoadingScreen();
    mode_ = WindowMode::Loading;
    return;
  }
  buildMainMenu();
  if (request == race::RaceData::EndRequest::NextTrack &&
      mainMenu_->startNextTrack(trackFile) == MenuRequest::StartLoading) {
    mode_ = WindowMode::Loading;
  }
}

void GameWindow::focusLost() {
  if (mode_ == WindowMode::Racing) race_->pause();
}

bool GameWindow::catchesUp() const {
  return mode_ == WindowMode::Racing || mode_ == WindowMode::Intro;
}

void GameWindow::draw() {
  if (mode_ == WindowMode::Racing) {
    // The menu widgets are neither drawn nor asked for commands during a race.
    race_->drawRace();
  } else {
    gui_->update(input());
  }
}

void GameWindow::tellSoundProblem() {
  const std::string& problem = race_->soundProblem();
  if (problem.empty() || toldSoundProblem_) return;
  toldSoundProblem_ = true;
  std::cerr << problem << '\n';
  showNotice(platform::widen(problem), kProblemNoticeSeconds);
}

bool GameWindow::saveSettings() {
  config::Options* options = config::Options::instance();
  if (savedRevision_ == options->revision()) return true;
  attemptedRevision_ = options->revision();
  if (!options->save()) return false;
  savedRevision_ = options->revision();
  return true;
}

bool GameWindow::closeRequested() {
  if (saveSettings() || toldSettingsNotSaved_) return true;
  tellSettingsNotSaved(config::Options::instance()->lastSaveError());
  return false;
}

void GameWindow::tellSettingsNotSaved(const std::string& reason) {
  toldSettingsNotSaved_ = true;
  // The popup lives in the menu screens.
  if (mode_ == WindowMode::Racing) race_->endRace();
  if (mode_ == WindowMode::Racing || mode_ == WindowMode::Intro) buildMainMenu();
  messageBox_->showPopup(L"Settings not saved",
                         wrapLimited(platform::widen(reason), 4) +
                             L"\nThe file keeps the settings it had.\nClose the window again to "
                             L"quit all the same.",
                         "alertOK");
}

void GameWindow::onClick(std::string id) {
  switch (mainMenu_->onClick(id)) {
    case MenuRequest::Exit:
      notifyCloseRequested();
      break;
    case MenuRequest::StartGeneration:
      mode_ = WindowMode::Generating;
      break;
    case MenuRequest::StartLoading:
      mode_ = WindowMode::Loading;
      break;
    case MenuRequest::None:
      break;
  }
}

void GameWindow::onHover(std::string) {}

}  // namespace app
