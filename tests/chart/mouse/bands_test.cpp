// Bands drawn with the mouse and the box selection: their results in world
// units and the outlines they leave, or do not leave, on the control.
#include <vector>

#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

TEST(MouseZoomWindow, ReversesYUnlessPosAndStaysSquareWhenIsometric) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maZoomWind);
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const int index = c.ZoomHistoryIndex();
  c.Drag({{60, 26}, {80, 40}, {100, 66}});  // top-left to bottom-right
  EXPECT_DOUBLE_EQ(c.XLow(), 1);
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  EXPECT_DOUBLE_EQ(c.YLow(), 9) << "the higher world y becomes y low";
  EXPECT_DOUBLE_EQ(c.YHigh(), 5);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);

  c.SetMouseAction(maZoomWindPos);
  c.Ranges(1, 10, 0, 0, 10);  // x reversed
  c.Drag({{60, 26}, {100, 66}});
  EXPECT_DOUBLE_EQ(c.XLow(), 9) << "descending along the reversed axis";
  EXPECT_DOUBLE_EQ(c.XHigh(), 5);
  EXPECT_DOUBLE_EQ(c.YLow(), 5);
  EXPECT_DOUBLE_EQ(c.YHigh(), 9);

  c.Ranges(1, 0, 10, 0, 10);
  c.SetIsometric(true);
  c.Drag({{60, 96}, {90, 90}});  // 30 right, 6 up: made 30 up
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
  EXPECT_DOUBLE_EQ(c.YHigh(), 5);
  c.Ranges(1, 0, 10, 0, 10);
  c.Drag({{60, 96}, {400, 500}});  // clamped after squaring
  EXPECT_DOUBLE_EQ(c.XHigh(), 10);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_DOUBLE_EQ(c.YHigh(), 2);
}

struct Reported {
  int layer;
  double x1, y1, x2, y2;
};

TEST(MouseRubberBandAndSelectRect, ReportEveryLayerInUse) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.Ranges(2, 10, 0, 0, 10);  // x reversed
  std::vector<Reported> got;
  std::vector<int> order;
  const auto record = [&](TObject*, int L, double x1, double y1, double x2, double y2) {
    got.push_back({L, x1, y1, x2, y2});
    order.push_back(L);
  };
  c.OnRubberBand = record;
  c.OnSelectRect = record;
  c.OnZoomPan = [&](TObject*) { order.push_back(0); };
  c.SetMouseAction(maRubberBand);
  c.Drag({{100, 90}, {60, 40}});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_DOUBLE_EQ(got[0].x1, 5) << "the band keeps its direction";
  EXPECT_DOUBLE_EQ(got[0].y2, 7.6);
  // Released where it started in x or in y: nothing at all.
  c.Drag({{60, 60}, {90, 60}});
  c.Drag({{60, 60}, {60, 90}});
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));

  got.clear();
  order.clear();
  c.SetMouseAction(maSelectRect);
  c.Drag({{100, 90}, {60, 40}});
  EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_DOUBLE_EQ(got[0].x1, 1) << "ordered to the axes";
  EXPECT_DOUBLE_EQ(got[0].y1, 2.6);
  EXPECT_DOUBLE_EQ(got[0].x2, 5);
  EXPECT_DOUBLE_EQ(got[0].y2, 7.6);
  EXPECT_DOUBLE_EQ(got[1].x1, 9);
  EXPECT_DOUBLE_EQ(got[1].x2, 5);
  EXPECT_EQ(c.XLow(), 0) << "no range changes";
}

// The outline is inverted onto the control while dragging, and the picture
// comes back exactly however the band ends: a release of another button, a
// band without height (drawn, but firing nothing), a repaint in between
// (no stale outline), a change of MouseAction under the band.
TEST(MouseBandOutline, RestoresThePictureExactly) {
  HeadlessScope scope;
  for (TMouseActMode mode : {maZoomWind, maRubberBand}) {
    for (TMouseButton other : {TMouseButton::mbRight, TMouseButton::mbMiddle}) {
      MouseChart c;
      c.SetMouseAction(mode);
      const auto before = Snapshot(c.Shown());
      c.Press(60, 60);
      c.Move(90, 80);
      EXPECT_EQ(c.At(60, 60), before->Canvas()->Pixel(60, 60) ^ 0xFFFFFF);
      c.Move(400, -50);
      c.Press(400, -50, other);
      c.Release(400, -50, other);
      EXPECT_FALSE(c.BandActive());
      EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
      EXPECT_EQ(c.paints, 0);
    }
  }
  MouseChart c;
  c.SetMouseAction(maRubberBand);
  const auto before = Snapshot(c.Shown());
  c.Drag({{60, 60}, {120, 60}});
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);

  c.SetMouseAction(maZoomWind);
  c.Press(60, 60);
  c.Move(90, 80);
  c.Repaint();
  c.Move(100, 90);
  EXPECT_EQ(c.At(99, 89), before->Canvas()->Pixel(99, 89) ^ 0xFFFFFF);
  EXPECT_EQ(c.At(89, 79), before->Canvas()->Pixel(89, 79)) << "no stale corner";
  c.SetMouseAction(maSelectRect);
  c.Move(105, 95);
  EXPECT_FALSE(c.BandActive());
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
}

TEST(MouseBoxSelection, ArmPressDragRelease) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maRubberBand);  // a band dragged at the same time
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  EXPECT_FALSE(c.FinishedBox(x1, y1, x2, y2));
  const auto before = Snapshot(c.Shown());
  c.ArmBoxSelection();
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msFirstCorner);
  c.Press(70, 70);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msRectDraw);
  c.Move(90, 90);
  c.Move(200, 5);  // the corner is clamped to (150, 16)
  EXPECT_EQ(c.At(149, 16), before->Canvas()->Pixel(149, 16) ^ 0xFFFFFF);
  EXPECT_EQ(c.At(71, 70), before->Canvas()->Pixel(71, 70)) << "the box's max corner row is left out";
  c.Release(200, 5);
  EXPECT_EQ(c.BoxState(), TBoxSelectState::msFinished);
  ASSERT_TRUE(c.FinishedBox(x1, y1, x2, y2));
  EXPECT_EQ(x1, 70);
  EXPECT_EQ(y1, 70);
  EXPECT_EQ(x2, 200) << "the release position, not clamped";
  EXPECT_EQ(y2, 5);
  EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  // The right button cancels, and so does the operation.
  for (bool byButton : {true, false}) {
    c.ArmBoxSelection();
    c.Press(60, 60);
    c.Move(80, 80);
    if (byButton) {
      c.Press(80, 80, TMouseButton::mbRight);
      c.Release(80, 80, TMouseButton::mbRight);
    } else {
      c.CancelBoxSelection();
    }
    EXPECT_EQ(c.BoxState(), TBoxSelectState::msNormal);
    c.Release(80, 80);
    EXPECT_EQ(CountDifferentPixels(*before, c.Shown()), 0);
  }
}

}  // namespace
}  // namespace korvo::test
