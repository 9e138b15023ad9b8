// "options.ini" as people and accidents leave it: junk, byte-order marks, endless lines, repeated
// or missing sections, numbers that are letters or far out of range. The store must start with
// usable values every time and write back a file that reads again with every setting in it.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "config/Options.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

struct Setting {
  const char* section;
  const char* key;
  int defaultValue;
};

const std::vector<Setting>& numericSettings() {
  static const std::vector<Setting> settings = {
      {config::Options::kOptionsSection, "nrCars", 2},
      {config::Options::kOptionsSection, "nrLaps", 2},
      {config::Options::kOptionsSection, "onlyCPU", 0},
      {config::Options::kOptionsSection, "sound", 0},
      {config::Options::kOptionsSection, "intro", 1},
      {config::Options::kGraphicsSection, "height", 700},
      {config::Options::kGraphicsSection, "width", 1000},
      {config::Options::kGraphicsSection, "fullscreen", 0},
      {config::Options::kGraphicsSection, "tireMarks", 1},
      {config::Options::kGraphicsSection, "tireMarksDepth", 20},
      {config::Options::kGraphicsSection, "tireMarksMaxDarkness", 80},
      {config::Options::kGraphicsSection, "tireMarksQuality", 2},
      {config::Options::kWeatherSection, "dry_tarmac_grip", 100},
      {config::Options::kWeatherSection, "dry_tarmac_resistance", 30},
      {config::Options::kWeatherSection, "dry_grass_grip", 80},
      {config::Options::kWeatherSection, "dry_grass_resistance", 1500},
      {config::Options::kWeatherSection, "wet_tarmac_grip", 40},
      {config::Options::kWeatherSection, "wet_tarmac_resistance", 10},
      {config::Options::kWeatherSection, "wet_grass_grip", 100},
      {config::Options::kWeatherSection, "wet_grass_resistance", 3000},
      {config::Options::kAISection, "skill", 20},
  };
  return settings;
}

class OptionsFileTest : public testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  void SetUp() override {
    config::Options::destroy(false);
    platform::setProgramFolder(dir_.folder());
  }
  void TearDown() override { config::Options::destroy(false); }

  std::string path() const { return dir_.folder() + "options.ini"; }

  // One run of the game as far as the settings go: the store reads the file, and the window's
  // teardown saves it.
  void runGameOver(const std::string& text) {
    dir_.write("options.ini", text);
    config::Options::instance();
    config::Options::destroy(true);
  }

  // The file left behind must read without a stop and hold every setting as a plain number.
  void expectCompleteFile() const {
    config::CIniFile saved(path());
    ASSERT_TRUE(saved.readFile()) << "the saved options.ini does not read back";
    for (const Setting& s : numericSettings()) {
      const std::string value = saved.getValue(s.section, s.key, "<missing>");
      EXPECT_NE(value, "<missing>") << s.key;
      EXPECT_EQ(value, std::to_string(saved.getValueInt(s.section, s.key))) << s.key;
    }
    EXPECT_EQ(saved.getValue(config::Options::kWeatherSection, "weatherType", "<missing>"), "dry");
  }

  testsupport::TempDir dir_;
};

TEST_F(OptionsFileTest, BinaryJunkGivesDefaultsAndACompleteFile) {
  std::mt19937 random(7);
  std::string junk(64 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  runGameOver(junk);
  expectCompleteFile();
  for (const Setting& s : numericSettings()) {
    EXPECT_EQ(config::Options::instance()->ini().getValueInt(s.section, s.key), s.defaultValue)
        << s.key;
  }
}

TEST_F(OptionsFileTest, OnlyTheBadLineIsPassedOver) {
  runGameOver("[ Options ]\nnrLaps=7\n\x01 binary from here\nnrCars=9\n");
  expectCompleteFile();
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), 7);
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrCars"), 9);
}

TEST_F(OptionsFileTest, TenMegabyteLinesNeitherHangNorLoseTheLinesAfterThem) {
  const std::string hugeNumber(10 * 1024 * 1024, '9');
  const std::string hugeComment = ";" + std::string(10 * 1024 * 1024, 'c');
  runGameOver("[ Options ]\n" + hugeComment + "\nnrLaps=" + hugeNumber + "\nnrCars=-" + hugeNumber +
              "\nintro=0\n");
  expectCompleteFile();
  // Out-of-range numbers saturate instead of wrapping to something random.
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), INT_MAX);
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrCars"), INT_MIN);
  EXPECT_EQ(config::Options::instance()->getOptionInt("intro"), 0);
}

TEST_F(OptionsFileTest, TwoHundredThousandKeysAreAllReadAndARepeatedKeyTakesItsLastValue) {
  std::string text = "[ Options ]\nnrLaps=7\n";
  for (int i = 0; i < 200000; ++i)
    text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  text += "[ options ]\nNRLAPS=9\nkey5=again\n";  // the same names, written otherwise
  dir_.write("options.ini", text);
  const config::CIniFile& ini = config::Options::instance()->ini();
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), 9);
  EXPECT_EQ(ini.getValue(config::Options::kOptionsSection, "key199999"), "199999");
  EXPECT_EQ(ini.getValue(config::Options::kOptionsSection, "KEY5"), "again");
  EXPECT_GE(ini.numValues(ini.findKey(config::Options::kOptionsSection)), 200000u);
}

TEST_F(OptionsFileTest, AFileOverTheSizeLimitIsKeptAsABackupAndTheDefaultsAreUsed) {
  dir_.write("options.ini", "[ Options ]\nnrLaps=7\n");
  std::filesystem::resize_file(path(), config::CIniFile::kMaxFileBytes + 1);
  testing::internal::CaptureStderr();
  config::Options::instance();
  config::Options::destroy(true);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("larger than 64 MiB"), std::string::npos) << said;
  EXPECT_EQ(std::filesystem::file_size(path() + ".bak"), config::CIniFile::kMaxFileBytes + 1);
  expectCompleteFile();
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), 2);
}

TEST_F(OptionsFileTest, MissingAndRepeatedSectionsStillGiveEverySetting) {
  runGameOver(
      "[ Graphics ]\nwidth=800\n"
      "[ Graphics ]\nheight=500\n"
      "[ Graphics ]\n");
  expectCompleteFile();
  // Keys under a repeated header belong to the first section of that name.
  EXPECT_EQ(config::Options::instance()->getGraphicsInt("width"), 800);
  EXPECT_EQ(config::Options::instance()->getGraphicsInt("height"), 500);
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), 2);

  // A second start over the saved file changes nothing.
  const std::string first = testsupport::readFile(path());
  config::Options::instance();
  config::Options::destroy(true);
  EXPECT_EQ(testsupport::readFile(path()), first);
}

TEST_F(OptionsFileTest, EveryNumericSettingSurvivesLettersNegativeAndHugeValues) {
  const std::vector<std::pair<std::string, int>> values = {
      {"abc", 0},
      {"", 0},
      {"-1", -1},
      {"0", 0},
      {"100000", 100000},
      {"-2147483648", INT_MIN},
      {"2147483647", INT_MAX},
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", INT_MIN},
      {"  12abc", 12},
      {"+5", 5},
      {"1e9", 1},
      {"0x10", 0},
  };
  for (const auto& [text, expected] : values) {
    std::string file;
    const char* section = nullptr;
    for (const Setting& s : numericSettings()) {
      if (!section || std::string(section) != s.section) {
        section = s.section;
        file += std::string("[") + section + "]\n";
      }
      file += std::string(s.key) + "=" + text + "\n";
    }
    // Skill is taken from aiStr at every start.
    file += "aiStr=" + text + "\n";
    runGameOver(file);
    expectCompleteFile();
    for (const Setting& s : numericSettings()) {
      EXPECT_EQ(config::Options::instance()->ini().getValueInt(s.section, s.key), expected)
          << s.key << " = \"" << text << "\"";
    }
    config::Options::destroy(false);
  }
}

// A byte-order mark, as some editors write it, must not make the file unreadable (the next save
// would replace the player's settings with the defaults).
TEST_F(OptionsFileTest, AByteOrderMarkDoesNotCostTheSettings) {
  runGameOver("\xEF\xBB\xBF[ Options ]\nnrLaps=7\n");
  expectCompleteFile();
  EXPECT_EQ(config::Options::instance()->getOptionInt("nrLaps"), 7);
}

// A bad line must not take the lines after it with it when the file is saved; the file as it
// was is kept beside it.
TEST_F(OptionsFileTest, LinesAfterABadLineAreNotDeletedBySaving) {
  const std::string original = "[ Options ]\nnrLaps=7\n\tindented=1\n[ Mine ]\nkeep=me\n";
  runGameOver(original);
  const std::string saved = testsupport::readFile(path());
  EXPECT_NE(saved.find("keep=me"), std::string::npos) << saved;
  EXPECT_EQ(testsupport::readFile(path() + ".bak"), original);
}

}  // namespace
