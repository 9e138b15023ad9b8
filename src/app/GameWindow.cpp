#include "app/GameWindow.h"

#include "config/Options.h"
#include "platform/Buttons.h"

namespace app {

int GameWindow::optionsWidth() {
  return Options::instance()->getGraphicsInt("width");
}
int GameWindow::optionsHeight() {
  return Options::instance()->getGraphicsInt("height");
}
bool GameWindow::optionsFullscreen() {
  return Options::instance()->getGraphicsInt("fullscreen") != 0;
}

// The fullscreen flag is read first: the first access creates the options store.
GameWindow::GameWindow()
    : platform::Window(optionsWidth(), optionsHeight(), optionsFullscreen(), kUpdateIntervalMs) {
  setCaption(L"PROJECT KELVANE " + version_);
  screenWidth_ = Options::instance()->getGraphicsInt("width");
  screenHeight_ = Options::instance()->getGraphicsInt("height");
  createMenus();
  createRace();
  if (Options::instance()->getOptionInt("intro") != 0) {
    buildIntro();
    logoSpeed_ = 2.0f;
    introFrame_ = 0;
    mode_ = WindowMode::intro;
  } else {
    buildMainMenu();
    mode_ = WindowMode::menu;
  }
  createGenerator();
}

GameWindow::~GameWindow() {
  clearScreen();
  discardCaches();
  Options::destroy(true);
  destroyMenus();
  // The race and the generator go with the window; the platform window closes last.
}

void GameWindow::update() {
  switch (mode_) {
    case WindowMode::intro:
      updateIntro();
      break;
    case WindowMode::menu:
      break;
    case WindowMode::generating:
      updateGenerating();
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

void GameWindow::draw() {
  if (mode_ == WindowMode::racing) {
    // The menu widgets are neither drawn nor asked for commands during a race.
    drawRace();
  } else {
    drawMenus();
  }
}

void GameWindow::updateIntro() {
  ++introFrame_;
  if (introFrame_ >= kIntroLogoFrame) {
    // Placed before it moves, so the logo first shows at its starting height.
    placeIntroLogo(static_cast<int>(logoY_));
    logoSpeed_ = logoSpeed_ * 0.99f;
    if (logoSpeed_ < 0.1f) logoSpeed_ = 0.0f;
    logoY_ -= logoSpeed_;
  }
  // Holding Space keeps pushing the end back, so the intro ends 30 frames after release.
  if (input().down(platform::button::kSpace) || introFrame_ == kIntroTimeoutFrame) {
    introEndFrame_ = introFrame_ + kIntroFadeFrames;
    coverIntro();
  }
  if (introFrame_ == introEndFrame_) {
    buildMainMenu();
    mode_ = WindowMode::menu;
  }
}

void GameWindow::updateGenerating() {
  if (stepGeneration()) mode_ = WindowMode::menu;
}

void GameWindow::updateStarting() {
  if (startRace()) {
    mode_ = WindowMode::racing;
    clearScreen();
  } else {
    mode_ = WindowMode::menu;
    buildMainMenu();
    showRaceStartError();
  }
}

void GameWindow::updateRacing() {
  if (raceRunning()) {
    updateRace();
    return;
  }
  // The player quit from the result screen.
  endRace();
  buildMainMenu();
  mode_ = WindowMode::menu;
}

void GameWindow::beginGeneration() {
  mode_ = WindowMode::generating;
}

void GameWindow::beginRaceStart() {
  buildLoadingScreen();
  mode_ = WindowMode::loading;
}

void GameWindow::buildIntro() {
  clearScreen();
  logoY_ = static_cast<float>(screenHeight_ / 2);
}

// Until the menus, the race and the generator are attached, these seams do nothing: the
// window still opens, runs its modes and writes the options back.
void GameWindow::createMenus() {}
void GameWindow::createRace() {}
void GameWindow::createGenerator() {}
void GameWindow::buildMainMenu() {}
void GameWindow::buildLoadingScreen() {}
void GameWindow::clearScreen() {}
void GameWindow::placeIntroLogo(int /*y*/) {}
void GameWindow::coverIntro() {}
bool GameWindow::stepGeneration() {
  return true;
}
bool GameWindow::startRace() {
  return false;
}
void GameWindow::showRaceStartError() {}
bool GameWindow::raceRunning() const {
  return false;
}
void GameWindow::updateRace() {}
void GameWindow::drawRace() {}
void GameWindow::endRace() {}
void GameWindow::drawMenus() {}
void GameWindow::discardCaches() {}
void GameWindow::destroyMenus() {}

}  // namespace app
