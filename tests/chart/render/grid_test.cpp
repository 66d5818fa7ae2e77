// The grid: its values along an axis as numbers, then the lines and points
// DrawGrid puts on the plot bitmap.
#include <gtest/gtest.h>

#include <vector>

#include "chart/render/GridValues.h"
#include "chart/render/render_fixture.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

using test::At;
using test::RenderChart;

std::vector<double> Values(const TGridAxis& axis, int limit = MaxGridLines) {
  std::vector<double> out;
  TGridWalk walk(axis, limit);
  double v;
  while (walk.Next(v)) out.push_back(v);
  EXPECT_FALSE(walk.Next(v)) << "an ended walk stays ended";
  return out;
}

TGridAxis Axis(double lo, double hi, double spacing, bool log = false) {
  TGridAxis a;
  a.Low = lo;
  a.High = hi;
  a.Spacing = spacing;
  a.Logarithmic = log;
  return a;
}

void ExpectValues(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << "value " << i;
}

TEST(GridValues, LinearSpacingFromTheFirstMultipleUpToButNotAtTheHighEnd) {
  ExpectValues(Values(Axis(-3, 3, 0.5)), {-3, -2.5, -2, -1.5, -1, -0.5, 0, 0.5, 1, 1.5, 2, 2.5});
  // ceil(0.1 / 0.3) = 1: the first line at 0.3.
  ExpectValues(Values(Axis(0.1, 1, 0.3)), {0.3, 0.6, 0.9});
  // A positive spacing on a logarithmic axis steps linearly too.
  ExpectValues(Values(Axis(1, 10, 4, true)), {4, 8});
}

TEST(GridValues, NegativeLinearSpacingStaysInsideTheRange) {
  // ceil(-3 / -2) * -2 would start at -4, left of the axis; the lines are
  // those of the spacing 2 inside it.
  ExpectValues(Values(Axis(-3, 3, -2)), {-2, 0, 2});
}

TEST(GridValues, LogarithmicDecadesOneTwoFiveAndDigits) {
  ExpectValues(Values(Axis(0.5, 1000, -1, true)), {1, 10, 100});
  ExpectValues(Values(Axis(0.5, 1000, -2, true)), {0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500});
  std::vector<double> digits = {0.5, 0.6, 0.7, 0.8, 0.9};
  for (double decade : {1.0, 10.0, 100.0}) {
    for (int m = 1; m <= 9; ++m) digits.push_back(m * decade);
  }
  ExpectValues(Values(Axis(0.5, 1000, -3, true)), digits);
}

TEST(GridValues, LogarithmicStartsRoundedBelowTheRangeAreSteppedOver) {
  // 2.4 rounds to the digit 2: the 1-2-5 run starts at 2 and the digit run
  // at 2, both left of the axis; their first lines inside are 5 and 3.
  ExpectValues(Values(Axis(2.4, 30, -2, true)), {5, 10, 20});
  ExpectValues(Values(Axis(2.4, 6, -3, true)), {3, 4, 5});
  // Another negative spacing starts at the low end and counts digits.
  ExpectValues(Values(Axis(3, 40, -1.5, true)), {3, 4, 5, 6, 7, 8, 9, 10, 20, 30});
}

TEST(GridValues, AtMostTheLimitAndNeverStuck) {
  EXPECT_EQ(Values(Axis(0, 1, 1e-9)).size(), 1000u);
  EXPECT_EQ(Values(Axis(5, 6, 1e-9)).size(), 1000u);
  EXPECT_EQ(Values(Axis(-3, 3, 0.5), 5).size(), 5u);
  EXPECT_TRUE(Values(Axis(0, 1, 0.5), 0).empty());
  // A spacing that adds nothing to the values ends the walk after the first
  // line instead of repeating it.
  EXPECT_EQ(Values(Axis(1e20, 2e20, 1)).size(), 1u);
}

TEST(GridValues, ZeroSpacingWalksTheTicks) {
  const double up[] = {0, 2.5, 5, 7.5, 10};
  TGridAxis a = Axis(0, 10, 0);
  a.Ticks = up;
  ExpectValues(Values(a), {0, 2.5, 5, 7.5});  // 10 is the high end
  // A reversed scale records its ticks from its RangeLow down; the grid
  // walks them upwards.
  const double down[] = {10, 7.5, 5, 2.5, 0};
  a.Ticks = down;
  ExpectValues(Values(a), {0, 2.5, 5, 7.5});
  // Without ticks: the low end only.
  a.Ticks = {};
  ExpectValues(Values(a), {0});
}

// ---- drawing -------------------------------------------------------------

constexpr TColor Paper = clWhite;
constexpr TColor Ink = clBlue;

class Grid : public ::testing::Test {
 protected:
  Grid() {
    chart.SetChartColor(Paper);
    chart.SetGridColor(Ink);
    plot.SetSize(201, 101);  // the plot bitmap of the fixture chart
    test::Fill(plot, Paper);
  }
  void Draw() { chart.DrawGrid(plot.Canvas(), 0, 0); }
  // The plot bitmap columns that hold grid ink on row `y`.
  std::vector<int> InkColumns(int y) {
    std::vector<int> out;
    for (int x = 0; x < plot.Width(); ++x) {
      if (At(plot, x, y) == Ink) out.push_back(x);
    }
    return out;
  }
  std::vector<int> InkRows(int x) {
    std::vector<int> out;
    for (int y = 0; y < plot.Height(); ++y) {
      if (At(plot, x, y) == Ink) out.push_back(y);
    }
    return out;
  }

  RenderChart chart;
  TBitmap plot;
};

TEST_F(Grid, LinesAtTheSpacingNoneAtTheHighEnd) {
  chart.Ranges(1, -3, 3, 0, 100);  // 200 / 6 pixels per unit
  chart.SetGridStyle(GridStyleType::gsVertLines);
  chart.SetGridDx(0.5);
  Draw();
  std::vector<int> want;
  for (int i = 0; i < 12; ++i) {
    int32_t px, py;
    chart.WorldToPixel(1, -3 + 0.5 * i, 0, px, py);
    want.push_back(px - chart.MarginLeft());
  }
  EXPECT_EQ(InkColumns(50), want);
  EXPECT_EQ(want.front(), 0);
  EXPECT_NE(want.back(), 200);
  // From RangeLow (row 100) up to, not including, RangeHigh (row 0).
  EXPECT_EQ(InkRows(want[3]).front(), 1);
  EXPECT_EQ(InkRows(want[3]).back(), 100);
  EXPECT_TRUE(InkRows(200).empty());
}

TEST_F(Grid, BothDirectionsAndTheCanvasOrigin) {
  chart.SetGridStyle(GridStyleType::gsLines);
  chart.SetGridDx(50);
  chart.SetGridDy(25);
  // On a bigger canvas with the plot's top-left pixel at (7, 5).
  plot.SetSize(220, 120);
  test::Fill(plot, Paper);
  chart.DrawGrid(plot.Canvas(), 7, 5);
  EXPECT_EQ(InkColumns(5 + 60), (std::vector<int>{7, 7 + 50, 7 + 100, 7 + 150}));
  // Horizontal lines at y = 0, 25, 50, 75: rows 100, 75, 50, 25 of the
  // plot, from column 0 up to, not including, column 200.
  for (int row : {100, 75, 50, 25}) {
    EXPECT_EQ(At(plot, 7 + 10, 5 + row), Ink) << row;
    EXPECT_EQ(At(plot, 7 + 199, 5 + row), Ink) << row;
    EXPECT_EQ(At(plot, 7 + 200, 5 + row), Paper) << row;
  }
  EXPECT_EQ(At(plot, 7 + 10, 5 + 0), Paper);
  EXPECT_EQ(At(plot, 6, 5 + 50), Paper);
}

TEST_F(Grid, DottedLinesAndThePenStyleAfterwards) {
  chart.SetGridStyle(GridStyleType::gsVertDotLines);
  chart.SetGridDx(100);
  plot.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  Draw();
  // psDot from row 100 upwards: 3 on, 3 off.
  EXPECT_EQ(At(plot, 100, 100), Ink);
  EXPECT_EQ(At(plot, 100, 98), Ink);
  EXPECT_EQ(At(plot, 100, 97), Paper);
  EXPECT_EQ(At(plot, 100, 94), Ink);
  EXPECT_EQ(plot.Canvas()->Pen()->Style(), TPenStyle::psSolid);
  EXPECT_EQ(plot.Canvas()->Brush()->Color(), Paper) << "the brush takes ChartColor";
}

TEST_F(Grid, LogarithmicDecadesOnThePlot) {
  chart.Ranges(1, 0.5, 1000, 0, 100);
  chart.XProps(1)->SetLogarithmic(true);
  ASSERT_TRUE(chart.XProps(1)->Logarithmic());
  chart.SetGridStyle(GridStyleType::gsVertLines);
  chart.SetGridDx(-1);
  Draw();
  std::vector<int> want;
  for (double v : {1.0, 10.0, 100.0}) {
    int32_t px, py;
    chart.WorldToPixel(1, v, 0, px, py);
    want.push_back(px - 50);
  }
  EXPECT_EQ(InkColumns(50), want);
}

TEST_F(Grid, PointsStopAtAThousand) {
  // A 50 x 50 grid: x 0..49 and y 0..49 on 0..50 ranges, 4 by 2 pixels apart.
  chart.Ranges(1, 0, 50, 0, 50);
  chart.SetGridStyle(GridStyleType::gsPoints);
  chart.SetGridDx(1);
  chart.SetGridDy(1);
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Ink), 1000);
  int32_t px19, px20, py;
  chart.WorldToPixel(1, 19, 0, px19, py);
  chart.WorldToPixel(1, 20, 0, px20, py);
  EXPECT_EQ(InkRows(px19 - 50).size(), 50u) << "the 20th column is complete";
  EXPECT_TRUE(InkRows(px20 - 50).empty()) << "the 21st has none";
}

TEST_F(Grid, AThousandLinesAtMost) {
  // 1e-9 apart on 0..1: every line is on column 0. Drawn inverted, an even
  // number of lines leaves the column as it was and an odd one does not, so
  // 1000 lines and 999 or 1001 tell apart.
  chart.Ranges(1, 0, 1, 0, 100);
  chart.SetGridStyle(GridStyleType::gsVertLines);
  chart.SetGridDx(1e-9);
  plot.Canvas()->Pen()->SetMode(TPenMode::pmXor);
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Paper), 201 * 101);
  // The same pen flips the column when one line is drawn there.
  chart.SetGridDx(2);
  Draw();
  EXPECT_EQ(test::CountPixels(plot, Paper), 201 * 101 - 100);
}

TEST_F(Grid, ZeroSpacingFollowsTheScaleTicks) {
  chart.Ranges(1, 0, 10, 0, 100);
  chart.XProps(1)->SetShortTicks(false);
  chart.SetGridStyle(GridStyleType::gsVertLines);
  chart.SetGridDx(0);
  // The scale has not drawn yet: the grid finds its ticks all the same.
  Draw();
  TBitmap scratch(300, 200);
  chart.XScale(1)->DrawHorizScale(scratch.Canvas(), 150);
  std::vector<int> want;
  for (double v : chart.XScale(1)->Ticks().Values()) {
    if (v >= 10) continue;
    int32_t px, py;
    chart.WorldToPixel(1, v, 0, px, py);
    want.push_back(px - 50);
  }
  ASSERT_GE(want.size(), 3u);
  EXPECT_EQ(InkColumns(50), want);

  // A reversed axis: the same lines.
  chart.Ranges(1, 10, 0, 0, 100);
  test::Fill(plot, Paper);
  Draw();
  EXPECT_EQ(InkColumns(50).size(), want.size());
}

TEST_F(Grid, WarmGridAllocatesNothing) {
  chart.SetGridStyle(GridStyleType::gsLines);
  chart.SetGridDx(0);
  chart.SetGridDy(10);
  Draw();
  EXPECT_EQ(test::AllocationsDuring([&] { Draw(); }), 0);
}

}  // namespace
}  // namespace korvo
