#pragma once
#include <memory>
#include <string>
#include <vector>

#include "drivers/Controls.h"
#include "gui/GUI_Listener.h"
#include "race/Camera.h"
#include "race/DebugView.h"
#include "race/Hud.h"
#include "race/LapTable.h"
#include "race/RaceCar.h"
#include "race/ResultScreen.h"

namespace physics {
class Car;
class PhysicsWorld;
}  // namespace physics
namespace drivers {
class Driver;
class HumanDriver;
class RoadClearance;
}  // namespace drivers
namespace gui {
class GUI_Component_ListBox;
}  // namespace gui
namespace track {
struct TrackData;
}  // namespace track

namespace platform {
class Audio;
class Bitmap;
class Graphics;
class Image;
class Input;
}  // namespace platform

namespace records {
class RecordBook;
}

namespace race {

class BackOnTrack;
struct DecodedPicture;
class EngineSound;
class LapPath;
class Minimap;
class OverlayShapes;
class RaceRecords;
class RaceControls;
class RaceNotices;
class RaceView;
class Standings;
class StartLights;
class TireMarks;

// The race: set-up from the options and the chosen track, the order of one frame, and the race
// picture. Its parts live beside it: the camera (Camera), the race keys and mouse
// (RaceControls), the live order and gaps (Standings, over the lap's path, LapPath), putting
// stuck cars back on the road (BackOnTrack), the texts, instruments and debug view (Hud,
// DebugView), the minimap (Minimap), the start lights (StartLights) and the banners
// (RaceNotices), which read the race through a RaceView and draw with OverlayShapes, the result
// table (ResultScreen) and the pictures and sound it loads (RaceAssets). The main window keeps
// one for the whole run and starts, runs and ends races on it; between races it only remembers
// the chosen track. Everything a race computes runs without drawing, so the same object runs
// headless races.
class RaceData : public gui::GUI_Listener {
 public:
  // updateInterval: milliseconds per frame, 16 in the game (62 frames per simulated second).
  RaceData(platform::Graphics& graphics, platform::Input& input, platform::Audio& audio,
           int updateInterval);
  ~RaceData() override;
  RaceData(const RaceData&) = delete;
  RaceData& operator=(const RaceData&) = delete;

  // The window's size in pixels (800 × 600 until told otherwise).
  void setScreenSize(int width, int height) { camera_.setScreenSize(width, height); }

  // A track file name in the program's "tracks/" folder; reads its title and start positions
  // (none when unreadable).
  void selectTrack(const std::string& fileName);
  // The same for a track file anywhere (the race runner); its folder then also holds the
  // generated background picture.
  void selectTrackPath(const std::string& path);
  // Reads the whole chosen track (path included), replacing the current one.
  void loadTrack();
  const std::string& getTrackFile() const { return trackFile_; }
  std::string trackPath() const;
  const track::TrackData* getTrack() const { return track_.get(); }

  // Sets up a race from the options and the chosen track. False (and lastError()) when the
  // track cannot be read, has fewer start positions than cars, or no background can be loaded.
  bool startRace();
  // One frame: keys, countdown, planning, driving, physics, sound, camera, marks, laps.
  void updateRace();
  // Queues one frame's drawing and runs the result screen.
  void drawRace();
  bool isActive() const { return active_; }
  // Pauses a running race with its result screen up, as Escape does (the window calls it when
  // it loses the focus). A paused race stays paused; Escape resumes it.
  void pause();
  // Releases everything of the race; the chosen track file stays chosen.
  void endRace();
  // Why the last startRace failed, for the player or the command line.
  const std::string& lastError() const { return lastError_; }
  // With sound on, why the last startRace() races silent ("No engine sound: cannot read the
  // sound …"); empty when the engine sample loaded or sound is off. The window says it.
  const std::string& soundProblem() const { return soundProblem_; }

  // Where the player's records are kept; null (the default) keeps none.
  void setRecordBook(records::RecordBook* book);
  const RaceRecords& records() const { return *records_; }

  // What the player asked for when the race stopped being active.
  enum class EndRequest { Menu, RaceAgain, NextTrack };
  EndRequest endRequest() const { return endRequest_; }

  void onClick(std::string id) override;
  void onHover(std::string id) override;

  // What a race shows, for the window, the runner and tests.
  int carCount() const { return static_cast<int>(cars_.size()); }
  int lapCount() const { return laps_ ? laps_->lapCount() : 0; }
  const RaceCar& raceCar(int i) const { return cars_[static_cast<std::size_t>(i)]; }
  physics::Car& car(int i) const { return *cars_[static_cast<std::size_t>(i)].car; }
  drivers::Driver& driver(int i) const { return *drivers_[static_cast<std::size_t>(i)]; }
  // The player's driver, always car 0's; null when only computers drive.
  const drivers::HumanDriver* humanDriver() const;
  const LapTable* laps() const { return laps_.get(); }
  const Standings* standings() const { return standings_.get(); }
  const BackOnTrack* backOnTrack() const { return backOnTrack_.get(); }
  const RaceNotices* notices() const { return notices_.get(); }
  const Minimap* minimap() const { return minimap_.get(); }
  const StartLights& startLights() const { return *startLights_; }
  const LapPath* lapPath() const { return lapPath_.get(); }
  const Camera& camera() const { return camera_; }
  bool allFinished() const;
  int followedCar() const { return camera_.followedCar(); }
  int planIndex() const { return planIndex_; }
  bool paused() const { return paused_; }
  bool showInstruments() const { return hud_->instrumentsShown(); }
  int countdownFrames() const { return countdownFrames_; }
  int framesPerSecond() const { return 1000 / updateInterval_; }
  double cameraX() const { return camera_.x(); }
  double cameraY() const { return camera_.y(); }
  const TireMarks* tireMarks() const { return tireMarks_.get(); }
  const EngineSound* engineSound() const { return engineSound_.get(); }
  const platform::Image* background() const { return background_.get(); }
  const platform::Bitmap* overlayBitmap() const { return hud_->debugView().overlayBitmap(); }
  gui::GUI_Component_ListBox* resultsList() const { return results_->list(); }
  // Whether the result screen's list and buttons are in the GUI this frame.
  bool resultScreenShown() const { return results_->shown(); }
  bool scrollButtonsShown() const { return results_->scrollButtonsShown(); }
  // The result rows as the list shows them, by position (refreshed when the game is paused and
  // when a car finishes).
  std::vector<ResultCells> resultTable() const { return results_->table(); }
  // The standings of this very frame, in the same form.
  std::vector<ResultCells> currentResults() const;

 private:
  bool setUpRace();
  // Shows the decoded picture under the race and gives the surface map the ground it shows;
  // false, with the reason kept, when no picture could be read.
  bool takeBackground(DecodedPicture picture);
  // The lap table, the live standings, the back-on-track rule and the notices of a new race.
  void startReferee(int carCount, int lapCount);
  void createCar(int i, bool onlyCpu, const drivers::Controls& keys);
  void planFirstLines();
  void updateResults();
  void setFollowedCar(int index);
  void racingFrame();
  void handleViewKeys();
  void putBackStuckCars();
  // Puts a car back on the road where it left it, facing along the track, with the time
  // penalty.
  void putCarBack(int car);
  void updateCamera();
  void refocusCamera();
  void countLaps();
  void finish(EndRequest request);
  std::vector<physics::Car*> carPointers() const;
  std::vector<std::wstring> driverNames() const;

  RaceView view() const;
  void drawCars() const;
  void drawOverlays() const;

  platform::Graphics& graphics_;
  platform::Input& input_;
  platform::Audio& audio_;
  int updateInterval_;

  std::string tracksFolder_;  // empty: the program's "tracks/"
  std::string trackFile_;
  std::unique_ptr<track::TrackData> track_;
  std::unique_ptr<platform::Image> background_;
  // The room the road leaves, worked out once for all the computer drivers.
  std::unique_ptr<drivers::RoadClearance> roadClearance_;

  std::vector<RaceCar> cars_;
  std::vector<std::unique_ptr<drivers::Driver>> drivers_;
  std::vector<physics::Car*> carPointers_;
  std::unique_ptr<physics::PhysicsWorld> world_;
  std::unique_ptr<LapTable> laps_;
  std::unique_ptr<LapPath> lapPath_;
  std::unique_ptr<Standings> standings_;
  std::unique_ptr<BackOnTrack> backOnTrack_;
  std::unique_ptr<RaceNotices> notices_;
  std::unique_ptr<Minimap> minimap_;
  std::unique_ptr<TireMarks> tireMarks_;
  std::unique_ptr<EngineSound> engineSound_;
  Camera camera_;
  std::unique_ptr<RaceControls> controls_;
  std::unique_ptr<OverlayShapes> shapes_;
  std::unique_ptr<Hud> hud_;
  std::unique_ptr<StartLights> startLights_;
  std::unique_ptr<ResultScreen> results_;
  std::unique_ptr<RaceRecords> records_;
  int planIndex_ = 0;

  bool active_ = false;
  bool paused_ = false;
  EndRequest endRequest_ = EndRequest::Menu;
  int countdownFrames_ = 0;

  std::string lastError_;
  std::string soundProblem_;
};

}  // namespace race
