// A track made from nothing with the mouse, its grid placed, its background painted and the
// file saved, then raced by the game itself: `kelvane --race` with four computer cars over two
// laps, and the editor's own computer lap.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "EditorFixture.h"
#include "platform/ChildProcess.h"
#include "platform/Text.h"
#include "track/TrackLoader.h"

namespace {

using editortest::EditorWorld;
namespace button = platform::button;

// Runs frames until `done` or about `seconds` of waiting have passed.
template <class Done>
bool frameUntil(EditorWorld& world, Done done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    world.frame();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The game's program as a player's desktop starts it, on the PATH for the editor's own runs.
class GameOnPath {
 public:
  GameOnPath() : saved_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", (std::string(KELVANE_BINARY_DIR) + ":" + saved_).c_str(), 1);
  }
  ~GameOnPath() { setenv("PATH", saved_.c_str(), 1); }
  GameOnPath(const GameOnPath&) = delete;
  GameOnPath& operator=(const GameOnPath&) = delete;

 private:
  std::string saved_;
};

TEST(EditorEndToEnd, ATrackDrawnFromNothingIsRacedToTheEndByFourComputerCars) {
  GameOnPath game;
  EditorWorld world;
  // Twelve points on an oval, clockwise on the screen.
  for (int i = 0; i < 12; ++i) {
    const double a = 6.283185307179586 * i / 12;
    world.clickWorld(800 + 560 * std::cos(a), 520 + 340 * std::sin(a));
  }
  ASSERT_EQ(world.screen.document().content().path.size(), 12u);
  for (int i = 0; i < 4; ++i) world.clickButton("gridLess");
  world.clickMenu("trackTools", "placeGrid");
  ASSERT_EQ(world.screen.document().content().places.size(), 4u);
  world.frame();
  for (const editor::Finding& f : world.screen.findings()) ADD_FAILURE() << f.message;

  // Painting the background saves the new track first and names the picture in it.
  world.clickButton("paintBackground");
  const std::string track = world.program.tracks() + "new_track.rst";
  ASSERT_EQ(world.screen.document().path(), track);
  ASSERT_TRUE(frameUntil(
      world, [&] { return !world.screen.paintingRunning(); }, 120));
  world.frame();
  ASSERT_NE(world.screen.picture(), nullptr) << platform::narrow(world.screen.message());
  EXPECT_EQ(world.screen.document().content().background, "new_track.png");
  world.key(button::kS, true);
  EXPECT_FALSE(world.screen.document().modified());

  platform::ChildProcess race;
  std::string error;
  ASSERT_TRUE(race.start(
      std::string(KELVANE_BINARY_DIR) + "/kelvane",
      {"--race", track, "--cars", "4", "--laps", "2", "--headless", "--seed", "19"}, &error))
      << error;
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(4);
  while (race.poll() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(race.exitStatus(), 0) << race.output();
  EXPECT_EQ(race.output().find("Not finished"), std::string::npos) << race.output();

  // The editor's computer lap runs the same race on a copy, without holding the editor up.
  world.clickButton("computerLap");
  EXPECT_TRUE(world.screen.computerLapRunning());
  ASSERT_TRUE(frameUntil(
      world, [&] { return !world.screen.computerLapRunning(); }, 240));
  EXPECT_EQ(world.screen.driveResult().rfind(L"All 4 computer cars finished; fastest lap ", 0), 0u)
      << platform::narrow(world.screen.driveResult());
}

}  // namespace
