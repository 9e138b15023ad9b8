#include <gtest/gtest.h>

#include "config/Options.h"
#include "platform/Paths.h"
#include "race/PlayerSettings.h"
#include "support/TestSupport.h"

namespace {

// Every test gets its own options file in a temporary folder; nothing is saved.
class PlayerSettings : public ::testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  void SetUp() override {
    platform::setProgramFolder(dir_.folder());
    config::Options::destroy(false);
  }
  void TearDown() override { config::Options::destroy(false); }
  testsupport::TempDir dir_;
};

TEST_F(PlayerSettings, MissingValuesGetDefaultsThatAreWrittenBack) {
  EXPECT_EQ(race::getPlayerName(2), "Player3");
  EXPECT_EQ(config::Options::instance()->getPlayersString("player3_name"), "Player3");
  EXPECT_EQ(race::getPlayerImage(0), "enzo.png");
  EXPECT_EQ(config::Options::instance()->getPlayersString("player1_image"), "enzo.png");

  config::Options::instance()->setPlayersString("player12_name", "Kim");
  EXPECT_EQ(race::getPlayerName(11), "Kim");
}

TEST_F(PlayerSettings, ColourTextRoundTrips) {
  EXPECT_EQ(race::colorText(0xffffffffu), "255-255255255");
  EXPECT_EQ(race::colorText(0xff0080ffu), "255-000128255");
  EXPECT_EQ(race::parseColorText("255-000128255"), 0xff0080ffu);
  EXPECT_EQ(race::parseColorText("007-001002003"), 0x07010203u);
}

TEST_F(PlayerSettings, MalformedColourTextIsRejected) {
  for (const char* text : {"", "255-00012825", "255-0001282550", "255-00a128255", "255-000256000",
                           "255+000128255", " 255-00128255"})
    EXPECT_FALSE(race::parseColorText(text).has_value()) << text;
}

TEST_F(PlayerSettings, StoredColourIsUsedAndABrokenOneReplaced) {
  config::Options::instance()->setPlayersString("player1_color", "255-000128255");
  EXPECT_EQ(race::getPlayerColor(0), 0xff0080ffu);

  config::Options::instance()->setPlayersString("player2_color", "12-34");
  const platform::Color drawn = race::getPlayerColor(1);
  EXPECT_EQ(platform::alphaOf(drawn), 255);
  EXPECT_LE(platform::redOf(drawn), 254);
  const std::string stored = config::Options::instance()->getPlayersString("player2_color");
  EXPECT_EQ(stored.size(), 13u);
  EXPECT_EQ(race::parseColorText(stored), drawn);
  EXPECT_EQ(race::getPlayerColor(1), drawn);  // the next read finds the same colour
}

}  // namespace
