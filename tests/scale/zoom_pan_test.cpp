#include <gtest/gtest.h>

#include <cmath>

#include "scale/ZoomPan.h"

namespace korvo {
namespace {

// A 240 x 240 scale with margins of 20: 200 pixels between the margins, the
// middle at 120.
TZoomPanInput Drag(TMouseActMode action, TScaleType type, int startX, int startY, int x, int y, double lo = 0,
                   double hi = 100, bool log = false) {
  TZoomPanInput in;
  in.X = x;
  in.Y = y;
  in.StartX = startX;
  in.StartY = startY;
  in.RangeLow = in.SavedLow = lo;
  in.RangeHigh = in.SavedHigh = hi;
  in.Logarithmic = log;
  in.ScaleType = type;
  in.MouseAction = action;
  in.MarginLeft = in.MarginRight = in.MarginTop = in.MarginBottom = 20;
  in.Width = in.Height = 240;
  return in;
}

struct Range {
  double Low = -999, High = -999;
  bool Changed = false;
};

Range Compute(const TZoomPanInput& in) {
  Range r;
  r.Changed = ComputeZoomPan(in, &r.Low, &r.High);
  return r;
}

constexpr auto X = TScaleType::sctXB;
constexpr auto Y = TScaleType::sctYL;

TEST(ZoomPan, PanFollowsThePointer) {
  Range r = Compute(Drag(TMouseActMode::maPan, X, 100, 50, 150, 50));
  ASSERT_TRUE(r.Changed);
  EXPECT_DOUBLE_EQ(r.Low, -25);
  EXPECT_DOUBLE_EQ(r.High, 75);
  r = Compute(Drag(TMouseActMode::maPan, Y, 50, 100, 50, 140));  // dragged down: values move up
  EXPECT_DOUBLE_EQ(r.Low, 20);
  EXPECT_DOUBLE_EQ(r.High, 120);
  r = Compute(Drag(TMouseActMode::maPan, TScaleType::sctXT, 100, 50, 200, 50, 1, 1e6, true));  // half the decades
  EXPECT_NEAR(r.Low, 1e-3, 1e-15);
  EXPECT_NEAR(r.High, 1e3, 1e-9);
  r = Compute(Drag(TMouseActMode::maPan, TScaleType::sctYR, 50, 100, 50, 200, 1, 1e6, true));
  EXPECT_NEAR(r.Low, 1e3, 1e-9);
  EXPECT_NEAR(r.High, 1e9, 1e-3);
}

TEST(ZoomPan, PanStartsFromTheSavedRangeButScalesByTheCurrentOne) {
  TZoomPanInput in = Drag(TMouseActMode::maPan, X, 100, 50, 150, 50);
  in.RangeLow = 0;
  in.RangeHigh = 200;  // zoomed out since the drag began
  in.SavedLow = 10;
  in.SavedHigh = 110;
  const Range r = Compute(in);
  EXPECT_DOUBLE_EQ(r.Low, -40);
  EXPECT_DOUBLE_EQ(r.High, 60);
}

TEST(ZoomPan, ZoomKeepsTheEndAwayFromTheHalfWhereTheDragStarted) {
  // Right half: the low end stays.
  Range r = Compute(Drag(TMouseActMode::maZoom, X, 170, 50, 120, 50));
  EXPECT_TRUE(r.Changed);
  EXPECT_DOUBLE_EQ(r.Low, 0);
  EXPECT_DOUBLE_EQ(r.High, 150);
  // Left half: the high end stays.
  r = Compute(Drag(TMouseActMode::maZoom, X, 70, 50, 120, 50));
  EXPECT_DOUBLE_EQ(r.Low, -50);
  EXPECT_DOUBLE_EQ(r.High, 100);
  // Lower half of a vertical scale: the high end stays.
  r = Compute(Drag(TMouseActMode::maZoom, Y, 50, 170, 50, 120));
  EXPECT_DOUBLE_EQ(r.Low, -50);
  EXPECT_DOUBLE_EQ(r.High, 100);
  // Upper half: the low end stays.
  r = Compute(Drag(TMouseActMode::maZoom, Y, 50, 70, 50, 120));
  EXPECT_DOUBLE_EQ(r.Low, 0);
  EXPECT_DOUBLE_EQ(r.High, 150);
}

TEST(ZoomPan, LogarithmicZoomWorksOnDecades) {
  Range r = Compute(Drag(TMouseActMode::maZoom, X, 170, 50, 120, 50, 1, 100, true));
  EXPECT_DOUBLE_EQ(r.Low, 1);
  EXPECT_NEAR(r.High, 10 * std::pow(10.0, 1.25), 1e-9);
  r = Compute(Drag(TMouseActMode::maZoom, X, 70, 50, 70, 50, 1, 100, true));  // no movement, no change
  EXPECT_NEAR(r.Low, 1, 1e-12);
  EXPECT_DOUBLE_EQ(r.High, 100);
  r = Compute(Drag(TMouseActMode::maZoom, Y, 50, 70, 50, 70, 1, 100, true));
  EXPECT_DOUBLE_EQ(r.Low, 1);
  EXPECT_NEAR(r.High, 100, 1e-9);
}

TEST(ZoomPan, ZoomDragIsSymmetricAboutTheMiddle) {
  Range r = Compute(Drag(TMouseActMode::maZoomDrag, X, 100, 50, 124, 50));  // right narrows
  EXPECT_DOUBLE_EQ(r.Low, 5);
  EXPECT_DOUBLE_EQ(r.High, 95);
  r = Compute(Drag(TMouseActMode::maZoomDrag, Y, 50, 100, 50, 124));  // down widens
  EXPECT_DOUBLE_EQ(r.Low, -5);
  EXPECT_DOUBLE_EQ(r.High, 105);
  r = Compute(Drag(TMouseActMode::maZoomDrag, X, 100, 50, 124, 50, 1, 100, true));
  EXPECT_NEAR(r.Low, 10 / std::pow(10.0, 0.9), 1e-12);
  EXPECT_NEAR(r.High, 10 * std::pow(10.0, 0.9), 1e-12);
}

TEST(ZoomPan, OtherActionsGiveNoRange) {
  for (TMouseActMode a : {TMouseActMode::maNone, TMouseActMode::maPanHoriz, TMouseActMode::maRubberBand,
                          TMouseActMode::maZoomWind, TMouseActMode::maZoomPanColors}) {
    const Range r = Compute(Drag(a, X, 100, 50, 150, 50));
    EXPECT_FALSE(r.Changed);
    EXPECT_EQ(r.Low, -999);
    EXPECT_EQ(r.High, -999);
  }
}

TEST(ZoomPan, ZeroDenominatorsReportNoChangeInsteadOfInfiniteRanges) {
  // The pointer on the fixed end's margin: a zoom ratio of zero.
  Range r = Compute(Drag(TMouseActMode::maZoom, X, 170, 50, 20, 50));
  EXPECT_FALSE(r.Changed);
  EXPECT_EQ(r.Low, -999);
  r = Compute(Drag(TMouseActMode::maZoom, X, 70, 50, 220, 50));
  EXPECT_FALSE(r.Changed);
  r = Compute(Drag(TMouseActMode::maZoom, Y, 50, 70, 50, 220));
  EXPECT_FALSE(r.Changed);
  r = Compute(Drag(TMouseActMode::maZoom, Y, 50, 170, 50, 20));
  EXPECT_FALSE(r.Changed);
  // No pixels between the margins: the drag start is on the margin too.
  TZoomPanInput in = Drag(TMouseActMode::maZoom, X, 20, 50, 30, 50);
  in.Width = 40;
  EXPECT_FALSE(Compute(in).Changed);
  in.MouseAction = TMouseActMode::maPan;
  EXPECT_FALSE(Compute(in).Changed);
  in.Logarithmic = true;
  in.RangeLow = in.SavedLow = 1;
  EXPECT_FALSE(Compute(in).Changed);
  in.MouseAction = TMouseActMode::maZoom;
  EXPECT_FALSE(Compute(in).Changed);
  // A zero-sized control for the symmetric zoom.
  in = Drag(TMouseActMode::maZoomDrag, X, 0, 0, 5, 5);
  in.Width = in.Height = 0;
  EXPECT_FALSE(Compute(in).Changed);
  in.ScaleType = Y;
  EXPECT_FALSE(Compute(in).Changed);
}

TEST(ZoomPan, LogarithmicArithmeticNeedsAPositiveRange) {
  EXPECT_FALSE(Compute(Drag(TMouseActMode::maPan, X, 100, 50, 150, 50, -1, 100, true)).Changed);
  EXPECT_FALSE(Compute(Drag(TMouseActMode::maZoom, X, 170, 50, 120, 50, 0, 100, true)).Changed);
  EXPECT_FALSE(Compute(Drag(TMouseActMode::maZoomDrag, X, 100, 50, 124, 50, -5, 100, true)).Changed);
}

TEST(ZoomPan, ResultsBeyondTheDoubleRangeAreRefused) {
  TZoomPanInput in = Drag(TMouseActMode::maPan, X, 100, 50, 0, 50, -1e308, 1e308);
  EXPECT_FALSE(Compute(in).Changed);
  in = Drag(TMouseActMode::maZoom, X, 170, 50, 21, 50, 0, 1e308);  // ratio 1/150
  EXPECT_FALSE(Compute(in).Changed);
}

TEST(ZoomPan, DraggingPastTheFixedEndReversesTheRange) {
  const Range r = Compute(Drag(TMouseActMode::maZoom, X, 170, 50, 10, 50));
  EXPECT_TRUE(r.Changed);
  EXPECT_DOUBLE_EQ(r.Low, 0);
  EXPECT_DOUBLE_EQ(r.High, -1500);
}

}  // namespace
}  // namespace korvo
