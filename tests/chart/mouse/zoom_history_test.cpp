// The zoom history as the mouse fills it, and stepping through it.
#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// Pans `units` x (or y) units, recorded on release.
void PanX(MouseChart& c, int units) { c.Drag({{70, 60}, {70 + 10 * units, 60}}); }
void PanY(MouseChart& c, int units) { c.Drag({{70, 60}, {70, 60 + 10 * units}}); }

TEST(MouseZoomHistory, SixteenPushesWrapToSlotOne) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  for (int i = 1; i <= 16; ++i) PanX(c, 1);
  EXPECT_EQ(c.ZoomHistoryIndex(), 2);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, 1).XLow, -16);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, 2).XLow, -1) << "the oldest";
}

TEST(MouseZoomHistory, BackAndForthOverAllLayersWithOneRepaint) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.Ranges(2, 0, 100, 0, 100);
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  EXPECT_FALSE(c.ZoomBack());
  PanX(c, 1);
  PanX(c, 1);
  c.Drag({{70, 60}});  // a click records the same state again
  c.paints = 0;
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(c.paints, 1);
  EXPECT_DOUBLE_EQ(c.XLow(), -1) << "past the repeated state";
  EXPECT_DOUBLE_EQ(c.XLow(2), -10);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XHigh(2), 100);
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.XLow(2), -20);
  EXPECT_FALSE(c.ZoomForward());
  // A new zoom after stepping back drops the states ahead.
  EXPECT_TRUE(c.ZoomBack());
  PanY(c, 2);
  EXPECT_FALSE(c.CanZoomForward());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  // Ranges set without a record (a drag on a scale band) are recorded by
  // the step back, so that stepping forward returns to them.
  c.SetMouseAction(maNone);
  c.YProps(1)->SetMouseAction(maPan);
  c.Drag({{25, 60}, {25, 70}});
  ASSERT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
}

// In a full ring, the states a new zoom dropped are not met again as the
// oldest ones; a zoom window records one state for all its layers.
TEST(MouseZoomHistory, FullRingAndZoomWindows) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  for (int i = 1; i <= 15; ++i) PanX(c, 1);  // 16 states
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(c.ZoomBack());
  PanY(c, 1);
  int steps = 0;
  while (c.ZoomBack()) ++steps;
  EXPECT_EQ(steps, 13);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);

  for (int L = 2; L <= 4; ++L) {
    c.SetLayerInUse(L, true);
    c.JointLayers()->SetXControlledBy(L, 1);
  }
  c.SetMouseAction(maZoomWind);
  const int index = c.ZoomHistoryIndex();
  c.Drag({{60, 26}, {100, 66}});
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(3, index).XHigh, 5);
}

}  // namespace
}  // namespace korvo::test
