// World/pixel transforms: the mapping of each layer's ranges onto the plot
// area, clamping, logarithmic axes, NaN and infinity.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/plotwell.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// A 372 x 300 chart with margins 60, 20, 16, 32 and no shadow.
class Transforms : public ::testing::Test {
 protected:
  Transforms() : chart(nullptr) {
    chart.SetMarginLeft(60);
    chart.SetMarginRight(20);
    chart.SetMarginTop(16);
    chart.SetMarginBottom(32);
    chart.SetBounds(0, 0, 372, 300);
  }
  void Ranges(int layer, double xlo, double xhi, double ylo, double yhi) {
    chart.ApplyLayerRange(layer, false, xlo, ylo, xhi, yhi, false);
  }
  void Logarithmic(int layer, bool x, bool y) {
    chart.XProps(layer)->SetLogarithmic(x);
    chart.YProps(layer)->SetLogarithmic(y);
  }
  int32_t Px(int layer, double x) {
    int32_t px, py;
    chart.WorldToPixel(layer, x, 0.5, px, py);
    return px;
  }
  int32_t Py(int layer, double y) {
    int32_t px, py;
    chart.WorldToPixel(layer, 0.5, y, px, py);
    return py;
  }

  TPlotwell chart;
};

TEST_F(Transforms, LinearXAxisAcrossThePlotArea) {
  Ranges(1, -1.2, 1.2, 0, 1);
  EXPECT_EQ(Px(1, -1.2), 60);
  EXPECT_EQ(Px(1, 1.2), 352);
  EXPECT_EQ(Px(1, 0), 206);
}

TEST_F(Transforms, YAxisPointsUpAndStopsAtTheShadow) {
  chart.SetShadowWidth(5);
  Ranges(1, 0, 1, -3, 7);
  EXPECT_EQ(Py(1, 7), 16);                // RangeHigh on MarginTop
  EXPECT_EQ(Py(1, -3), 300 - 32 - 5);     // RangeLow on Height - MarginBottom - ShadowWidth
  EXPECT_EQ(Py(1, 4.5), 78);              // 16 + 61.75
  int32_t px, py;
  chart.WorldToPixel(1, 1.0, 7, px, py);
  EXPECT_EQ(px, 372 - 20 - 5);
}

TEST_F(Transforms, ReversedRangesMirrorTheAxis) {
  Ranges(2, 10, 0, 5, -5);
  EXPECT_EQ(Px(2, 10), 60);
  EXPECT_EQ(Px(2, 0), 352);
  EXPECT_EQ(Py(2, 5), 268);
  EXPECT_EQ(Py(2, -5), 16);
}

TEST_F(Transforms, RoundingIsHalfToEven) {
  // A 256-pixel axis of 256 units: pixel 60 + x, exactly.
  chart.SetBounds(0, 0, 336, 300);
  Ranges(1, 0, 256, 0, 1);
  EXPECT_EQ(Px(1, 0.5), 60);  // 60.5
  EXPECT_EQ(Px(1, 1.5), 62);  // 61.5
  EXPECT_EQ(Px(1, 2.5), 62);  // 62.5
  EXPECT_EQ(Px(1, -0.5), 60);  // 59.5
}

TEST_F(Transforms, PixelsBeyondThirtyTwoBitsAreClamped) {
  Ranges(1, 0, 1, 0, 1);
  EXPECT_EQ(Px(1, 1e12), 2147483647);
  EXPECT_EQ(Px(1, -1e12), -2147483647) << "not -2147483648";
  EXPECT_EQ(Py(1, -1e12), 2147483647);
  EXPECT_EQ(Py(1, 1e300), -2147483647);
  EXPECT_EQ(Px(1, 7354000.0), 2147368060);  // 292 x + 60, just inside the range
}

TEST_F(Transforms, InfinitiesClampToTheEnds) {
  Ranges(1, 0, 1, 0, 1);
  EXPECT_EQ(Px(1, Inf), 2147483647);
  EXPECT_EQ(Px(1, -Inf), -2147483647);
  EXPECT_EQ(Py(1, Inf), -2147483647);
}

TEST_F(Transforms, NaNGoesToTheLowEndOfTheAxis) {
  Ranges(1, 0, 1, 0, 1);
  EXPECT_EQ(Px(1, NaN), 0);
  EXPECT_EQ(Py(1, NaN), 300);
  Ranges(2, 1, 0, 1, 0);  // reversed
  EXPECT_EQ(Px(2, NaN), 372);
  EXPECT_EQ(Py(2, NaN), 0);
}

TEST_F(Transforms, LogarithmicAxes) {
  Ranges(3, 1, 1000, 1, 100);
  Logarithmic(3, true, true);
  EXPECT_EQ(Px(3, 1), 60);
  EXPECT_EQ(Px(3, 1000), 352);
  EXPECT_EQ(Px(3, 10), 60 + 292 / 3);  // 157.33
  EXPECT_EQ(Py(3, 100), 16);
  EXPECT_EQ(Py(3, 10), (16 + 268) / 2);
  // Non-positive values, -infinity and NaN go to the low end at the
  // control's edge; +infinity clamps.
  for (double v : {0.0, -5.0, 1e-101, -Inf, NaN}) {
    EXPECT_EQ(Px(3, v), 0) << v;
    EXPECT_EQ(Py(3, v), 300) << v;
  }
  EXPECT_EQ(Px(3, Inf), 2147483647);
  // Reversed ranges push them to the other edge.
  Ranges(4, 1000, 1, 100, 1);
  Logarithmic(4, true, true);
  EXPECT_EQ(Px(4, 0), 372);
  EXPECT_EQ(Py(4, -1), 0);
  EXPECT_EQ(Px(4, 1000), 60);
}

TEST_F(Transforms, LayerNumbersOutsideTheRangeActAsTheNearestLayer) {
  Ranges(1, 0, 1, 0, 1);
  Ranges(16, 0, 10, 0, 10);
  EXPECT_EQ(Px(0, 1), Px(1, 1));
  EXPECT_EQ(Px(-7, 1), Px(1, 1));
  EXPECT_EQ(Px(17, 5), Px(16, 5));
  EXPECT_EQ(Px(1000, 5), 206);
}

TEST_F(Transforms, PixelToWorldInvertsWorldToPixel) {
  Ranges(1, -1.2, 1.2, -5, 5);
  double x, y;
  chart.PixelToWorld(1, 206, 142, x, y);
  EXPECT_NEAR(x, 0.0, 1e-12);
  EXPECT_NEAR(y, 0.0, 1e-12);
  chart.PixelToWorld(1, 60, 16, x, y);
  EXPECT_NEAR(x, -1.2, 1e-12);
  EXPECT_NEAR(y, 5.0, 1e-12);
  Ranges(5, 1, 1000, 0.01, 100);
  Logarithmic(5, true, true);
  chart.PixelToWorld(5, 352, 142, x, y);
  EXPECT_NEAR(x, 1000, 1e-9);
  EXPECT_NEAR(y, 1, 1e-12);
  chart.PixelToWorld(0, 60, 16, x, y);  // layer 0 is layer 1
  EXPECT_NEAR(x, -1.2, 1e-12);
}

TEST_F(Transforms, AMissingPlotAreaPutsEverythingInTheMiddle) {
  Ranges(1, 0, 1, 0, 1);
  chart.SetMarginLeft(400);  // the plot area has no width now
  chart.SetMarginTop(300);
  for (double v : {0.0, 1e300, -Inf, Inf, NaN}) {
    int32_t px, py;
    chart.WorldToPixel(1, v, v, px, py);
    EXPECT_EQ(px, 186) << v;
    EXPECT_EQ(py, 150) << v;
  }
  double x, y;
  EXPECT_THROW(chart.PixelToWorld(1, 10, 10, x, y), EKorvoPlotwellError);
  // A logarithmic axis sends what it cannot take the logarithm of to its
  // low edge first, plot area or not.
  Ranges(2, 1, 100, 1, 100);
  Logarithmic(2, true, true);
  for (double v : {0.0, 1e-100, -Inf, NaN}) {
    int32_t px, py;
    chart.WorldToPixel(2, v, v, px, py);
    EXPECT_EQ(px, 0) << v;
    EXPECT_EQ(py, 300) << v;
  }
  int32_t px, py;
  chart.WorldToPixel(2, 10, 10, px, py);
  EXPECT_EQ(px, 186);
  EXPECT_EQ(py, 150);
}

TEST_F(Transforms, LogarithmicAxisWithANonPositiveBoundFailsAndKeepsLaterLayers) {
  Ranges(2, 0, 10, 0, 1);
  Ranges(9, 0, 10, 0, 1);
  const int32_t before9 = Px(9, 5);
  // While loading, the flag is taken without the range check; the transform
  // then refuses it.
  chart.XProps(5)->SetLoading(true);
  EXPECT_THROW(chart.XProps(5)->SetLogarithmic(true), EKorvoPlotwellError);
  // Layer 2 was done before layer 5: its new range is in force. Layer 9
  // comes later and keeps its coefficients while its range changes.
  chart.XProps(2)->StoreRangeHigh(20);
  chart.XProps(9)->StoreRangeHigh(20);
  try {
    chart.UpdateTransforms();
    FAIL() << "no error";
  } catch (const EKorvoPlotwellError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  EXPECT_EQ(Px(2, 10), 206);
  EXPECT_EQ(Px(9, 5), before9);
}

}  // namespace
}  // namespace korvo

namespace korvo {
namespace {

TEST(TransformCost, WorldToPixelAndAppendsWithinAllocSizeAllocateNothing) {
  TPlotwell chart(nullptr);
  chart.SetBounds(0, 0, 400, 300);
  chart.ApplyLayerRange(2, false, 1.0, 1.0, 1000.0, 1000.0, false);
  chart.XProps(2)->SetLogarithmic(true);
  chart.SetAllocSize(1000);
  chart.DrawTo(0.0, 0.0);  // the list now has room for 1000 items
  int64_t sum = 0;
  const long allocations = test::AllocationsDuring([&] {
    for (int i = 0; i < 500; ++i) {
      int32_t px = 0, py = 0;
      chart.WorldToPixel(1 + i % 2, i * 0.37, i * 1.9, px, py);
      sum += px + py;
      chart.DrawTo(i * 0.01, i * 0.02);
    }
  });
  EXPECT_EQ(allocations, 0);
  EXPECT_NE(sum, 0);
}

}  // namespace
}  // namespace korvo
