#pragma once
#include <memory>

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

class DebugView;
class RaceView;

// What the race shows over its picture: the followed car's speed and lap times, its name, the
// countdown, and on demand (Backspace) the instrument panel with, when only computers drive,
// the computer driver's debug view. It reads the race through a RaceView; drawing changes
// nothing, the frame's changes happen in update().
class Hud {
 public:
  // updateInterval: milliseconds per frame, 16 in the game.
  Hud(platform::Graphics& graphics, int updateInterval);
  ~Hud();
  Hud(const Hud&) = delete;
  Hud& operator=(const Hud&) = delete;

  // A new race: the instrument pictures are loaded (a missing one is left out of the panel) and
  // the debug view starts afresh. Whether the instruments are shown carries over from the last
  // race.
  void start();
  // The race is over: the debug view lets go of its overlay.
  void end();

  void toggleInstruments() { instrumentsShown_ = !instrumentsShown_; }
  bool instrumentsShown() const { return instrumentsShown_; }

  // Once in every racing frame, before drawing.
  void update(const RaceView& view);
  // Texts at z 100, the panel at z 1000 in the bottom right corner, the debug view below the
  // cars; only "onlyCPU" = 1 shows the debug view.
  void draw(const RaceView& view) const;

  const DebugView& debugView() const { return *debugView_; }

 private:
  void drawTexts(const RaceView& view) const;
  void drawInstruments(const RaceView& view) const;
  void drawCountdown(const RaceView& view) const;

  platform::Graphics& graphics_;
  bool instrumentsShown_ = false;
  std::unique_ptr<platform::Image> powerBar_, brakeBar_, throttleBar_, steerBar_, wheelIndicator_;
  std::unique_ptr<DebugView> debugView_;
};

}  // namespace race
