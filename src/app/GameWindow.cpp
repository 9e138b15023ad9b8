#include "app/GameWindow.h"

#include "app/IntroScreen.h"
#include "app/MainMenu.h"
#include "app/MenuRules.h"
#include "app/MessageBox.h"
#include "app/RaceTrackChoice.h"
#include "app/ScreenWidgets.h"
#include "app/TrackList.h"
#include "background/BackgroundGenerator.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"
#include "race/RaceData.h"

namespace app {

int GameWindow::optionsWidth() {
  return windowWidthFor(Options::instance()->getGraphicsInt("width"));
}
int GameWindow::optionsHeight() {
  return windowHeightFor(Options::instance()->getGraphicsInt("height"));
}
bool GameWindow::optionsFullscreen() {
  return Options::instance()->getGraphicsInt("fullscreen") != 0;
}

// The window's size is read before the window exists: the first access creates the options
// store, which reads "options.ini".
GameWindow::GameWindow()
    : platform::Window(optionsWidth(), optionsHeight(), optionsFullscreen(), kUpdateIntervalMs) {
  setCaption(L"PROJECT KELVANE " + version_);
  screenWidth_ = optionsWidth();
  screenHeight_ = optionsHeight();

  gui_ = std::make_unique<GUI_Manager>(graphics());
  gui_->addListener(this);
  widgets_ = std::make_unique<ScreenWidgets>(*gui_);
  messageBox_ = std::make_unique<MessageBox>(*widgets_, screenWidth_, screenHeight_, version_);
  const std::string folder = platform::programFolder();
  // The shipped tracks and the player's own ($XDG_DATA_HOME/kelvane/tracks/).
  trackList_ = std::make_unique<TrackList>(*widgets_, platform::userFolders().trackFolders(),
                                           screenWidth_, screenHeight_);

  race_ = std::make_unique<race::RaceData>(graphics(), input(), audio(), kFrameMillis);
  race_->setScreenSize(screenWidth_, screenHeight_);
  raceChoice_ = std::make_unique<RaceTrackChoice>(*race_);
  mainMenu_ = std::make_unique<MainMenu>(*widgets_, *messageBox_, *trackList_, *raceChoice_, folder,
                                         screenWidth_, screenHeight_);
  intro_ = std::make_unique<IntroScreen>(*widgets_, screenWidth_, screenHeight_);

  if (Options::instance()->getOptionInt("intro") != 0) {
    buildIntro();
  } else {
    buildMainMenu();
  }
  generator_ = std::make_unique<BackgroundGenerator>();
}

GameWindow::~GameWindow() {
  mainMenu_->clearScreen();
  // The race's pictures and result screen come from the shared caches too, so it goes first.
  race_.reset();
  ImageCache::discard();
  FontCache::discard();
  Options::destroy(true);
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
  mode_ = WindowMode::intro;
}

void GameWindow::buildMainMenu() {
  mainMenu_->buildMainMenu();
  mode_ = WindowMode::menu;
}

void GameWindow::update() {
  switch (mode_) {
    case WindowMode::intro:
      if (intro_->update(input())) buildMainMenu();
      break;
    case WindowMode::menu:
      break;
    case WindowMode::generating:
      if (mainMenu_->stepGeneration(*generator_)) mode_ = WindowMode::menu;
      break;
    case WindowMode::loading:
      // This frame only shows the loading picture before the long, blocking race setup.
      mode_ = WindowMode::starting;
      break;
    case WindowMode::starting:
      updateStarting();
      break;
    case WindowMode::racing:
      updateRacing();
      break;
  }
}

void GameWindow::updateStarting() {
  if (race_->startRace()) {
    mode_ = WindowMode::racing;
    mainMenu_->clearScreen();
    // The race draws its own pointer, and only once the mouse moves.
    setSystemPointerShown(false);
    return;
  }
  buildMainMenu();
  messageBox_->showPopup(L"Error loading track",
                         L"An error has occured during the initialisation of the race.", "alertOK");
}

void GameWindow::updateRacing() {
  if (race_->isActive()) {
    race_->updateRace();
    return;
  }
  // The player quit from the result screen: back to a main menu read afresh from disk.
  race_->endRace();
  setSystemPointerShown(true);
  buildMainMenu();
}

void GameWindow::focusLost() {
  if (mode_ == WindowMode::racing) race_->pause();
}

void GameWindow::draw() {
  if (mode_ == WindowMode::racing) {
    // The menu widgets are neither drawn nor asked for commands during a race.
    race_->drawRace();
  } else {
    gui_->update(input());
  }
}

void GameWindow::onClick(std::string id) {
  switch (mainMenu_->onClick(id)) {
    case MenuRequest::Exit:
      close();
      break;
    case MenuRequest::StartGeneration:
      mode_ = WindowMode::generating;
      break;
    case MenuRequest::StartLoading:
      mode_ = WindowMode::loading;
      break;
    case MenuRequest::None:
      break;
  }
}

void GameWindow::onHover(std::string) {}

void GameWindow::beginGeneration() {
  mode_ = WindowMode::generating;
}

void GameWindow::beginRaceStart() {
  mainMenu_->buildLoadingScreen();
  mode_ = WindowMode::loading;
}

}  // namespace app
