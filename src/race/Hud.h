#pragma once
#include <memory>
#include <string>

namespace platform {
class Graphics;
class Image;
}  // namespace platform

namespace race {

class DebugView;
class OverlayShapes;
class RaceView;

// The speed as the HUD shows it: the car model's metres per second in kilometres per hour,
// rounded, with its unit ("144 km/h").
std::wstring speedText(double metresPerSecond);

// What the race shows over its picture: a see-through panel in the top left corner with the
// followed car's speed, lap, lap times, position and gap to the car ahead; its name at the top;
// and on demand (Backspace) the instrument panel with, when only computers drive, the computer
// driver's debug view. It reads the race through a RaceView; drawing changes nothing, the
// frame's changes happen in update().
class Hud {
 public:
  // updateInterval: milliseconds per frame, 16 in the game. The shapes draw the panels.
  Hud(platform::Graphics& graphics, const OverlayShapes& shapes, int updateInterval);
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
  // Texts at z 100 on their panel, the instruments at z 1000 in the bottom right corner, the
  // debug view below the cars; only "onlyCPU" = 1 shows the debug view.
  void draw(const RaceView& view) const;

  const DebugView& debugView() const { return *debugView_; }

 private:
  void drawTexts(const RaceView& view) const;
  void drawStanding(const RaceView& view) const;
  void drawName(const RaceView& view) const;
  void drawInstruments(const RaceView& view) const;

  platform::Graphics& graphics_;
  const OverlayShapes& shapes_;
  bool instrumentsShown_ = false;
  std::unique_ptr<platform::Image> powerBar_, brakeBar_, throttleBar_, steerBar_, wheelIndicator_;
  std::unique_ptr<DebugView> debugView_;
};

}  // namespace race
