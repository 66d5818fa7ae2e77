// The demo's frames hand the charts exactly the numbers their formulas give
// in extended precision, whether a value is computed afresh, remembered from
// an earlier frame, or lies outside the remembered range.
#include <gtest/gtest.h>

#include <cmath>

#include "app/DemoFrames.h"
#include "chart/plotwell.h"

namespace korvo {
namespace {

double Sin(long double t, int d) { return double(std::sin(t / d)); }

void ExpectCurveFrame(TPlotwell& chart, int b) {
  DrawCurveFrame(chart, b);
  const TPwItemContainer& items = chart.DataItems();
  ASSERT_EQ(items.Count(), 292);
  // MarkAt, MoveTo, then DrawTo and MarkAt per point.
  for (int i = 0; i <= 145; ++i) {
    const TpwChartItem& item = items[i == 0 ? 0 : 2 * i];
    EXPECT_EQ(item.x, Sin(b + i, 19)) << "b " << b << " i " << i;
    EXPECT_EQ(item.y, Sin(b + i, 7)) << "b " << b << " i " << i;
  }
}

void ExpectPolylineFrame(TPlotwell& chart, int b) {
  DrawPolylineFrame(chart, b);
  const TPwItemContainer& items = chart.DataItems();
  ASSERT_EQ(items.Count(), 101);
  for (int j = 1; j <= 100; ++j) {
    const long double grow = std::exp(static_cast<long double>(j) / 150);
    const long double swing = std::sin(static_cast<long double>(j * b) / 800);
    EXPECT_EQ(items[j].x, double(swing * grow)) << "b " << b << " j " << j;
    EXPECT_EQ(items[j].y, double(j));
    EXPECT_EQ(items[j].Color, j <= 50 ? clBlack : clWhite);
  }
}

TEST(DemoFrames, GiveTheFormulasValuesFreshRememberedAndBeyondTheTables) {
  TPlotwell chart(nullptr);
  for (int b : {1, 2, 81, 80, -81, 1, 500, -500}) {  // 1 twice: remembered; 500: outside
    ExpectCurveFrame(chart, b);
    ExpectPolylineFrame(chart, b);
  }
}

}  // namespace
}  // namespace korvo
