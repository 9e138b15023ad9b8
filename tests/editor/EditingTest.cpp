// Editing with the mouse and keys, through the real screen: points, widths, the start grid,
// and undo and redo of every kind of change.
#include <gtest/gtest.h>

#include <cmath>

#include "EditorFixture.h"
#include "editor/Handles.h"

namespace {

using editortest::EditorWorld;
namespace button = platform::button;

// Screen clicks land within a couple of world units of where they aim.
constexpr double kNear = 3.0;

// A rectangle driven clockwise on the screen from its top-left corner, the finish line.
void drawRectangle(EditorWorld& world) {
  for (const auto& [x, y] :
       {std::pair{200.0, 200.0}, {1200.0, 200.0}, {1200.0, 800.0}, {200.0, 800.0}}) {
    world.clickWorld(x, y);
  }
}

const std::vector<track::TrackPoint>& path(EditorWorld& world) {
  return world.screen.document().content().path;
}

TEST(EditorEditing, PointsAreAddedInsertedDraggedAndDeletedAndEveryStepUndoesAndRedoes) {
  EditorWorld world;
  drawRectangle(world);
  ASSERT_EQ(path(world).size(), 4u);
  EXPECT_NEAR(path(world)[1].x, 1200, kNear);
  EXPECT_NEAR(path(world)[1].y, 200, kNear);
  // The first point is the finish line: the game's list ends with it.
  EXPECT_NEAR(world.screen.document().track().points.back().x, 200, kNear);

  // A click on the centre line inserts a point there.
  world.clickWorld(700, 200);
  ASSERT_EQ(path(world).size(), 5u);
  EXPECT_NEAR(path(world)[1].x, 700, kNear);

  // A point dragged moves with the pointer and stays selected.
  world.drag(world.screenX(1200), world.screenY(200), world.screenX(1300), world.screenY(150));
  EXPECT_NEAR(path(world)[2].x, 1300, kNear);
  EXPECT_NEAR(path(world)[2].y, 150, kNear);
  EXPECT_EQ(world.screen.control().selected(), (editor::Handle{editor::HandleKind::Point, 2}));

  world.key(button::kDelete);
  ASSERT_EQ(path(world).size(), 4u);
  const editor::TrackContent done = world.screen.document().content();

  // Undo walks back one change at a time: the delete, the drag, the insert, the four clicks.
  world.key(button::kZ, true);
  EXPECT_EQ(path(world).size(), 5u);
  world.key(button::kZ, true);
  EXPECT_NEAR(path(world)[2].x, 1200, kNear);
  world.key(button::kZ, true);
  EXPECT_EQ(path(world).size(), 4u);
  for (int i = 0; i < 4; ++i) world.key(button::kZ, true);
  EXPECT_TRUE(path(world).empty());
  EXPECT_FALSE(world.screen.document().canUndo());
  EXPECT_FALSE(world.screen.document().modified());

  // Redo (Ctrl+Y, or Ctrl+Shift+Z) brings every change back.
  for (int i = 0; i < 6; ++i) world.key(button::kY, true);
  world.key(button::kZ, true, true);
  EXPECT_TRUE(world.screen.document().content() == done);
  EXPECT_FALSE(world.screen.document().canRedo());
}

TEST(EditorEditing, WidthsFollowTheEdgeHandlesAndTheWheelOneUndoStepPerGesture) {
  EditorWorld world;
  drawRectangle(world);
  world.clickWorld(1200, 800);  // selects the point without moving it
  const std::size_t index = 2;
  EXPECT_EQ(world.screen.control().selected(), (editor::Handle{editor::HandleKind::Point, index}));
  const double before = path(world)[index].width;

  // The right-hand edge handle pulled away from the point widens the road to match.
  auto& document = world.screen.document();
  auto& view = world.screen.view();
  const editor::ScreenPoint edge = editor::edgeHandle(document, view, index, true);
  const double px = world.screenX(1200), py = world.screenY(800);
  const double ux = (edge.x - px) / std::hypot(edge.x - px, edge.y - py);
  const double uy = (edge.y - py) / std::hypot(edge.x - px, edge.y - py);
  world.drag(edge.x, edge.y, edge.x + 20 * ux, edge.y + 20 * uy);
  EXPECT_NEAR(path(world)[index].width, before + 2 * 20 / view.zoom(), 2 * kNear);
  world.key(button::kZ, true);
  EXPECT_EQ(path(world)[index].width, before);

  // Three notches of the wheel over the point: 12 units wider, undone in one step.
  for (int i = 0; i < 3; ++i) world.wheel(px, py, true);
  EXPECT_EQ(path(world)[index].width, before + 3 * editor::CanvasControl::kWidthStep);
  world.key(button::kZ, true);
  EXPECT_EQ(path(world)[index].width, before);

  // With Control the wheel zooms around the pointer instead, and the width stays.
  const double zoom = view.zoom();
  world.wheel(px, py, true, true);
  EXPECT_GT(view.zoom(), zoom);
  EXPECT_NEAR(world.screenX(1200), px, 0.5);
  EXPECT_EQ(path(world)[index].width, before);
}

TEST(EditorEditing, TheGridStandsBehindTheFinishFacingTheWayAndItsPlacesMoveAndTurn) {
  EditorWorld world;
  drawRectangle(world);
  for (int i = 0; i < 4; ++i) world.clickButton("gridLess");
  EXPECT_EQ(world.screen.gridCount(), 4);
  world.clickButton("placeGrid");
  const std::vector<track::TrackPoint>& places = world.screen.document().content().places;
  ASSERT_EQ(places.size(), 4u);
  // The last stretch runs up the left side into the finish at (200, 200).
  for (const track::TrackPoint& place : places) {
    EXPECT_GT(place.y, 200);
    EXPECT_LT(std::fabs(place.x - 200), 40);
    EXPECT_NEAR(place.rotation, 1.5707963, 1e-3);  // facing up the screen
  }
  EXPECT_LT(places[0].x, 200);  // two columns, staggered
  EXPECT_GT(places[1].x, 200);
  EXPECT_LT(places[0].y, places[1].y);
  world.frame();
  for (const editor::Finding& f : world.screen.findings()) ADD_FAILURE() << f.message;

  // A car dragged by its body moves; its knob turns it.
  const track::TrackPoint third = places[2];
  const double cx = world.screenX(third.x), cy = world.screenY(third.y + 8);
  world.drag(cx, cy, cx + 10, cy);
  EXPECT_NEAR(places[2].x, third.x + 10 / world.screen.view().zoom(), kNear);
  const editor::ScreenPoint knob = editor::knobOf(places[2], world.screen.view());
  world.drag(knob.x, knob.y, knob.x + 30, knob.y + 30);
  EXPECT_LT(places[2].rotation, third.rotation - 0.3);
  world.key(button::kZ, true);
  world.key(button::kZ, true);
  EXPECT_EQ(places[2].x, third.x);
  EXPECT_EQ(places[2].rotation, third.rotation);

  // The status line counts the places.
  for (int i = 0; i < 3; ++i) world.clickButton("gridLess");
  world.clickButton("placeGrid");
  auto* facts = dynamic_cast<gui::GUI_Component_Label*>(world.screen.gui().find("gui_factsLbl"));
  ASSERT_NE(facts, nullptr);
  EXPECT_NE(facts->text().find(L"Grid 1 place"), std::wstring::npos) << facts->text();
  EXPECT_EQ(facts->text().find(L"places"), std::wstring::npos) << facts->text();
}

}  // namespace
