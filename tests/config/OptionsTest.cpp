#include <gtest/gtest.h>

#include <filesystem>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

class OptionsTest : public testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  void SetUp() override {
    config::Options::destroy(false);
    platform::setProgramFolder(dir.folder());
  }
  void TearDown() override { config::Options::destroy(false); }

  std::string path() const { return dir.folder() + "options.ini"; }
  // Starts the store over `text`, saves it and returns what was written.
  std::string normalised(const std::string& text) const {
    dir.write("options.ini", text);
    EXPECT_TRUE(config::Options::instance()->save());
    config::Options::destroy(false);
    return testsupport::readFile(path());
  }

  testsupport::TempDir dir;
};

TEST_F(OptionsTest, NoFileGivesEveryDefaultInOrder) {
  config::Options* options = config::Options::instance();
  EXPECT_EQ(options->getGraphicsInt(config::key::width), 1000);
  EXPECT_EQ(options->getWeatherString(config::key::weatherType), "dry");
  EXPECT_FALSE(std::filesystem::exists(path()));  // nothing is written until saved
  config::Options::destroy(true);
  EXPECT_EQ(testsupport::readFile(path()),
            "[ Options ]\nnrCars=2\nnrLaps=2\nonlyCPU=0\nsound=0\nintro=1\nvolume=100\n"
            "smoothSteering=0\n\n"
            "[ Graphics ]\nheight=700\nwidth=1000\nfullscreen=0\ntireMarks=1\ntireMarksDepth=20\n"
            "tireMarksMaxDarkness=80\ntireMarksQuality=2\nzoom=100\nminimap=1\n\n"
            "[ Weather Conditions ]\nweatherType=dry\ndry_tarmac_grip=100\n"
            "dry_tarmac_resistance=30\ndry_grass_grip=80\ndry_grass_resistance=1500\n"
            "wet_tarmac_grip=40\nwet_tarmac_resistance=10\nwet_grass_grip=100\n"
            "wet_grass_resistance=3000\ndry_sand_grip=60\ndry_sand_resistance=2500\n"
            "dry_snow_grip=35\ndry_snow_resistance=1000\ndry_gravel_grip=60\n"
            "dry_gravel_resistance=800\nwet_sand_grip=70\nwet_sand_resistance=2000\n"
            "wet_snow_grip=25\nwet_snow_resistance=1400\nwet_gravel_grip=50\n"
            "wet_gravel_resistance=1000\n\n"
            "[ AI ]\nskill=20\ndifficulty=medium\n\n"
            "[ Keys ]\nbackOnTrack=19\nthrottle=200\nbrake=208\nsteerLeft=203\nsteerRight=205\n"
            "followNext=201\nfollowPrevious=209\npadThrottle=266\npadBrake=267\n"
            "padSteerLeft=262\npadSteerRight=263\npadBackOnTrack=269\npadFollowNext=276\n"
            "padFollowPrevious=275\nzoomIn=13\nzoomOut=12\ntoggleMinimap=50\n\n");
}

TEST_F(OptionsTest, SkillComesFromAiStr) {
  EXPECT_NE(normalised("[ AI ]\nskill=35\n").find("skill=20\n"), std::string::npos);
  EXPECT_NE(normalised("[ ai ]\naiStr=35\n").find("[ ai ]\naiStr=35\nskill=35\n"),
            std::string::npos);
}

TEST_F(OptionsTest, UnknownSectionsAndKeysStayAndBadNumbersBecomeZero) {
  const std::string text = normalised(
      "; mine\n[Options]\nnrLaps=9\n[ options ]\nnrLaps=lots\nfavourite=blue\n[ Mine ]\nx=y\n");
  // [Options] without spaces is another section, which the game never reads.
  EXPECT_EQ(text.rfind("; mine\n\n[Options]\nnrLaps=9\n\n[ options ]\nnrLaps=0\nfavourite=blue\n"
                       "nrCars=2\nonlyCPU=0\nsound=0\nintro=1\nvolume=100\nsmoothSteering=0\n\n[ "
                       "Mine ]\nx=y\n\n[ Graphics ]\n",
                       0),
            0u);
}

TEST_F(OptionsTest, SettersStayInMemoryAndMoveTheRevision) {
  config::Options* options = config::Options::instance();
  const unsigned start = options->revision();
  options->getOptionInt(config::key::nrLaps);
  static_cast<const config::Options*>(options)->ini();
  EXPECT_EQ(options->revision(), start);
  options->setOptionInt(config::key::nrLaps, 7);
  const unsigned afterLaps = options->revision();
  EXPECT_NE(afterLaps, start);
  options->setPlayersString("player1_name", "Ann");
  EXPECT_NE(options->revision(), afterLaps);
  const unsigned afterName = options->revision();
  options->ini().setValueInt(config::Options::kWeatherSection, "dry_tarmac_grip", 90);
  EXPECT_NE(options->revision(), afterName);
  EXPECT_FALSE(std::filesystem::exists(path()));

  // A new store never reuses an old revision, so cached readers notice the change.
  const unsigned last = options->revision();
  config::Options::destroy(true);
  config::Options* fresh = config::Options::instance();
  EXPECT_NE(fresh->revision(), last);
  EXPECT_EQ(fresh->getOptionInt(config::key::nrLaps), 7);
  EXPECT_EQ(fresh->getWeatherInt("dry_tarmac_grip"), 90);
  EXPECT_EQ(fresh->getPlayersString("player1_name"), "Ann");
}

TEST_F(OptionsTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  dir.write("options.ini", "[ Options ]\nnrLaps=5\n");
  config::Options::instance()->setOptionInt(config::key::nrLaps, 6);
  testing::internal::CaptureStderr();
  {
    // Room for the message on standard error, too little for the settings.
    testsupport::FileSizeLimit fullDisk(300);
    EXPECT_FALSE(config::Options::instance()->save());
  }
  EXPECT_NE(testing::internal::GetCapturedStderr().find("options.ini"), std::string::npos);
  EXPECT_EQ(testsupport::readFile(path()), "[ Options ]\nnrLaps=5\n");
}

}  // namespace
