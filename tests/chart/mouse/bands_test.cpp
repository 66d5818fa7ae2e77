// Bands drawn with the mouse (rubber band, zoom windows, selection
// rectangle) and the box selection: their results in world units and the
// outlines they leave, or do not leave, on the control.
#include <vector>

#include "chart/mouse/mouse_fixture.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

struct TRect4 {
  int layer;
  double x1, y1, x2, y2;
};

TEST(MouseZoomWindow, FromTopLeftToBottomRightReversesYUnlessPos) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maZoomWind);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const int index = c.ZoomHistoryIndex();
  c.Drag({{60, 26}, {80, 40}, {100, 66}});
  EXPECT_DOUBLE_EQ(c.XLow(), 1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  EXPECT_DOUBLE_EQ(c.YLow(), 9) << "the higher world y becomes y low";
  EXPECT_DOUBLE_EQ(c.YHigh(), 5);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1) << "one state per window";

  c.SetMouseAction(maZoomWindPos);
  c.Ranges(1, 0, 10, 0, 10);
  c.Drag({{100, 66}, {60, 26}});  // dragged up and left: still ascending
  EXPECT_DOUBLE_EQ(c.XLow(), 1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  EXPECT_DOUBLE_EQ(c.YLow(), 5);
  EXPECT_DOUBLE_EQ(c.YHigh(), 9);
  // On a reversed axis the order follows the axis.
  c.Ranges(1, 10, 0, 0, 10);
  c.Drag({{60, 26}, {100, 66}});
  EXPECT_DOUBLE_EQ(c.XLow(), 9);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
}

TEST(MouseZoomWindow, IsometricKeepsTheWindowSquareAndClamped) {
  HeadlessScope scope;
  MouseChart c;
  c.SetIsometric(true);  // 100 x 100 pixels, 0..10 both ways: unchanged
  ASSERT_DOUBLE_EQ(c.YHigh(), 10);
  c.SetMouseAction(maZoomWind);
  c.Drag({{60, 26}, {100, 46}});  // 40 across, 20 down: made 40 down
  EXPECT_DOUBLE_EQ(c.XLow(), 1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  EXPECT_DOUBLE_EQ(c.YLow(), 9);
  EXPECT_DOUBLE_EQ(c.YHigh(), 5);
  // Up and to the right: the corner goes up as far; far outside, both
  // coordinates end on the plot edge.
  c.Ranges(1, 0, 10, 0, 10);
  c.Drag({{60, 96}, {90, 90}});
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
  EXPECT_DOUBLE_EQ(c.YHigh(), 5);
  c.Ranges(1, 0, 10, 0, 10);
  c.Drag({{60, 96}, {400, 500}});
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
  EXPECT_DOUBLE_EQ(c.YHigh(), 0) << "clamped to the bottom row";
}

TEST(MouseRubberBand, ReportsEveryLayerInUseAndNothingWithoutExtent) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(3, true);
  c.Ranges(3, 0, 100, 0, 100);
  c.SetMouseAction(maRubberBand);
  std::vector<TRect4> bands;
  int zoomPans = 0;
  c.OnRubberBand = [&](TObject*, int L, double x1, double y1, double x2, double y2) {
    bands.push_back({L, x1, y1, x2, y2});
  };
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.Drag({{100, 90}, {60, 40}});
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].layer, 1);
  EXPECT_DOUBLE_EQ(bands[0].x1, 5) << "the band keeps its direction";
  EXPECT_DOUBLE_EQ(bands[0].y1, 2.6);
  EXPECT_DOUBLE_EQ(bands[0].x2, 1);
  EXPECT_DOUBLE_EQ(bands[0].y2, 7.6);
  EXPECT_EQ(bands[1].layer, 3);
  EXPECT_DOUBLE_EQ(bands[1].x2, 10);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.XLow(), 0) << "a rubber band changes no range";

  // Released where it started in x or in y: no events.
  bands.clear();
  zoomPans = 0;
  c.Drag({{60, 60}, {90, 60}});
  c.Drag({{60, 60}, {60, 90}});
  c.Drag({{60, 60}, {60, 60}});
  EXPECT_TRUE(bands.empty());
  EXPECT_EQ(zoomPans, 0);
  // Only a left press inside the plot area starts a band.
  c.Drag({{20, 60}, {90, 90}});
  c.Press(60, 60, TMouseButton::mbRight);
  EXPECT_FALSE(c.BandActive());
  c.Release(60, 60, TMouseButton::mbRight);
  EXPECT_TRUE(bands.empty());
}

TEST(MouseSelectRect, OncePerLayerOrderedToTheAxesThenOneZoomPan) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.Ranges(2, 10, 0, 0, 10);  // x reversed
  c.SetMouseAction(maSelectRect);
  std::vector<TRect4> rects;
  std::vector<int> order;
  c.OnSelectRect = [&](TObject*, int L, double x1, double y1, double x2, double y2) {
    rects.push_back({L, x1, y1, x2, y2});
    order.push_back(L);
  };
  c.OnZoomPan = [&](TObject*) { order.push_back(0); };
  c.Drag({{100, 90}, {60, 40}});
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
  EXPECT_DOUBLE_EQ(rects[0].x1, 1);
  EXPECT_DOUBLE_EQ(rects[0].x2, 5);
  EXPECT_DOUBLE_EQ(rects[0].y1, 2.6);
  EXPECT_DOUBLE_EQ(rects[0].y2, 7.6);
  EXPECT_DOUBLE_EQ(rects[1].x1, 9) << "descending on the reversed axis";
  EXPECT_DOUBLE_EQ(rects[1].x2, 5);
  EXPECT_EQ(c.paints, 1) << "the release repaints once";
}

// The outline is inverted onto the control while dragging and the picture
// comes back exactly, however the band ends.
TEST(MouseBandOutline, InvertsWhileDraggingAndRestoresThePicture) {
  HeadlessScope scope;
  for (TMouseActMode mode : {maZoomWind, maRubberBand, maSelectRect}) {
    for (TMouseButton release : {TMouseButton::mbRight, TMouseButton::mbMiddle}) {
      MouseChart c;
      c.SetMouseAction(mode);
      const auto before = Snapshot(c.Shown());
      const TColor under = before->Canvas()->Pixel(60, 60);
      c.Press(60, 60);
      c.Move(90, 80);
      EXPECT_EQ(c.Shown().Canvas()->Pixel(60, 60), under ^ 0xFFFFFF);
      EXPECT_GT(CountDifferentPixels(*before, c.Shown()), 20);
      c.Move(120, 100);
      c.Move(400, -50);  // clamped to (150, 16)
      EXPECT_EQ(c.BandActive(), true);
      c.Press(400, -50, release);  // another button, while the left is held
      c.Release(400, -50, release);
      EXPECT_FALSE(c.BandActive());
      EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0) << int(mode) << " released " << int(release);
      EXPECT_EQ(c.paints, 0);
    }
  }
  // A band without height is a drawn line that fires nothing; it goes too.
  MouseChart c;
  c.SetMouseAction(maRubberBand);
  const auto before = Snapshot(c.Shown());
  c.Drag({{60, 60}, {120, 60}});
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
}

// A repaint while a band is drawn takes the outline away; the band then
// neither leaves a stale outline nor loses the new one.
TEST(MouseBandOutline, SurvivesARepaintInBetween) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maZoomWind);
  const auto before = Snapshot(c.Shown());
  c.Press(60, 60);
  c.Move(90, 80);
  c.Repaint();
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  c.Move(100, 90);
  EXPECT_EQ(c.Shown().Canvas()->Pixel(99, 89), before->Canvas()->Pixel(99, 89) ^ 0xFFFFFF);
  EXPECT_EQ(c.Shown().Canvas()->Pixel(89, 79), before->Canvas()->Pixel(89, 79)) << "no stale corner";
  c.Press(100, 90, TMouseButton::mbRight);
  c.Release(100, 90, TMouseButton::mbRight);
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);

  // A mode changed under a band ends it, outline and all, without events.
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.Press(60, 60);
  c.Move(90, 80);
  c.SetMouseAction(maRubberBand);
  c.Move(95, 85);
  EXPECT_FALSE(c.BandActive());
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  c.Release(95, 85);
  EXPECT_EQ(zoomPans, 0);
}

TEST(MouseBoxSelection, ArmPressDragRelease) {
  HeadlessScope scope;
  MouseChart c;
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msNormal);
  int32_t x1 = -1, y1 = -1, x2 = -1, y2 = -1;
  EXPECT_FALSE(c.FinishedBox(x1, y1, x2, y2));
  const auto before = Snapshot(c.Shown());
  c.ArmBoxSelection();
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msFirstCorner);
  c.Press(70, 70);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msRectDraw);
  c.Move(200, 5);  // the outline's corner is clamped to (150, 16)
  EXPECT_EQ(c.Shown().Canvas()->Pixel(149, 16), before->Canvas()->Pixel(149, 16) ^ 0xFFFFFF);
  EXPECT_EQ(c.Shown().Canvas()->Pixel(70, 70), before->Canvas()->Pixel(70, 70)) << "max corner left out";
  EXPECT_EQ(c.Shown().Canvas()->Pixel(70, 69), before->Canvas()->Pixel(70, 69) ^ 0xFFFFFF);
  c.Release(200, 5);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msFinished);
  ASSERT_TRUE(c.FinishedBox(x1, y1, x2, y2));
  EXPECT_EQ(x1, 70);
  EXPECT_EQ(y1, 70);
  EXPECT_EQ(x2, 200) << "the release position, not clamped";
  EXPECT_EQ(y2, 5);
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  // The state stays finished until armed again; the right button cancels
  // at either step.
  c.Drag({{60, 60}, {80, 80}});
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msFinished);
  c.ArmBoxSelection();
  c.Press(60, 60, TMouseButton::mbRight);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msNormal);
  c.Release(60, 60, TMouseButton::mbRight);
  c.ArmBoxSelection();
  c.Press(60, 60);
  c.Move(80, 80);
  c.Press(80, 80, TMouseButton::mbRight);
  c.Release(80, 80, TMouseButton::mbRight);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msNormal);
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  // Cancelling while dragging takes the outline away.
  c.ArmBoxSelection();
  c.Press(60, 60);
  c.Move(80, 80);
  c.CancelBoxSelection();
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
}

// The box and a band keep their own moving corners: both outlines come and
// go cleanly when dragged together, over each other.
TEST(MouseBoxSelection, AlongsideARubberBand) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maRubberBand);
  const auto before = Snapshot(c.Shown());
  c.ArmBoxSelection();
  c.Press(60, 60);
  c.Move(90, 80);
  c.Move(110, 100);
  EXPECT_EQ(c.Shown().Canvas()->Pixel(61, 60), before->Canvas()->Pixel(61, 60) ^ 0xFFFFFF) << "box edge";
  EXPECT_EQ(c.Shown().Canvas()->Pixel(61, 61), before->Canvas()->Pixel(61, 61) ^ 0xFFFFFF) << "the line";
  c.Press(110, 100, TMouseButton::mbRight);
  c.Release(110, 100, TMouseButton::mbRight);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msNormal);
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
}

}  // namespace
}  // namespace korvo::test
