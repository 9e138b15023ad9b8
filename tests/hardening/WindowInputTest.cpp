// The whole game window started over a hand-edited or damaged installation: absurd window
// sizes and settings, junk in "options.ini", missing pictures. The window must open at a usable
// size or stop with a message naming the missing file, and "options.ini" must come out of the
// run readable and complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/GameWindow.h"
#include "config/IniFile.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

class WindowInputTest : public ::testing::Test {
 protected:
  WindowInputTest() : savedFolder_(platform::programFolder()) {
    config::Options::destroy(false);
    platform::setProgramFolder(dir_.folder());
    fs::copy(testsupport::dataDir() + "images", dir_.path() / "images",
             fs::copy_options::recursive);
    fs::create_directories(dir_.path() / "tracks");
    platform::launchSettings() = platform::LaunchSettings{};
    platform::launchSettings().headless = true;
  }
  ~WindowInputTest() override {
    config::Options::destroy(false);
    gui::FontCache::discard();
    gui::ImageCache::discard();
    platform::setProgramFolder(savedFolder_);
    platform::launchSettings() = platform::LaunchSettings{};
  }

  std::string optionsPath() const { return dir_.folder() + "options.ini"; }

  // Opens the game over `options`, runs a few frames and closes it; the window's size is
  // reported through `width` and `height`.
  void runGame(const std::string& options, int* width = nullptr, int* height = nullptr) {
    dir_.write("options.ini", options);
    {
      app::GameWindow window;
      for (int i = 0; i < 5; ++i) window.tick();
      if (width) *width = window.graphics().width();
      if (height) *height = window.graphics().height();
    }
    config::Options::destroy(false);
  }

  void expectCompleteOptionsFile() const {
    config::CIniFile saved(optionsPath());
    ASSERT_TRUE(saved.readFile()) << testsupport::readFile(optionsPath()).substr(0, 400);
    const char* options[] = {"nrCars", "nrLaps", "onlyCPU", "sound", "intro"};
    const char* graphics[] = {"height",          "width",          "fullscreen",
                              "tireMarks",       "tireMarksDepth", "tireMarksMaxDarkness",
                              "tireMarksQuality"};
    for (const char* key : options) {
      EXPECT_NE(saved.findValue(saved.findKey(config::Options::kOptionsSection), key),
                config::CIniFile::noID)
          << key;
    }
    for (const char* key : graphics) {
      EXPECT_NE(saved.findValue(saved.findKey(config::Options::kGraphicsSection), key),
                config::CIniFile::noID)
          << key;
    }
    EXPECT_NE(saved.findValue(saved.findKey(config::Options::kAISection), "skill"),
              config::CIniFile::noID);
  }

  testsupport::TempDir dir_;

 private:
  std::string savedFolder_;
};

TEST_F(WindowInputTest, AbsurdWindowSizesOpenAUsableWindowAndAreKeptInTheFile) {
  int width = 0, height = 0;
  runGame("[ Graphics ]\nwidth=0\nheight=100000\nfullscreen=-7\n[ Options ]\nintro=0\n", &width,
          &height);
  EXPECT_GE(width, 640);
  EXPECT_GE(height, 480);
  EXPECT_LE(height, 4320);
  expectCompleteOptionsFile();

  runGame("[ Graphics ]\nwidth=100000\nheight=-5\n[ Options ]\nintro=1\n", &width, &height);
  EXPECT_LE(width, 7680);
  EXPECT_GE(height, 480);
  expectCompleteOptionsFile();
  // The player's own text stays theirs to correct; the game only refused to use it.
  config::Options::destroy(false);
  EXPECT_EQ(config::Options::instance()->getGraphicsInt("width"), 100000);
}

TEST_F(WindowInputTest, JunkAndAbsurdSettingsLeaveAWorkingMenuAndAWholeFile) {
  std::string junk = "[ Options ]\nnrCars=-2147483648\nnrLaps=abc\nonlyCPU=99\nintro=-1\n";
  junk += "[ Graphics ]\ntireMarksQuality=2147483647\n";
  junk += "[ AI ]\naiStr=-99999999999\n";
  junk += std::string("\x00\x01\x02 binary tail", 16);
  runGame(junk);
  expectCompleteOptionsFile();
}

TEST_F(WindowInputTest, MissingMenuPicturesStopWithTheFileNameOrAreDoneWithout) {
  fs::remove_all(dir_.path() / "images" / "gui");
  dir_.write("options.ini", "[ Options ]\nintro=1\n");
  try {
    app::GameWindow window;
    for (int i = 0; i < 5; ++i) window.tick();
  } catch (const std::exception& error) {
    // Stopping is fine, but the player must learn which file is missing.
    RecordProperty("stopped_with", error.what());
    EXPECT_NE(std::string(error.what()).find(".png"), std::string::npos) << error.what();
  }
}

}  // namespace
