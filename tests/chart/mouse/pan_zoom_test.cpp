// Pan and zoom drags on the plot area.
#include <cmath>
#include <limits>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

TEST(MousePan, ContentFollowsTheMouseFromTheFirstHeldMove) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject* sender) {
    EXPECT_EQ(sender, &c);
    ++zoomPans;
  };
  c.Press(30, 30);    // the press records nothing
  c.Move(50, 50);     // the first held move is the start
  EXPECT_EQ(c.XLow(), 0);
  EXPECT_EQ(zoomPans, 0);
  c.Move(60, 40);
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 9);
  EXPECT_DOUBLE_EQ(c.YLow(), -1);
  EXPECT_DOUBLE_EQ(c.YHigh(), 9);
  EXPECT_EQ(zoomPans, 1);
  // Each move is measured from the start, with the present width.
  c.Move(70, 50);
  EXPECT_DOUBLE_EQ(c.XLow(), -2);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  // Outside the plot area nothing moves; a move without the button ends the
  // drag, so the next held move starts afresh.
  c.Move(5, 5);
  EXPECT_DOUBLE_EQ(c.XLow(), -2);
  c.Move(70, 50, false);
  EXPECT_FALSE(c.DragStarted());
  c.Move(80, 50);
  EXPECT_DOUBLE_EQ(c.XLow(), -2);
  EXPECT_EQ(zoomPans, 2);
}

TEST(MousePan, OneAxisModesAndLogarithmicAxes) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPanHoriz);
  c.Drag({{50, 50}, {50, 50}, {60, 40}});
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  c.SetMouseAction(maPanVert);
  c.Drag({{50, 50}, {50, 50}, {60, 40}});
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.YLow(), -1);

  // 1..100 over 100 pixels: half the width to the right divides by 10.
  c.Ranges(1, 1, 100, 1, 100);
  c.XProps(1)->SetLogarithmic(true);
  c.YProps(1)->SetLogarithmic(true);
  c.SetMouseAction(maPan);
  c.Drag({{50, 50}, {50, 50}, {100, 100}});
  EXPECT_NEAR(c.XLow(), 0.1, 1e-12);
  EXPECT_NEAR(c.XHigh(), 10, 1e-12);
  EXPECT_NEAR(c.YLow(), 10, 1e-12);
  EXPECT_NEAR(c.YHigh(), 1000, 1e-9);
}

TEST(MousePan, GridPanSnapsTheLowBoundAndKeepsTheWidth) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPanGrid);
  c.SetPanGridDx(2);
  c.SetPanGridOffsX(0.5);
  c.Drag({{60, 60}, {60, 60}, {93, 60}});  // would give x low -3.3
  EXPECT_DOUBLE_EQ(c.XLow(), -1.5);
  EXPECT_DOUBLE_EQ(c.XHigh(), 8.5);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  // A pitch of 0, or one that is no number, snaps nothing.
  c.Ranges(1, 0, 10, 0, 10);
  c.SetPanGridDx(0);
  c.SetPanGridDy(std::numeric_limits<double>::quiet_NaN());
  c.Drag({{60, 60}, {60, 60}, {93, 67}});
  EXPECT_DOUBLE_EQ(c.XLow(), -3.3);
  EXPECT_DOUBLE_EQ(c.YLow(), 0.7);
  // A layer with a logarithmic axis is left alone.
  c.Ranges(1, 1, 10, 0, 10);
  c.XProps(1)->SetLogarithmic(true);
  c.Drag({{60, 60}, {60, 60}, {93, 67}});
  EXPECT_DOUBLE_EQ(c.XLow(), 1);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
}

TEST(MousePan, RangeLimitsStopThePanAndKeepTheWidth) {
  HeadlessScope scope;
  MouseChart c;
  const long double inf = std::numeric_limits<long double>::infinity();
  c.Ranges(1, 0, 5, 0, 10);
  c.SetRangeLimits(0, -inf, 10, inf);
  c.SetMouseAction(maPan);
  c.Drag({{60, 60}, {60, 60}, {100, 60}});  // 2 units right: -2..3 asked
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  c.Drag({{150, 60}, {150, 60}, {50, 60}});  // 5..10
  c.Drag({{150, 60}, {150, 60}, {50, 60}});  // 10..15 asked
  EXPECT_DOUBLE_EQ(c.XLow(), 5);
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
}

// Every layer in use moves with one repaint per move; the joined layer
// follows without filling the zoom history, which gets one state on release.
TEST(MousePan, SeveralLayersRepaintOncePerMoveAndRecordOnRelease) {
  HeadlessScope scope;
  MouseChart c;
  for (int L = 2; L <= 3; ++L) {
    c.SetLayerInUse(L, true);
    c.Ranges(L, 0, 100, 0, 100);
  }
  c.JointLayers()->SetXControlledBy(4, 1);
  c.SetMouseAction(maPan);
  const int index = c.ZoomHistoryIndex();
  c.paints = 0;
  c.Press(50, 50);
  c.Move(50, 50);
  EXPECT_EQ(c.paints, 0);
  for (int i = 1; i <= 3; ++i) {
    c.Move(50 + 10 * i, 50);
    EXPECT_EQ(c.paints, i);
  }
  EXPECT_DOUBLE_EQ(c.XLow(1), -3);
  EXPECT_DOUBLE_EQ(c.XLow(2), -30);
  EXPECT_DOUBLE_EQ(c.XLow(3), -30);
  EXPECT_DOUBLE_EQ(c.XLow(4), -3) << "joined to layer 1";
  EXPECT_EQ(c.ZoomHistoryIndex(), index) << "no state recorded while dragging";
  c.Release(80, 50);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(2, index).XLow, -30);
  // A click records too; a release that was never pressed here does not.
  c.Press(80, 50);
  c.Release(80, 50);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 2);
  int ups = 0;
  c.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  c.Release(80, 50);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 2);
  EXPECT_EQ(ups, 1) << "the framework still reports the release";
}

TEST(MouseZoomDrag, ScalesTheStartRangeAboutItsCentre) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maZoomDrag);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.Press(60, 60);
  c.Move(60, 60);
  c.Move(100, 60);  // a quarter of the control's 160 pixels to the right
  EXPECT_DOUBLE_EQ(c.XLow(), 1.25);
  EXPECT_DOUBLE_EQ(c.XHigh(), 8.75);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_DOUBLE_EQ(c.YHigh(), 10);
  // Down by a quarter of the 148-pixel height widens y by a quarter.
  c.Move(60, 97);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.YLow(), -1.25);
  EXPECT_DOUBLE_EQ(c.YHigh(), 11.25);
  EXPECT_EQ(zoomPans, 2);
  EXPECT_EQ(c.paints, 2);
  c.Release(60, 97);
  // Isometric zooms y by the x factor.
  c.Ranges(1, 0, 10, 0, 10);
  c.SetIsometric(true);
  const double yWidth = c.YHigh() - c.YLow();
  c.Drag({{60, 60}, {60, 60}, {100, 97}});
  EXPECT_DOUBLE_EQ(c.XHigh() - c.XLow(), 7.5);
  EXPECT_DOUBLE_EQ(c.YHigh() - c.YLow(), yWidth * 0.75);
}

// A plot area without width has no pixel scale along x: that axis stays,
// the other one still pans, and nothing divides by zero.
TEST(MousePan, PlotAreaWithoutWidth) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMarginLeft(150);  // W = 0: the plot area is column 150
  c.SetMouseAction(maPan);
  bool inChart = false;
  double wx = 0;
  c.OnMouseMoveInChart = [&](TObject*, bool in, TShiftState, double x, double) {
    inChart = in;
    wx = x;
  };
  c.Drag({{150, 50}, {150, 50}, {150, 60}});
  EXPECT_TRUE(inChart);
  EXPECT_TRUE(std::isnan(wx)) << "no world position without a plot area";
  EXPECT_EQ(c.XLow(), 0);
  EXPECT_EQ(c.XHigh(), 10);
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
  c.SetMouseAction(maZoomDrag);
  c.Drag({{150, 50}, {150, 50}, {150, 60}});
  EXPECT_EQ(c.XHigh() - c.XLow(), 10) << "fx is 1 for a drag straight down";
}

}  // namespace
}  // namespace korvo::test
