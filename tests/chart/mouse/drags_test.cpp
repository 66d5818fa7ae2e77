// Dragging crosshairs and text labels.
#include <vector>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// Crosshair 1 a vertical line at x = 2 (column 70), crosshair 2 a
// horizontal one at y = 5 (row 66), crosshair 3 off right under the
// pointers used below, all on layer 1.
void SetUpCrossHairs(MouseChart& c) {
  const struct {
    TCrossHMode mode;
    double x, y;
  } set[] = {{TCrossHMode::chVert, 2, 8}, {TCrossHMode::chHoriz, 0, 5}, {TCrossHMode::chOff, 5, 4.8}};
  for (int n = 1; n <= 3; ++n) {
    TCrossHair& ch = *c.CrossHair(n);
    ch.SetLayer(1);
    ch.SetMode(set[n - 1].mode);
    ch.SetPosX(set[n - 1].x);
    ch.SetPosY(set[n - 1].y);
  }
  c.SetMouseAction(maDragCrossH);
  c.paints = 0;
}

TEST(MouseCrossHairDrag, PicksTheNearestLineAndFollowsThePointer) {
  HeadlessScope scope;
  MouseChart c;
  SetUpCrossHairs(c);
  std::vector<int> asked;
  int dx = 0, dy = 0, moved = 0;
  c.OnBeforeCrossHairMove = [&](TObject*, TCrossHair* ch, int ddx, int ddy, bool& allow) {
    asked.push_back(ch == c.CrossHair(1) ? 1 : ch == c.CrossHair(2) ? 2 : 0);
    dx = ddx;
    dy = ddy;
    EXPECT_TRUE(allow);
  };
  c.OnCrossHairMove = [&](TObject*, TCrossHair* ch) { moved += ch == c.CrossHair(2) ? 1 : 100; };
  c.Press(100, 68);
  c.Move(100, 68);  // 30 columns from crosshair 1, 2 rows from crosshair 2
  ASSERT_EQ(asked, std::vector<int>{2});
  EXPECT_EQ(dx, 50) << "from crosshair 2's own point (column 50)";
  EXPECT_EQ(dy, 2);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 5) << "it jumps to the pointer";
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosY(), 4.8);
  c.Move(110, 56);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 6);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosY(), 6);
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(c.paints, 2) << "one paint per move for both coordinates";
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 2);
  // Outside the plot area nothing moves; a new drag picks again.
  c.Move(5, 56);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 6);
  c.Release(5, 56);
  c.Press(75, 90);
  c.Move(75, 90);
  EXPECT_EQ(asked.back(), 1);
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 2.5);
  c.Release(75, 90);
  // With every crosshair off the first one is dragged.
  for (int n = 1; n <= 4; ++n) c.CrossHair(n)->SetMode(TCrossHMode::chOff);
  c.Drag({{120, 40}, {120, 40}});
  EXPECT_EQ(asked.back(), 1);
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 7);
}

TEST(MouseCrossHairDrag, RefusedMoveKeepsTheCrossHairAndAsksAgain) {
  HeadlessScope scope;
  MouseChart c;
  SetUpCrossHairs(c);
  int asked = 0;
  c.OnBeforeCrossHairMove = [&](TObject*, TCrossHair*, int, int, bool& allow) {
    ++asked;
    allow = false;
  };
  c.Press(100, 68);
  for (int y = 68; y > 30; y -= 10) c.Move(100, y);
  EXPECT_EQ(asked, 4);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosY(), 5);
  EXPECT_FALSE(c.DragStarted());
  EXPECT_EQ(c.paints, 0);
}

TEST(MouseLabelDrag, PicksTheNearestVisibleLabelByItsAnchor) {
  HeadlessScope scope;
  MouseChart c;
  // Label 3 by pixels at (100, 40); label 5 at world (8, 2), pixel (130,
  // 96); label 7 in world x, pixel y.
  TTextLabel& l3 = *c.TextLabel(3);
  l3.SetAttachToData(TTxtLblAttachMode::tlamNone);
  l3.SetPosX(100.4);
  l3.SetPosY(39.6);
  TTextLabel& l5 = *c.TextLabel(5);
  l5.SetPosX(8);
  l5.SetPosY(2);
  TTextLabel& l7 = *c.TextLabel(7);
  l7.SetAttachToData(TTxtLblAttachMode::tlamXOnly);
  l7.SetPosX(3);
  l7.SetPosY(90);
  for (TTextLabel* l : {&l3, &l5, &l7}) {
    l->SetMode(TTxtLblMode::tlBox);
    l->SetVisible(true);
  }
  // Right under the pointer, but hidden (9) or off (2).
  TTextLabel& l9 = *c.TextLabel(9);
  l9.SetMode(TTxtLblMode::tlBox);
  TTextLabel& l2 = *c.TextLabel(2);
  l2.SetVisible(true);
  for (TTextLabel* l : {&l9, &l2}) {
    l->SetPosX(7.8);
    l->SetPosY(2.1);
  }
  c.SetMouseAction(maDragLabel);
  std::vector<TTextLabel*> moved;
  c.OnTextLabelMove = [&](TObject*, TTextLabel* l) { moved.push_back(l); };
  c.paints = 0;

  c.Press(128, 95);
  c.Move(128, 95);
  c.Move(90, 66);
  EXPECT_DOUBLE_EQ(l5.PosX(), 4);
  EXPECT_DOUBLE_EQ(l5.PosY(), 5);
  EXPECT_EQ(moved, (std::vector<TTextLabel*>{&l5, &l5}));
  EXPECT_EQ(c.paints, 2);
  c.Release(90, 66);
  // A label kept in pixels moves in pixels; outside the plot area too.
  c.Drag({{101, 41}, {101, 41}, {12, 150}});
  EXPECT_DOUBLE_EQ(l3.PosX(), 12);
  EXPECT_DOUBLE_EQ(l3.PosY(), 150);
  c.Drag({{80, 88}, {80, 88}, {100, 60}});
  EXPECT_DOUBLE_EQ(l7.PosX(), 5);
  EXPECT_DOUBLE_EQ(l7.PosY(), 60);
  EXPECT_DOUBLE_EQ(l5.PosX(), 4);
}

}  // namespace
}  // namespace korvo::test
