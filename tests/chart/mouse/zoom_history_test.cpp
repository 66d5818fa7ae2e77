// The zoom history as the mouse fills it, and stepping back and forth
// through it.
#include "chart/mouse/mouse_fixture.h"

namespace korvo::test {
namespace {

using enum TMouseActMode;

// A pan of `units` x units to the left (content to the right) from the
// middle of the plot area, recorded on release.
void PanX(MouseChart& c, int units) { c.Drag({{70, 60}, {70, 60}, {70 + 10 * units, 60}}); }
void PanY(MouseChart& c, int units) { c.Drag({{70, 60}, {70, 60}, {70, 60 + 10 * units}}); }

TEST(MouseZoomHistory, SixteenPushesWrapToSlotOne) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  EXPECT_EQ(c.ZoomHistoryIndex(), 2);
  for (int i = 1; i <= 16; ++i) PanX(c, 1);
  EXPECT_EQ(c.ZoomHistoryIndex(), 2);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, 1).XLow, -16);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, 1).XHigh, -6);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(1, 2).XLow, -1) << "the oldest state";
}

TEST(MouseZoomHistory, BackAndForthOverAllLayersWithOneRepaint) {
  HeadlessScope scope;
  MouseChart c;
  c.SetLayerInUse(2, true);
  c.Ranges(2, 0, 100, 0, 100);
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_FALSE(c.ZoomBack());
  PanX(c, 1);
  PanX(c, 1);
  ASSERT_DOUBLE_EQ(c.XLow(), -2);
  ASSERT_DOUBLE_EQ(c.XLow(2), -20);
  EXPECT_FALSE(c.CanZoomForward());
  c.paints = 0;
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_EQ(c.paints, 1);
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.XLow(2), -10);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.XHigh(2), 100);
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_FALSE(c.ZoomBack());
  EXPECT_TRUE(c.CanZoomForward());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.XLow(), -2);
  EXPECT_DOUBLE_EQ(c.XLow(2), -20);
  EXPECT_FALSE(c.ZoomForward());
  EXPECT_EQ(c.paints, 4);

  // A new zoom after stepping back drops the states ahead.
  EXPECT_TRUE(c.ZoomBack());
  PanY(c, 2);
  EXPECT_FALSE(c.CanZoomForward());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.YLow(), 2);
  EXPECT_FALSE(c.CanZoomForward());
}

// Clicks record the same state again; stepping passes over states equal to
// the present ranges, so every step shows a change.
TEST(MouseZoomHistory, StepsPassOverRepeatedStates) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  PanX(c, 1);
  c.Drag({{70, 60}});
  c.Drag({{70, 60}});
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_FALSE(c.CanZoomBack());
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_FALSE(c.CanZoomForward());
}

// Ranges set without a record (a drag on a scale band, or the program)
// are recorded by the first step back, so that stepping forward returns to
// them.
TEST(MouseZoomHistory, UnrecordedRangesAreKeptForTheWayForward) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  PanX(c, 1);
  c.YProps(1)->SetMouseAction(maPan);
  c.Drag({{25, 60}, {25, 60}, {25, 70}});  // the y scale's band: y 1..11
  ASSERT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_TRUE(c.CanZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), -1);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
  EXPECT_TRUE(c.ZoomForward());
  EXPECT_DOUBLE_EQ(c.YLow(), 1);
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_TRUE(c.ZoomBack());
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
}

// In a full ring, the states dropped by a new zoom are not met again as
// the oldest ones.
TEST(MouseZoomHistory, DroppedStatesStayDroppedInAFullRing) {
  HeadlessScope scope;
  MouseChart c;
  c.SetMouseAction(maPan);
  c.ResetZoomHistory();
  for (int i = 1; i <= 15; ++i) PanX(c, 1);  // 16 states, -15 the latest
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(c.ZoomBack());
  ASSERT_DOUBLE_EQ(c.XLow(), -12);
  PanY(c, 1);
  int steps = 0;
  while (c.ZoomBack()) ++steps;
  EXPECT_EQ(steps, 13);
  EXPECT_DOUBLE_EQ(c.XLow(), 0);
  EXPECT_DOUBLE_EQ(c.YLow(), 0);
}

// A zoom window over joined layers records one state, not one per layer.
TEST(MouseZoomHistory, AZoomWindowRecordsOneState) {
  HeadlessScope scope;
  MouseChart c;
  for (int L = 2; L <= 4; ++L) {
    c.SetLayerInUse(L, true);
    c.JointLayers()->SetXControlledBy(L, 1);
  }
  c.SetMouseAction(maZoomWind);
  const int index = c.ZoomHistoryIndex();
  c.Drag({{60, 26}, {100, 66}});
  EXPECT_EQ(c.ZoomHistoryIndex(), index + 1);
  EXPECT_DOUBLE_EQ(c.ZoomHistory(3, index).XHigh, 5);
  // Nothing changed (a window narrower than MinRange): nothing recorded.
  for (int L = 2; L <= 4; ++L) c.SetLayerInUse(L, false);
  c.XProps(1)->SetMinRange(100);
  c.YProps(1)->SetMinRange(100);
  const int now = c.ZoomHistoryIndex();
  c.Drag({{60, 26}, {100, 66}});
  EXPECT_EQ(c.ZoomHistoryIndex(), now);
}

}  // namespace
}  // namespace korvo::test
