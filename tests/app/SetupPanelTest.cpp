// The race setup as the player sees it in the real window: its texts read on the menu's
// background.
#include <gtest/gtest.h>

#include <fstream>

#include "GameFixture.h"
#include "gui/GUI_Component_Label.h"
#include "platform/Bitmap.h"
#include "support/TestSupport.h"

namespace {

TEST(SetupPanel, EveryCaptionCountAndRecordLineReadsOnTheMenuBackground) {
  apptest::GameFolder folder;
  std::ofstream(folder.program.folder() + "options.ini")
      << "[ Options ]\nintro=0\nnrCars=2\n\n[ Graphics ]\nwidth=1000\nheight=700\n";
  app::GameWindow window;
  window.setKeepLastFrame(true);
  apptest::Player player(window);
  player.clickTrack("ring.rst");
  player.frames(1);
  const platform::Bitmap& frame = window.lastFrame();
  ASSERT_GT(frame.width(), 0);

  int checked = 0;
  for (gui::GUI_Component* widget : window.gui().components()) {
    const auto* label = dynamic_cast<gui::GUI_Component_Label*>(widget);
    // The setup's own labels stand on the background below the track list (the level's and the
    // CPU mark's sit on their buttons).
    if (label == nullptr || label->y() < 494 || label->text().empty()) continue;
    if (label->id() == "gui_levelXLbl" || label->id() == "gui_cpuXLbl") continue;
    // Just above and left of the text is the background it is read on.
    const platform::Color ground = frame.getPixel(label->x() - 3, label->y() - 3);
    EXPECT_GE(testsupport::contrastRatio(label->colour(), ground), 4.5)
        << label->id() << " \"" << platform::narrow(label->text()) << "\"";
    ++checked;
  }
  EXPECT_GE(checked, 10);  // the captions, the counts, the track's facts and records
}

}  // namespace
