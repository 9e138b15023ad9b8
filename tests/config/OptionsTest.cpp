#include <gtest/gtest.h>

#include <filesystem>

#include "config/Options.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

class OptionsTest : public testing::Test {
 protected:
  void SetUp() override {
    Options::destroy(false);
    platform::setProgramFolder(dir.folder());
  }
  void TearDown() override { Options::destroy(false); }

  std::string optionsPath() const { return dir.folder() + "options.ini"; }
  void writeOptions(const std::string& text) const { dir.write("options.ini", text); }
  // Saves, drops the store and returns the file's text.
  std::string saveAndRead() const {
    EXPECT_TRUE(Options::instance()->save());
    Options::destroy(false);
    return testsupport::readFile(optionsPath());
  }

  testsupport::TempDir dir;
};

const char* const kAllDefaults =
    "[ Options ]\n"
    "nrCars=2\nnrLaps=2\nonlyCPU=0\nsound=0\nintro=1\n\n"
    "[ Graphics ]\n"
    "height=700\nwidth=1000\nfullscreen=0\ntireMarks=1\ntireMarksDepth=20\n"
    "tireMarksMaxDarkness=80\ntireMarksQuality=2\n\n"
    "[ Weather Conditions ]\n"
    "weatherType=dry\ndry_tarmac_grip=100\ndry_tarmac_resistance=30\ndry_grass_grip=80\n"
    "dry_grass_resistance=1500\nwet_tarmac_grip=40\nwet_tarmac_resistance=10\n"
    "wet_grass_grip=100\nwet_grass_resistance=3000\n\n"
    "[ AI ]\n"
    "skill=20\n\n";

TEST_F(OptionsTest, NoFileGivesEveryDefaultInOrder) {
  Options* options = Options::instance();
  EXPECT_EQ(options->getGraphicsInt("width"), 1000);
  EXPECT_EQ(options->getGraphicsInt("height"), 700);
  EXPECT_EQ(options->getGraphicsInt("fullscreen"), 0);
  EXPECT_EQ(options->getOptionInt("intro"), 1);
  EXPECT_EQ(options->getWeatherString("weatherType"), "dry");
  EXPECT_EQ(options->getWeatherInt("wet_grass_grip"), 100);
  EXPECT_EQ(options->getAIInt("skill"), 20);
  EXPECT_FALSE(std::filesystem::exists(optionsPath()));  // nothing is written until saved
  EXPECT_EQ(saveAndRead(), kAllDefaults);
}

TEST_F(OptionsTest, SkillComesFromAiStr) {
  writeOptions("[ AI ]\nskill=35\n");
  EXPECT_EQ(Options::instance()->getAIInt("skill"), 20);
  Options::destroy(false);

  writeOptions("[ ai ]\naiStr=35\n");
  EXPECT_EQ(Options::instance()->getAIInt("skill"), 35);
  const std::string text = saveAndRead();
  EXPECT_NE(text.find("[ ai ]\naiStr=35\nskill=35\n"), std::string::npos);
}

TEST_F(OptionsTest, SectionWithoutSpacesIsAnotherSection) {
  writeOptions("[Options]\nnrLaps=9\n");
  EXPECT_EQ(Options::instance()->getOptionInt("nrLaps"), 2);
  const std::string text = saveAndRead();
  EXPECT_EQ(text.rfind("[Options]\nnrLaps=9\n\n[ Options ]\nnrCars=2\nnrLaps=2\n", 0), 0u);
}

TEST_F(OptionsTest, ValuesAreNormalisedAndUnknownKeysKept) {
  writeOptions(
      "; my settings\n"
      "[ options ]\n"
      "nrLaps=lots\n"
      "nrCars=4 cars\n"
      "favourite=blue\n"
      "[ Weather Conditions ]\n"
      "weatherType=snow\n"
      "[ Mine ]\n"
      "x=y\n");
  Options* options = Options::instance();
  EXPECT_EQ(options->getOptionInt("nrLaps"), 0);
  EXPECT_EQ(options->getOptionInt("nrCars"), 4);
  EXPECT_EQ(options->getWeatherString("weatherType"), "snow");
  EXPECT_EQ(options->getWeatherInt("snow_tarmac_grip"), 0);
  const std::string text = saveAndRead();
  EXPECT_EQ(text.rfind("; my settings\n\n[ options ]\nnrLaps=0\nnrCars=4\nfavourite=blue\n"
                       "onlyCPU=0\nsound=0\nintro=1\n\n",
                       0),
            0u);
  EXPECT_NE(text.find("[ Mine ]\nx=y\n\n[ Graphics ]\n"), std::string::npos);
}

TEST_F(OptionsTest, BrokenFileStillGetsDefaults) {
  testing::internal::CaptureStdout();
  writeOptions("[ Options ]\nnrCars=5\n\x01junk\nnrLaps=7\n");
  Options* options = Options::instance();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failing on char 1\n");
  EXPECT_EQ(options->getOptionInt("nrCars"), 5);
  EXPECT_EQ(options->getOptionInt("nrLaps"), 2);
}

TEST_F(OptionsTest, SettersChangeMemoryAndRevision) {
  Options* options = Options::instance();
  const unsigned start = options->revision();
  options->getOptionInt("nrLaps");
  static_cast<const Options*>(options)->ini();
  EXPECT_EQ(options->revision(), start);

  options->setOptionInt("nrLaps", 7);
  const unsigned afterLaps = options->revision();
  EXPECT_NE(afterLaps, start);
  options->setPlayersString("player1_name", "Ann");
  EXPECT_NE(options->revision(), afterLaps);
  const unsigned afterName = options->revision();
  options->ini().setValueInt(Options::kWeatherSection, "dry_tarmac_grip", 90);
  EXPECT_NE(options->revision(), afterName);
  EXPECT_EQ(options->getWeatherInt("dry_tarmac_grip"), 90);
  EXPECT_EQ(options->getPlayersString("player1_name"), "Ann");
  EXPECT_FALSE(std::filesystem::exists(optionsPath()));

  // A new store never reuses an old revision, so cached readers notice the change.
  const unsigned last = options->revision();
  Options::destroy(true);
  Options* fresh = Options::instance();
  EXPECT_NE(fresh->revision(), last);
  EXPECT_EQ(fresh->getOptionInt("nrLaps"), 7);
  EXPECT_EQ(fresh->getPlayersString("player1_name"), "Ann");
  const std::string text = saveAndRead();
  EXPECT_NE(text.find("skill=20\n\n[ Players ]\nplayer1_name=Ann\n\n"), std::string::npos);
}

TEST_F(OptionsTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  writeOptions("[ Options ]\nnrLaps=5\n");
  Options::instance()->setOptionInt("nrLaps", 6);
  std::filesystem::create_directory(optionsPath() + ".tmp");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Options::instance()->save());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("options.ini"), std::string::npos);
  EXPECT_EQ(testsupport::readFile(optionsPath()), "[ Options ]\nnrLaps=5\n");
}

}  // namespace
