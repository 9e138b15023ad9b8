// Saving, opening and the questions about unsaved work, through the real screen.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "app/MenuCommands.h"
#include "app/TrackList.h"
#include "gui/GUI_Component_ListBox.h"
#include "platform/Bitmap.h"
#include "track/TrackLoader.h"

namespace {

using editortest::EditorWorld;
namespace button = platform::button;

void drawTriangle(EditorWorld& world) {
  world.clickWorld(300, 300);
  world.clickWorld(1100, 300);
  world.clickWorld(700, 850);
}

void expectSameTrack(const track::TrackData& a, const track::TrackData& b) {
  ASSERT_EQ(a.points.size(), b.points.size());
  for (std::size_t i = 0; i < a.points.size(); ++i) {
    EXPECT_EQ(a.points[i].x, b.points[i].x);
    EXPECT_EQ(a.points[i].y, b.points[i].y);
    EXPECT_EQ(a.points[i].width, b.points[i].width);
    EXPECT_EQ(a.points[i].rotation, b.points[i].rotation);
  }
  ASSERT_EQ(a.positions.size(), b.positions.size());
  for (std::size_t i = 0; i < a.positions.size(); ++i) {
    EXPECT_EQ(a.positions[i].x, b.positions[i].x);
    EXPECT_EQ(a.positions[i].rotation, b.positions[i].rotation);
  }
  EXPECT_EQ(a.title, b.title);
}

TEST(EditorFiles, ANewTrackIsSavedUnderItsTitleAndTheGameLoadsWhatTheEditorShows) {
  EditorWorld world;
  drawTriangle(world);
  world.clickButton("placeGrid");
  EXPECT_NE(world.caption.find(L" *"), std::wstring::npos);
  world.key(button::kS, true);

  // A game run from its build folder keeps a player's tracks beside its own.
  const std::string saved = world.program.tracks() + "new_track.rst";
  EXPECT_EQ(world.screen.document().path(), saved);
  EXPECT_FALSE(world.screen.document().modified());
  EXPECT_EQ(world.caption, L"Solvern - New Track");
  const auto loaded = track::importTrack(saved);
  ASSERT_NE(loaded, nullptr);
  expectSameTrack(*loaded, world.screen.document().track());

  // Opened again, it is the same track, unmodified; Save As makes a second file beside it.
  EditorWorld again;
  ASSERT_TRUE(again.screen.open(saved));
  EXPECT_TRUE(again.screen.document().content() == world.screen.document().content());
  EXPECT_FALSE(again.screen.document().modified());
  again.key(button::kS, true, true);
  EXPECT_EQ(again.screen.document().path(), world.program.tracks() + "new_track_2.rst");
}

TEST(EditorFiles, TheTitleAndPictureNameAreTypedInTheirFieldsUndoneAndSaved) {
  EditorWorld world;
  drawTriangle(world);
  world.clickButton("placeGrid");
  const editor::TrackDocument& document = world.screen.document();
  const std::size_t places = document.content().places.size();
  gui::GUI_Component_TextField* title = world.clickField("gui_titleField");
  ASSERT_NE(title, nullptr);
  ASSERT_TRUE(title->focused());
  world.key(button::kEnd);
  for (int i = 0; i < 12; ++i) world.key(button::kBackspace);
  // While a field is typed in the keys are its own: the selected grid place stays.
  world.key(button::kDelete);
  EXPECT_EQ(document.content().places.size(), places);
  world.type("Hill Loop");
  EXPECT_EQ(document.content().title, "New Track");  // until the edit ends
  world.key(button::kEnter);
  EXPECT_FALSE(title->focused());
  EXPECT_EQ(document.content().title, "Hill Loop");
  EXPECT_EQ(world.caption, L"Solvern - Hill Loop *");

  world.key(button::kZ, true);
  EXPECT_EQ(document.content().title, "New Track");
  EXPECT_EQ(title->text(), "New Track");
  world.key(button::kY, true);
  world.key(button::kS, true);
  const std::string saved = world.program.tracks() + "hill_loop.rst";
  ASSERT_EQ(document.path(), saved);
  EXPECT_EQ(track::importTrack(saved)->title, "Hill Loop");

  // A picture beside the track shows as soon as its name is typed, and goes with an undo.
  platform::Bitmap(64, 64, 0xff3a7a3au).savePng(world.program.tracks() + "hills.png");
  world.clickField("gui_backgroundField");
  world.type(" hills.png ");
  world.key(button::kTab);
  EXPECT_EQ(document.content().background, "hills.png");
  EXPECT_NE(world.screen.picture(), nullptr);
  world.key(button::kZ, true);
  EXPECT_EQ(world.screen.picture(), nullptr);
  world.key(button::kY, true);
  world.key(button::kS, true);
  EXPECT_EQ(track::importTrack(saved)->background, "hills.png");
}

TEST(EditorFiles, UnsavedChangesAreAskedAboutBeforeNewOpenAndQuit) {
  EditorWorld world;
  world.program.writeTrack("ring.rst", menutest::squareTrack("Small Ring", "ring.png", 2));
  drawTriangle(world);

  // Cancel keeps everything as it was.
  world.key(button::kN, true);
  EXPECT_EQ(world.popupTitle(), L"Unsaved changes");
  world.clickButton("promptCancel");
  EXPECT_EQ(world.popupTitle(), L"");
  EXPECT_EQ(world.screen.document().content().path.size(), 3u);

  // "Don't save" lets the work go.
  world.clickMenu("file", "newTrack");
  world.clickButton("promptDiscard");
  EXPECT_TRUE(world.screen.document().content().path.empty());

  // Opening a track from the list asks too; answered with "Don't save", the track opens.
  drawTriangle(world);
  world.key(button::kO, true);
  auto* list = dynamic_cast<gui::GUI_Component_ListBox*>(world.screen.gui().find("gui_tracksLB"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->rowCount(), 1);
  const auto& row = list->row(0).skin();
  world.click((row.left() + row.right()) / 2, (row.top() + row.bottom()) / 2);
  EXPECT_EQ(world.popupTitle(), L"Unsaved changes");
  world.clickButton("promptDiscard");
  EXPECT_EQ(world.screen.document().content().title, "Small Ring");
  EXPECT_EQ(world.screen.document().path(), world.program.tracks() + "ring.rst");

  // Quit with a change asks; "Save" saves, then the editor closes.
  world.clickWorld(200, 200);
  EXPECT_FALSE(world.screen.requestQuit());
  EXPECT_FALSE(world.quitCalled);
  world.clickButton("promptSave");
  EXPECT_TRUE(world.quitCalled);
  EXPECT_EQ(track::importTrack(world.program.tracks() + "ring.rst")->points.size(), 5u);

  // Nothing to save: quitting needs no question.
  EditorWorld fresh;
  EXPECT_TRUE(fresh.screen.requestQuit());
}

TEST(EditorFiles, ATrackOfAReadOnlyTreeIsSavedToThePlayersTracksFolderWhereTheGameFindsIt) {
  EditorWorld world(true);
  const std::string shipped =
      world.program.writeTrack("ring.rst", menutest::squareTrack("Small Ring", "ring.png", 2));
  const std::string original = testsupport::readFile(shipped);
  ASSERT_TRUE(world.screen.open(shipped));
  world.drag(world.screenX(340), world.screenY(340), world.screenX(380), world.screenY(380));
  world.key(button::kS, true);

  const std::string copy = world.userTracks() + "ring.rst";
  EXPECT_EQ(world.screen.document().path(), copy);
  EXPECT_EQ(testsupport::readFile(shipped), original);
  EXPECT_NE(world.screen.message().find(L"read-only"), std::wstring::npos);
  const auto loaded = track::importTrack(copy);
  ASSERT_NE(loaded, nullptr);
  expectSameTrack(*loaded, world.screen.document().track());
  // The player's copy takes the shipped one's place in the game.
  EXPECT_EQ(
      editortest::foldersFor(world.program.folder(), world.home(), true).trackFile("ring.rst"),
      copy);

  // A new track goes to the player's folder too, named after its title.
  world.key(button::kN, true);
  drawTriangle(world);
  world.key(button::kS, true);
  EXPECT_EQ(world.screen.document().path(), world.userTracks() + "new_track.rst");
}

TEST(EditorFiles, ATrackWithErrorsIsSavedWithAClearWordThatTheGameWillRefuseIt) {
  EditorWorld world;
  world.clickWorld(400, 400);
  world.key(button::kS, true);
  EXPECT_FALSE(world.screen.document().modified());
  EXPECT_EQ(world.popupTitle(), L"Saved, but the game will refuse it");
  world.clickButton(app::command::closePopup);
  // It opens again as it was left, one point and all.
  EditorWorld again;
  ASSERT_TRUE(again.screen.open(world.screen.document().path()));
  EXPECT_EQ(again.screen.document().content().path.size(), 1u);
}

}  // namespace
