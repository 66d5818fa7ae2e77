// Pan and zoom drags on the plot area and on the scale bands.
#include <limits>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// Three layers in use and a fourth joined to layer 1: one repaint and one
// OnZoomPan per move, no history while dragging, one state on release.
TEST(MousePan, FollowsTheMouseRepaintingOncePerMove) {
  HeadlessScope scope;
  MouseChart c;
  for (int L = 2; L <= 3; ++L) {
    c.SetLayerInUse(L, true);
    c.Ranges(L, 0, 100, 0, 100);
  }
  c.JointLayers()->SetXControlledBy(4, 1);
  c.SetMouseAction(maPan);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const int index = c.ZoomHistoryIndex();
  c.paints = 0;
  c.Press(30, 30);
  c.Move(50, 50);  // the first held move is the start
  c.Move(60, 40);
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 9);
  EXPECT_DOUBLE_EQ(c.YLow(), -1);
  EXPECT_DOUBLE_EQ(c.YHigh(), 9);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.paints, 1);
  c.Move(70, 50);
  EXPECT_DOUBLE_EQ(c.XLow(), -2) << "measured from the start";
  EXPECT_DOUBLE_EQ(c.XLow(3), -20);
  EXPECT_DOUBLE_EQ(c.XLow(4), -2) << "joined to layer 1";
  EXPECT_EQ(c.paints, 2);
  c.Move(5, 5);  // outside the plot area: nothing
  EXPECT_EQ(zoomPans, 2);
  EXPECT_EQ(c.ZoomHistoryIndex(), index);
  c.Release(5, 5);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(3, index).XLow, -20);
  // A release this chart never saw pressed records nothing.
  c.Release(5, 5);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);

  // One axis; a logarithmic one multiplies (half the width: a tenth).
  c.SetMouseAction(maPanHoriz);
  c.Drag({{50, 50}, {60, 40}});
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  c.Ranges(1, 1, 100, 0, 10);
  c.XProps(1)->SetLogarithmic(true);
  c.Drag({{50, 50}, {100, 50}});
  EXPECT_NEAR(c.XLow(), 0.1, 1e-12);
  EXPECT_NEAR(c.XHigh(), 10, 1e-12);
}

TEST(MousePan, GridSnapsTheLowBoundAndLimitsKeepTheWidth) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPanGrid);
  c.SetPanGridDx(2);
  c.SetPanGridOffsX(0.5);
  c.SetPanGridDy(std::numeric_limits<double>::quiet_NaN());  // no number: no snap
  c.Drag({{60, 60}, {93, 67}});  // would give x low -3.3
  EXPECT_DOUBLE_EQ(c.XLow(), -1.5);
  EXPECT_DOUBLE_EQ(c.XHigh(), 8.5);
  EXPECT_DOUBLE_EQ(c.YLow(), 0.7);

  const long double inf = std::numeric_limits<long double>::infinity();
  c.SetMouseAction(maPan);
  c.Ranges(1, 0, 5, 0, 10);
  c.SetRangeLimits(0, -inf, 10, inf);
  c.Drag({{60, 60}, {100, 60}});  // -2..3 asked
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  c.Drag({{150, 60}, {50, 60}});
  c.Drag({{150, 60}, {50, 60}});  // 10..15 asked
  EXPECT_DOUBLE_EQ(c.XLow(), 5);
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
}

TEST(MouseZoomDrag, ScalesTheStartRangeAboutItsCentre) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maZoomDrag);
  c.Press(60, 60);
  c.Move(60, 60);
  c.Move(100, 60);  // a quarter of the control's 160 pixels to the right
  EXPECT_DOUBLE_EQ(c.XLow(), 1.25);
  EXPECT_DOUBLE_EQ(c.XHigh(), 8.75);
  EXPECT_DOUBLE_EQ(c.YHigh(), 10);
  c.Move(60, 97);  // a quarter of the 148 rows down widens y by a quarter
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.YLow(), -1.25);
  c.Release(60, 97);
  c.Ranges(1, 0, 10, 0, 10);
  c.SetIsometric(true);  // y then zooms by the x factor
  c.Drag({{60, 60}, {100, 97}});
  EXPECT_DOUBLE_EQ(c.YHigh() - c.YLow(), 7.5);
}

TEST(MouseScaleBands, DragsPanOrZoomOneAxis) {
  HeadlessScope scope;
  MouseChart c;
  // The first layout: layer 1's y scale left of the plot area, its x scale
  // below, both at ScalePos 0; both ends of a band are open.
  EXPECT_EQ(c.ScaleAtPos(1, 60), 1);
  EXPECT_EQ(c.ScaleAtPos(0, 60), 0) << "the y band is 50 deep";
  EXPECT_EQ(c.ScaleAtPos(100, 155), -1);
  EXPECT_EQ(c.ScaleAtPos(100, 156), 0) << "the x band is 40 deep";
  EXPECT_TRUE(c.InHorizScaleBand(1, 160)) << "but 50 for a drag";
  c.YProps(2)->SetScaleLocation(TScaleLocationVert::slRight);
  c.YProps(2)->SetScalePos(20);
  EXPECT_EQ(c.ScaleAtPos(171, 60), 0) << "hidden scales only count for a drag";
  EXPECT_TRUE(c.InVertScaleBand(2, 171));
  c.YProps(2)->SetVisible(true);
  EXPECT_EQ(c.ScaleAtPos(171, 60), 2);

  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.YProps(1)->SetMouseAction(maPan);
  c.Press(25, 60);
  c.Move(25, 60);  // over the y scale left of the plot area: the start
  c.paints = 0;
  c.Move(25, 70);
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.paints, 1);
  c.Release(25, 70);
  // Zoom on the x scale below: a start right of the middle keeps the low end.
  c.XProps(1)->SetMouseAction(maZoom);
  c.Drag({{130, 130}, {90, 130}});
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 20);
  // Not while a band is drawn in the plot area (the band's own OnZoomPan
  // comes on release).
  c.SetMouseAction(maRubberBand);
  c.Press(60, 60);
  c.Move(25, 60);
  c.Move(25, 90);
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_EQ(zoomPans, 2);
}

}  // namespace
}  // namespace korvo::test
