// Setting layer ranges: MinRange, logarithmic bounds, limits, joined layers,
// the zoom history and painting suspended meanwhile.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/plotwell.h"

namespace korvo {
namespace {

constexpr long double Inf = std::numeric_limits<long double>::infinity();

struct Range {
  double xlo, xhi, ylo, yhi;
};

class LayerRanges : public ::testing::Test {
 protected:
  LayerRanges() : chart(nullptr) {}
  Range Of(int layer) const {
    return {chart.XProps(layer)->RangeLow(), chart.XProps(layer)->RangeHigh(), chart.YProps(layer)->RangeLow(),
            chart.YProps(layer)->RangeHigh()};
  }
  void Apply(int layer, Range r, bool history = false, bool limits = false) {
    chart.ApplyLayerRange(layer, history, r.xlo, r.ylo, r.xhi, r.yhi, limits);
  }

  TPlotwell chart;
};

#define EXPECT_RANGE(layer, a, b, c, d)            \
  do {                                             \
    const Range r_ = Of(layer);                    \
    EXPECT_DOUBLE_EQ(r_.xlo, a) << "x low";        \
    EXPECT_DOUBLE_EQ(r_.xhi, b) << "x high";       \
    EXPECT_DOUBLE_EQ(r_.ylo, c) << "y low";        \
    EXPECT_DOUBLE_EQ(r_.yhi, d) << "y high";       \
  } while (0)

TEST_F(LayerRanges, StoresWithoutNotifyingThePropertyObjects) {
  int changes = 0;
  chart.XProps(3)->OnChange = [&](TObject*) { ++changes; };
  Apply(3, {-4, 4, 10, 20});
  EXPECT_RANGE(3, -4, 4, 10, 20);
  EXPECT_EQ(changes, 0);
  int32_t px, py;
  chart.WorldToPixel(3, 4, 20, px, py);
  EXPECT_EQ(px, chart.Width() - chart.MarginRight());
  EXPECT_EQ(py, chart.MarginTop());
}

TEST_F(LayerRanges, ARangeNarrowerThanMinRangeChangesNothingAndRecordsNothing) {
  chart.XProps(1)->SetMinRange(1);
  chart.YProps(1)->SetMinRange(1);
  const int index = chart.ZoomHistoryIndex();
  Apply(1, {5, 5.9, 2, 2.5}, true);
  EXPECT_RANGE(1, 0, 1, 0, 1);
  EXPECT_EQ(chart.ZoomHistoryIndex(), index);
  Apply(1, {5, 5.991, 2, 2.5}, true);  // 0.991 >= 0.99: x is taken
  EXPECT_RANGE(1, 5, 5.991, 0, 1);
  EXPECT_EQ(chart.ZoomHistoryIndex(), index + 1);
}

TEST_F(LayerRanges, LogarithmicAxisTakesEachPositiveBoundOnItsOwn) {
  Apply(2, {1, 100, 1, 100});
  chart.XProps(2)->SetLogarithmic(true);
  chart.YProps(2)->SetLogarithmic(true);
  Apply(2, {0, 50, 5, -1});
  EXPECT_RANGE(2, 1, 50, 5, 100);
  Apply(2, {0, 1e-101, 7, 8});  // nothing to take on x
  EXPECT_RANGE(2, 1, 50, 7, 8);
}

TEST_F(LayerRanges, BoundsThatCannotBeShownAreRefused) {
  Apply(1, {2, 3, 4, 5});
  chart.ApplyLayerRange(1, false, std::nanl(""), -Inf, 10, 1, false);
  EXPECT_RANGE(1, 2, 3, 4, 5);
  chart.ApplyLayerRange(1, false, 0, 0, 1e400L, 1, false);  // beyond double on x
  EXPECT_RANGE(1, 2, 3, 0, 1);
  // A logarithmic bound that would meet the other one leaves the axis as it
  // was rather than without extent.
  Apply(2, {1, 10, 1, 10});
  chart.XProps(2)->SetLogarithmic(true);
  Apply(2, {10, -1, 1, 10});
  EXPECT_RANGE(2, 1, 10, 1, 10);
}

TEST_F(LayerRanges, LimitsKeepTheWidthWhilePanningAndCutOtherwise) {
  chart.SetRangeLimits(0, -Inf, 10, Inf);
  chart.SetMouseAction(TMouseActMode::maPan);
  Apply(1, {-2, 3, -50, 50}, false, true);
  EXPECT_RANGE(1, 0, 5, -50, 50);
  Apply(1, {8, 12, 0, 1}, false, true);
  EXPECT_RANGE(1, 6, 10, 0, 1);
  chart.SetMouseAction(TMouseActMode::maZoom);
  Apply(1, {-2, 3, 0, 1}, false, true);
  EXPECT_RANGE(1, 0, 3, 0, 1);
  Apply(1, {-2, 30, 0, 1}, false, true);
  EXPECT_RANGE(1, 0, 10, 0, 1);
  // maPanHoriz pans x only; y is cut.
  chart.SetRangeLimits(0, 0, 10, 10);
  chart.SetMouseAction(TMouseActMode::maPanHoriz);
  Apply(1, {-1, 1, -1, 1}, false, true);
  EXPECT_RANGE(1, 0, 2, 0, 1);
  chart.SetMouseAction(TMouseActMode::maPanVert);
  Apply(1, {-1, 1, -1, 1}, false, true);
  EXPECT_RANGE(1, 0, 1, 0, 2);
  // Without applyLimits, or with all limits zero, nothing is confined.
  Apply(1, {-1, 1, -1, 1});
  EXPECT_RANGE(1, -1, 1, -1, 1);
  chart.SetRangeLimits(0, 0, 0, 0);
  Apply(1, {-7, 1, -1, 1}, false, true);
  EXPECT_RANGE(1, -7, 1, -1, 1);
}

TEST_F(LayerRanges, RangeLimitsAreChecked) {
  EXPECT_THROW(chart.SetRangeLimits(10, 0, 0, 1), EKorvoPlotwellError);
  EXPECT_THROW(chart.SetRangeLimits(0, 2, 1, 1), EKorvoPlotwellError);
  EXPECT_THROW(chart.SetRangeLimits(std::nanl(""), 0, 1, 1), EKorvoPlotwellError);
  EXPECT_TRUE(chart.RangeLimits().AllZero());
  chart.SetRangeLimits(-1, -2, 3, 4);
  EXPECT_EQ(chart.RangeLimits().YLow, -2);
  EXPECT_EQ(chart.RangeLimits().XHigh, 3);
}

TEST_F(LayerRanges, JoinedLayersFollowTheirController) {
  chart.JointLayers()->SetXControlledBy(2, 1);
  chart.JointLayers()->SetYControlledBy(3, 1);
  Apply(2, {0, 1, 7, 8});
  Apply(3, {4, 5, 0, 1});
  chart.SetLayerRange(1, false, -3, -6, 3, 6, false);
  EXPECT_RANGE(1, -3, 3, -6, 6);
  EXPECT_RANGE(2, -3, 3, 7, 8);  // x follows, y is its own
  EXPECT_RANGE(3, 4, 5, -6, 6);  // y follows, x is its own
  EXPECT_RANGE(4, 0, 1, 0, 1);
  // A joined axis cannot be set on its own; the free axis can.
  chart.SetLayerRange(2, false, 100, 100, 200, 200, false);
  EXPECT_RANGE(2, -3, 3, 100, 200);
}

TEST_F(LayerRanges, JoinedLayersRecordTheirOwnHistory) {
  chart.JointLayers()->SetXControlledBy(2, 1);
  const int index = chart.ZoomHistoryIndex();
  chart.SetLayerRange(1, false, -3, 0, 3, 1, false);
  EXPECT_EQ(chart.ZoomHistoryIndex(), index + 1) << "the follower's move is recorded";
  chart.SetLayerRange(1, true, -4, 0, 4, 1, false);
  EXPECT_EQ(chart.ZoomHistoryIndex(), index + 3);
}

TEST_F(LayerRanges, ScalePropertyChangesReapplyEveryLayer) {
  chart.JointLayers()->SetXControlledBy(2, 1);
  chart.XProps(1)->SetRangeHigh(50);  // fires ApplyScaleProps
  EXPECT_RANGE(2, 0, 50, 0, 1);
  int32_t px, py;
  chart.WorldToPixel(2, 50, 0, px, py);
  EXPECT_EQ(px, chart.Width() - chart.MarginRight());
}

TEST_F(LayerRanges, ZoomHistoryRing) {
  chart.ResetZoomHistory();
  EXPECT_EQ(chart.ZoomHistoryIndex(), 2);
  EXPECT_EQ(chart.ZoomHistory(1, 1), (TZoomHistoryEntry{0, 1, 1, 0}));
  EXPECT_EQ(chart.ZoomHistory(1, 2), TZoomHistoryEntry{});
  for (int i = 1; i <= 16; ++i) {
    Apply(1, {double(-i), double(i), double(-2 * i), double(2 * i)}, true);
  }
  EXPECT_EQ(chart.ZoomHistoryIndex(), 2);
  EXPECT_EQ(chart.ZoomHistory(1, 1), (TZoomHistoryEntry{-16, 32, 16, -32})) << "slot 1 holds the latest";
  EXPECT_EQ(chart.ZoomHistory(1, 2), (TZoomHistoryEntry{-1, 2, 1, -2}));
  EXPECT_EQ(chart.ZoomHistory(16, 1), (TZoomHistoryEntry{0, 1, 1, 0})) << "every layer is recorded";
  EXPECT_THROW(chart.ZoomHistory(0, 1), EKorvoPlotwellError);
  EXPECT_THROW(chart.ZoomHistory(1, 17), EKorvoPlotwellError);
}

TEST_F(LayerRanges, LayerOutsideOneToSixteenIsAnError) {
  EXPECT_THROW(Apply(0, {0, 1, 0, 1}), EKorvoPlotwellError);
  EXPECT_THROW(chart.SetLayerRange(17, false, 0, 0, 1, 1, false), EKorvoPlotwellError);
}

// A chart that counts its paints.
class CountingChart : public TPlotwell {
 public:
  using TPlotwell::TPlotwell;
  int paints = 0;

 protected:
  void Paint() override { ++paints; }
};

TEST(PaintSuspension, SeveralRangesPaintOnce) {
  CountingChart chart(nullptr);
  EXPECT_TRUE(chart.PaintSuspended()) << "until the window exists";
  chart.HandleNeeded();
  EXPECT_FALSE(chart.PaintSuspended());
  chart.paints = 0;
  chart.JointLayers()->SetXControlledBy(2, 1);
  chart.paints = 0;
  chart.SetLayerRange(1, false, -3, 0, 3, 1, false);
  EXPECT_EQ(chart.paints, 1);
  chart.paints = 0;
  chart.ApplyScaleProps();
  EXPECT_EQ(chart.paints, 1);
  chart.paints = 0;
  chart.SetPaintSuspended(true);
  chart.SetLayerRange(1, false, -4, 0, 4, 1, false);
  EXPECT_EQ(chart.paints, 0) << "suspended by the caller";
  chart.SetPaintSuspended(true);
  EXPECT_EQ(chart.paints, 0);
  chart.SetPaintSuspended(false);
  EXPECT_EQ(chart.paints, 1);
}

TEST(PaintSuspension, AnErrorDoesNotLeavePaintingSuspended) {
  CountingChart chart(nullptr);
  chart.HandleNeeded();
  chart.XProps(4)->StoreRangeLow(-1);
  EXPECT_THROW(chart.XProps(4)->SetLogarithmic(true), EKorvoPlotwellError);  // still loading: taken
  EXPECT_FALSE(chart.PaintSuspended());
  chart.XProps(4)->SetLogarithmic(false);
  EXPECT_FALSE(chart.PaintSuspended());
}

}  // namespace
}  // namespace korvo
