#pragma once
#include <string>

#include "platform/Window.h"

namespace app {

// The window's modes, in this order.
enum class WindowMode {
  intro,       // the intro screen is playing
  menu,        // a menu screen is shown (popups and the about box live here too)
  generating,  // a track background is being painted, one stage per frame
  loading,     // the loading picture is up; the race is set up in the next frame
  starting,    // the race is being set up in this frame
  racing,      // the race runs and draws itself
};

// The game's one window: opened at the size the options give, it switches between the intro,
// the menu screens, background generation, the two steps of a race start, and the race.
// Commands from the menu screens arrive while drawing; the mode they set takes effect at the
// next frame's update.
class GameWindow : public platform::Window {
 public:
  static constexpr const wchar_t* kVersion = L"1.0";
  // Whole milliseconds per update, handed to the race (1000 / 16 = 62 frames per second in its
  // integer arithmetic); the window itself runs every 16.666666 ms.
  static constexpr int kFrameMillis = 16;
  static constexpr double kUpdateIntervalMs = 16.666666;
  // The intro's timings, in frames.
  static constexpr int kIntroLogoFrame = 60;
  static constexpr int kIntroTimeoutFrame = 500;
  static constexpr int kIntroFadeFrames = 30;

  // Reads the options (creating the store, which reads "options.ini" in the program folder).
  GameWindow();
  // Writes "options.ini" back: the only time the options are saved.
  ~GameWindow() override;

  void update() override;
  void draw() override;

  WindowMode mode() const { return mode_; }
  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }
  const std::wstring& version() const { return version_; }
  int introFrame() const { return introFrame_; }
  // -1 until the intro is skipped or times out.
  int introEndFrame() const { return introEndFrame_; }
  float logoY() const { return logoY_; }
  float logoSpeed() const { return logoSpeed_; }

  // What the menu commands ask of the window. "startGeneration": the chosen track's background
  // is painted from the next frame on.
  void beginGeneration();
  // "startRace" with a start grid and a background: the loading picture goes up now, the race
  // is set up two frames later.
  void beginRaceStart();

 private:
  static int optionsWidth();
  static int optionsHeight();
  static bool optionsFullscreen();

  void updateIntro();
  void updateGenerating();
  void updateStarting();
  void updateRacing();

  // Seams where the menus, the race and the generator plug in. Each does what its comment
  // says once those parts are attached; until then the window runs its mode machine alone.

  // The menu widgets' manager is created here and the window registered as its listener.
  void createMenus();
  // The race object (kept for the whole run) is created here, told the window's size.
  void createRace();
  // The background generator is created here, at stage 0.
  void createGenerator();
  // The intro pictures go up here; the logo then waits at mid-height.
  void buildIntro();
  // The main menu screen is built here (track list, race setup, menu bar).
  void buildMainMenu();
  // The loading picture goes up here.
  void buildLoadingScreen();
  // Every widget leaves the menu manager.
  void clearScreen();
  // The intro logo is shown at this height.
  void placeIntroLogo(int y);
  // The menu background fades in over the intro.
  void coverIntro();
  // One generator stage runs here with its progress popup. True when the picture is saved
  // (or the generation gave up) and the window returns to the menu.
  bool stepGeneration();
  // The race is set up here; false when it failed.
  bool startRace();
  // The popup "Error loading track" goes up here.
  void showRaceStartError();
  // Whether the race still runs (active, with its result screen).
  bool raceRunning() const;
  void updateRace();
  void drawRace();
  void endRace();
  // The menu manager's pass: draws every widget and delivers at most one command.
  void drawMenus();
  // The shared picture and font caches are emptied here, before the window's graphics go.
  void discardCaches();
  // The menu manager is destroyed here.
  void destroyMenus();

  WindowMode mode_ = WindowMode::menu;
  std::wstring version_ = kVersion;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  int introFrame_ = 0;
  int introEndFrame_ = -1;
  float logoSpeed_ = 2.0f;
  float logoY_ = 0.0f;
};

}  // namespace app
