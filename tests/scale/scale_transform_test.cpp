#include <gtest/gtest.h>

#include <limits>

#include "scale/Scale.h"

namespace korvo {
namespace {

TScaleGeometry Horizontal(int width = 400, int margin = 20) {
  return TScaleGeometry{width, 100, margin, margin, margin, margin, TScaleType::sctXT};
}
TScaleGeometry Vertical(int height = 300, int margin = 20) {
  return TScaleGeometry{100, height, margin, margin, margin, margin, TScaleType::sctYL};
}

int32_t Pixel(const TScaleGeometry& g, double lo, double hi, bool log, double v) {
  TScaleTransform t;
  EXPECT_TRUE(CalcScaleTransform(g, lo, hi, log, t));
  return ValueToPixel(MakeValueMapping(t, g, lo, hi, log), v);
}

TEST(ScaleTransform, HorizontalRangeRunsFromTheLeftMarginToTheLastPixelBeforeTheRightMargin) {
  const TScaleGeometry g = Horizontal();
  EXPECT_EQ(Pixel(g, 0, 100, false, 0), 20);
  EXPECT_EQ(Pixel(g, 0, 100, false, 100), 379);
  // Reversed: RangeLow still sits at the left margin.
  EXPECT_EQ(Pixel(g, 100, 0, false, 100), 20);
  EXPECT_EQ(Pixel(g, 100, 0, false, 0), 379);
  TScaleTransform t;
  ASSERT_TRUE(CalcScaleTransform(g, 0, 359, false, t));
  EXPECT_EQ(t.PixelFactor, 1.0);
  EXPECT_EQ(t.PixelOffset, 20.0);
}

TEST(ScaleTransform, VerticalRangeRunsFromTheBottomUp) {
  const TScaleGeometry g = Vertical();
  EXPECT_EQ(Pixel(g, 0, 259, false, 0), 279);  // Height - MarginBottom - 1
  EXPECT_EQ(Pixel(g, 0, 259, false, 259), 20);  // MarginTop
  TScaleTransform t;
  ASSERT_TRUE(CalcScaleTransform(g, 0, 259, false, t));
  EXPECT_EQ(t.PixelFactor, -1.0);
  EXPECT_EQ(t.PixelOffset, 279.0);
}

TEST(ScaleTransform, PixelsRoundHalfToEven) {
  const TScaleGeometry g = Horizontal();
  EXPECT_EQ(Pixel(g, 0, 359, false, 0.5), 20);
  EXPECT_EQ(Pixel(g, 0, 359, false, 1.5), 22);
  EXPECT_EQ(Pixel(g, 0, 359, false, 2.5), 22);
  EXPECT_EQ(Pixel(g, 0, 359, false, -20.5), 0);
}

TEST(ScaleTransform, NoPixelLengthPutsEverythingInTheMiddle) {
  TScaleTransform t;
  ASSERT_TRUE(CalcScaleTransform(Horizontal(40, 20), 0, 100, false, t));
  EXPECT_EQ(t.PixelFactor, 0.0);
  EXPECT_EQ(t.PixelOffset, 20.0);
  ASSERT_TRUE(CalcScaleTransform(Vertical(41, 20), 0, 100, false, t));
  EXPECT_EQ(t.PixelFactor, 0.0);
  EXPECT_EQ(t.PixelOffset, 20.5);
}

TEST(ScaleTransform, LogarithmicPlacesDecadesEvenly) {
  const TScaleGeometry g = Horizontal();
  EXPECT_EQ(Pixel(g, 1, 1000, true, 1), 20);
  EXPECT_EQ(Pixel(g, 1, 1000, true, 10), 140);   // 20 + 359 / 3 = 139.67
  EXPECT_EQ(Pixel(g, 1, 1000, true, 100), 259);  // 259.33
  EXPECT_EQ(Pixel(g, 1, 1000, true, 1000), 379);
  // Tiny positive values still have a logarithm and a place.
  EXPECT_EQ(Pixel(g, 1e-150, 1e-90, true, 1e-130), 140);
}

TEST(ScaleTransform, RefusesEqualOrNonFiniteEndsAndNonPositiveLogarithmicRanges) {
  TScaleTransform t{7.0, 9.0};
  const TScaleGeometry g = Horizontal();
  EXPECT_FALSE(CalcScaleTransform(g, 5, 5, false, t));
  EXPECT_FALSE(CalcScaleTransform(g, 0, std::numeric_limits<double>::infinity(), false, t));
  EXPECT_FALSE(CalcScaleTransform(g, std::numeric_limits<double>::quiet_NaN(), 1, false, t));
  EXPECT_FALSE(CalcScaleTransform(g, 0, 1000, true, t));
  EXPECT_FALSE(CalcScaleTransform(g, -1, 1000, true, t));
  EXPECT_EQ(t.PixelFactor, 7.0);
  EXPECT_EQ(t.PixelOffset, 9.0);
}

TEST(ScaleTransform, ValuesWithoutALogarithmGoToTheEdgeOnTheLowSide) {
  TScaleTransform t;
  const TScaleGeometry h = Horizontal();
  ASSERT_TRUE(CalcScaleTransform(h, 1, 1000, true, t));
  EXPECT_EQ(ValueToPixel(MakeValueMapping(t, h, 1, 1000, true), 0), 0);
  EXPECT_EQ(ValueToPixel(MakeValueMapping(t, h, 1, 1000, true), -5), 0);
  EXPECT_EQ(ValueToPixel(MakeValueMapping(t, h, 1000, 1, true), 0), 400);
  // On vertical scales the low side is the bottom.
  const TScaleGeometry v = Vertical();
  ASSERT_TRUE(CalcScaleTransform(v, 1, 1000, true, t));
  EXPECT_EQ(ValueToPixel(MakeValueMapping(t, v, 1, 1000, true), 0), 300);
  EXPECT_EQ(ValueToPixel(MakeValueMapping(t, v, 1000, 1, true), 0), 0);
}

TEST(ScaleTransform, PixelsAreClampedAndNaNNeverReachesAnIntegerCast) {
  const TScaleGeometry g = Horizontal();
  EXPECT_EQ(Pixel(g, 0, 100, false, 1e300), 2147483647);
  EXPECT_EQ(Pixel(g, 0, 100, false, -1e300), -2147483647);
  EXPECT_EQ(Pixel(g, 0, 100, false, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Pixel(g, 1, 100, true, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Pixel(g, 1, 100, true, std::numeric_limits<double>::infinity()), 2147483647);
  // A transform whose factor overflowed a double still gives defined pixels.
  TValueMapping m;
  m.Transform = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  EXPECT_EQ(ValueToPixel(m, 1), 0);
  EXPECT_EQ(ValueToPixel(m, 0), 0);
}

TEST(NiceTicks, StepsOfOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    int MinTicks;
    long double Lo, Hi, First, Step;
    int Sub;
  };
  const Case cases[] = {
      {3, -3, 3, -3, 1, 5},      // 6 / 3 = 2 exactly: the smaller mantissa
      {3, 0, 100, 0, 20, 4},     // 33.3 per interval
      {5, 0, 10, 0, 1, 5},       // exactly 2 per interval
      {2, 0, 10, 0, 2, 4},       // exactly 5 per interval
      {3, 0, 16, 0, 5, 5},       // 5.33 per interval
      {10, 0, 1, 0, 0.1L, 5},    // 0.1 per interval
      {3, 0.05L, 0.95L, 0.2L, 0.2L, 4},
      {3, -7.2L, 13.9L, -5, 5, 5},
      {4, 1e-300L, 1e300L, 0, 2e299L, 4},  // 2.5e299 per interval
      {3, 1e20L, 100000000000000016384.0L, 1e20L, 5000, 5},  // adjacent doubles
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.MinTicks << " on " << double(c.Lo) << " .. " << double(c.Hi));
    const TNiceTicks nt = CalcNiceTicks(c.MinTicks, c.Lo, c.Hi);
    EXPECT_NEAR(double(nt.Step), double(c.Step), std::fabs(double(c.Step)) * 1e-15);
    EXPECT_NEAR(double(nt.First), double(c.First), std::fabs(double(c.Step)) * 1e-12);
    EXPECT_EQ(nt.SubDivisions, c.Sub);
    EXPECT_EQ(nt.First, nt.FirstIndex * nt.Step);
    EXPECT_EQ(nt.FirstIndex, std::trunc(nt.FirstIndex));
  }
}

TEST(NiceTicks, AReversedRangeGetsANegativeStepStartingAtItsLowEnd) {
  const TNiceTicks nt = CalcNiceTicks(3, 10, 0);
  EXPECT_EQ(nt.Step, -2);
  EXPECT_EQ(nt.First, 10);
  EXPECT_EQ(nt.SubDivisions, 4);
}

TEST(NiceTicks, MinTicksZeroStepsByOneInTheRangesDirection) {
  TNiceTicks nt = CalcNiceTicks(0, 0.5L, 7.5L);
  EXPECT_EQ(nt.Step, 1);
  EXPECT_EQ(nt.First, 1);
  EXPECT_EQ(nt.SubDivisions, 5);
  nt = CalcNiceTicks(0, 7.5L, 0.5L);
  EXPECT_EQ(nt.Step, -1);
  EXPECT_EQ(nt.First, 7);
  nt = CalcNiceTicks(0, -2.5L, 20);
  EXPECT_EQ(nt.First, -2);
  EXPECT_EQ(nt.SubDivisions, 1);  // span above 10
}

TEST(NiceTicks, MinTicksZeroOnAHugeRangeKeepsAtMostAThousandSteps) {
  EXPECT_EQ(CalcNiceTicks(0, 0, 1000).Step, 1);
  EXPECT_EQ(CalcNiceTicks(0, 0, 1000.5L).Step, 10);
  EXPECT_EQ(CalcNiceTicks(0, 0, 1e6L).Step, 1000);
  EXPECT_EQ(CalcNiceTicks(0, 1e6L, 0).Step, -1000);
  const TNiceTicks far = CalcNiceTicks(0, 1e300L, 1.0000000000000002e300L);
  EXPECT_GE(std::fabs(1.0000000000000002e300L - 1e300L) / far.Step, 100);
  EXPECT_LE(std::fabs(1.0000000000000002e300L - 1e300L) / far.Step, MaxUnitSteps);
}

TEST(NiceTicks, DegenerateInputsGiveAZeroStepOrAreLimited) {
  EXPECT_EQ(CalcNiceTicks(3, 5, 5).Step, 0);
  EXPECT_EQ(CalcNiceTicks(3, 5, 5).First, 5);
  EXPECT_EQ(CalcNiceTicks(3, std::numeric_limits<long double>::quiet_NaN(), 5).Step, 0);
  EXPECT_EQ(CalcNiceTicks(3, 0, std::numeric_limits<long double>::infinity()).Step, 0);
  EXPECT_EQ(CalcNiceTicks(-4, 0, 5).Step, 1);           // below 0 counts as 0
  EXPECT_EQ(CalcNiceTicks(1000000, 0, 100).Step, 1);    // counts as MaxMinTicks
}

}  // namespace
}  // namespace korvo
