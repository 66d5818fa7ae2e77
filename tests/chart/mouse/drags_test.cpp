// Dragging crosshairs and text labels.
#include <vector>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// Crosshair 1 a vertical line at x = 2 (column 70), crosshair 2 a
// horizontal one at y = 5 (row 66), crosshair 3 off right under the first
// pointer, all on layer 1.
TEST(MouseCrossHairDrag, PicksTheNearestLineAndAsksFirst) {
  HeadlessScope scope;
  MouseChart c;
  const struct {
    TCrossHMode mode;
    double x, y;
  } set[] = {{TCrossHMode::chVert, 2, 8}, {TCrossHMode::chHoriz, 0, 5}, {TCrossHMode::chOff, 5, 4.8}};
  for (int n = 1; n <= 3; ++n) {
    c.CrossHair(n)->SetLayer(1);
    c.CrossHair(n)->SetMode(set[n - 1].mode);
    c.CrossHair(n)->SetPosX(set[n - 1].x);
    c.CrossHair(n)->SetPosY(set[n - 1].y);
  }
  c.SetMouseAction(maDragCrossH);
  std::vector<int> asked;
  int dx = 0, dy = 0, moved = 0;
  bool allow = true;
  c.OnBeforeCrossHairMove = [&](TObject*, TCrossHair* ch, int ddx, int ddy, bool& allowMove) {
    asked.push_back(ch == c.CrossHair(1) ? 1 : ch == c.CrossHair(2) ? 2 : 0);
    dx = ddx;
    dy = ddy;
    allowMove = allow;
  };
  c.OnCrossHairMove = [&](TObject*, TCrossHair*) { ++moved; };
  c.paints = 0;
  // Refused: it stays, and every move asks again.
  allow = false;
  c.Drag({{100, 68}, {100, 58}, {100, 48}});
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosY(), 5);
  EXPECT_EQ(c.paints, 0);

  asked.clear();
  allow = true;
  c.Press(100, 68);
  c.Move(100, 68);  // 30 columns from crosshair 1, 2 rows from crosshair 2
  EXPECT_EQ(asked, std::vector<int>{2});
  EXPECT_EQ(dx, 50) << "from crosshair 2's own pixel (50, 66)";
  EXPECT_EQ(dy, 2);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 5) << "it jumps to the pointer";
  c.Move(110, 56);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 6);
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosY(), 6);
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(c.paints, 2) << "one paint per move for both coordinates";
  c.Move(5, 56);  // outside the plot area: nothing
  EXPECT_DOUBLE_EQ(c.CrossHair(2)->PosX(), 6);
  c.Release(5, 56);
  // With every crosshair off, the first one is dragged.
  for (int n = 1; n <= 4; ++n) c.CrossHair(n)->SetMode(TCrossHMode::chOff);
  c.Drag({{120, 40}});
  EXPECT_EQ(asked.back(), 1);
  EXPECT_DOUBLE_EQ(c.CrossHair(1)->PosX(), 7);
}

TEST(MouseLabelDrag, PicksTheNearestVisibleLabelByItsAnchor) {
  HeadlessScope scope;
  MouseChart c;
  TTextLabel& pixels = *c.TextLabel(3);  // anchor (100, 40) in pixels
  pixels.SetAttachToData(TTxtLblAttachMode::tlamNone);
  pixels.SetPosX(100.4);
  pixels.SetPosY(39.6);
  TTextLabel& world = *c.TextLabel(5);  // world (8, 2): pixel (130, 96)
  world.SetPosX(8);
  world.SetPosY(2);
  TTextLabel& mixed = *c.TextLabel(7);  // world x 3, pixel y 90
  mixed.SetAttachToData(TTxtLblAttachMode::tlamXOnly);
  mixed.SetPosX(3);
  mixed.SetPosY(90);
  for (TTextLabel* l : {&pixels, &world, &mixed}) {
    l->SetMode(TTxtLblMode::tlBox);
    l->SetVisible(true);
  }
  c.TextLabel(9)->SetMode(TTxtLblMode::tlBox);  // right under the pointer, but hidden
  c.TextLabel(2)->SetVisible(true);             // ... visible, but off
  for (int n : {2, 9}) {
    c.TextLabel(n)->SetPosX(7.8);
    c.TextLabel(n)->SetPosY(2.1);
  }
  c.SetMouseAction(maDragLabel);
  std::vector<TTextLabel*> moved;
  c.OnTextLabelMove = [&](TObject*, TTextLabel* l) { moved.push_back(l); };
  c.paints = 0;
  c.Drag({{128, 95}, {90, 66}});
  EXPECT_DOUBLE_EQ(world.PosX(), 4);
  EXPECT_DOUBLE_EQ(world.PosY(), 5);
  EXPECT_EQ(moved, (std::vector<TTextLabel*>{&world, &world}));
  EXPECT_EQ(c.paints, 2);
  c.Drag({{101, 41}, {12, 150}});  // in pixels, and no plot-area test
  EXPECT_DOUBLE_EQ(pixels.PosX(), 12);
  EXPECT_DOUBLE_EQ(pixels.PosY(), 150);
  c.Drag({{80, 88}, {100, 60}});
  EXPECT_DOUBLE_EQ(mixed.PosX(), 5);
  EXPECT_DOUBLE_EQ(mixed.PosY(), 60);
}

}  // namespace
}  // namespace korvo::test
