// The grid: its values along an axis as numbers, then what DrawGrid puts on
// the plot bitmap.
#include <gtest/gtest.h>

#include <vector>

#include "chart/render/GridValues.h"
#include "chart/render/render_fixture.h"
#include "scale/Scale.h"
#include "support/AllocationCounter.h"

namespace korvo {
namespace {

using test::At;

std::vector<double> Values(double lo, double hi, double spacing, bool log = false,
                           std::span<const double> ticks = {}) {
  TGridWalk walk(TGridAxis{lo, hi, log, spacing, ticks});
  std::vector<double> out;
  for (double v; walk.Next(v);) out.push_back(v);
  return out;
}

void ExpectValues(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_DOUBLE_EQ(got[i], want[i]) << "value " << i;
}

TEST(GridValues, LinearSpacings) {
  ExpectValues(Values(-3, 3, 0.5), {-3, -2.5, -2, -1.5, -1, -0.5, 0, 0.5, 1, 1.5, 2, 2.5});  // none at 3
  ExpectValues(Values(0.1, 1, 0.3), {0.3, 0.6, 0.9});  // ceil(0.1 / 0.3) = 1
  ExpectValues(Values(1, 10, 4, true), {4, 8});        // positive on a log axis: linear steps
  ExpectValues(Values(-3, 3, -2), {-2, 0, 2});         // never left of the axis (-4)
}

TEST(GridValues, LogarithmicSpacings) {
  ExpectValues(Values(0.5, 1000, -1, true), {1, 10, 100});
  ExpectValues(Values(0.5, 1000, -2, true), {0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500});
  std::vector<double> digits = {0.5, 0.6, 0.7, 0.8, 0.9};
  for (double decade : {1.0, 10.0, 100.0}) {
    for (int m = 1; m <= 9; ++m) digits.push_back(m * decade);
  }
  ExpectValues(Values(0.5, 1000, -3, true), digits);
  // Starts that round below the axis (2.4 -> 2) step over to the next value.
  ExpectValues(Values(2.4, 30, -2, true), {5, 10, 20});
  ExpectValues(Values(2.4, 6, -3, true), {3, 4, 5});
  ExpectValues(Values(3, 40, -1.5, true), {3, 4, 5, 6, 7, 8, 9, 10, 20, 30});
}

TEST(GridValues, LimitsAndTicks) {
  EXPECT_EQ(Values(0, 1, 1e-9).size(), 1000u);
  EXPECT_EQ(Values(5, 6, 1e-9).size(), 1000u);
  EXPECT_EQ(Values(1e20, 2e20, 1).size(), 1u) << "a step that adds nothing ends the walk";
  const double up[] = {0, 2.5, 5, 7.5, 10}, down[] = {10, 7.5, 5, 2.5, 0};
  ExpectValues(Values(0, 10, 0, false, up), {0, 2.5, 5, 7.5});
  ExpectValues(Values(0, 10, 0, false, down), {0, 2.5, 5, 7.5});  // a reversed scale's list
  ExpectValues(Values(0, 10, 0), {0});                             // no ticks: the low end
}

class Grid : public ::testing::Test {
 protected:
  Grid() : plot(201, 101) {
    chart.SetChartColor(clWhite);
    chart.SetGridColor(clBlue);
    test::Fill(plot, clWhite);
  }
  void Draw(GridStyleType style, double dx, double dy = 0) {
    chart.SetGridStyle(style);
    chart.SetGridDx(dx);
    chart.SetGridDy(dy);
    chart.DrawGrid(plot.Canvas(), 0, 0);
  }
  std::vector<int> InkColumns(int y) {
    std::vector<int> out;
    for (int x = 0; x < plot.Width(); ++x) {
      if (At(plot, x, y) == clBlue) out.push_back(x);
    }
    return out;
  }
  int Column(double x) {
    int32_t px, py;
    chart.WorldToPixel(1, x, 0, px, py);
    return px - chart.MarginLeft();
  }

  test::RenderChart chart;
  TBitmap plot;
};

TEST_F(Grid, LinesFromRangeLowUpToRangeHigh) {
  chart.Ranges(1, -3, 3, 0, 100);
  Draw(GridStyleType::gsLines, 0.5, 25);
  std::vector<int> want;
  for (int i = 0; i < 12; ++i) want.push_back(Column(-3 + 0.5 * i));
  EXPECT_EQ(InkColumns(60), want);
  EXPECT_EQ(want.front(), 0);
  // Vertical lines run from row 100 up to, not including, row 0; horizontal
  // ones at y = 0, 25, 50, 75 from column 0 up to, not including, 200.
  EXPECT_EQ(At(plot, want[3], 1), clBlue);
  EXPECT_EQ(At(plot, want[3], 0), clWhite);
  for (int row : {100, 75, 50, 25}) EXPECT_EQ(InkColumns(row).size(), 200u) << row;
  EXPECT_EQ(At(plot, 200, 50), clWhite);
}

TEST_F(Grid, DottedLinesAndLogarithmicDecades) {
  chart.Ranges(1, 0.5, 1000, 0, 100);
  chart.XProps(1)->SetLogarithmic(true);
  plot.Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  Draw(GridStyleType::gsVertDotLines, -1);
  EXPECT_EQ(InkColumns(100), (std::vector<int>{Column(1), Column(10), Column(100)}));
  // psDot from row 100 upwards: 3 on, 3 off; the pen is solid afterwards.
  EXPECT_EQ(At(plot, Column(10), 98), clBlue);
  EXPECT_EQ(At(plot, Column(10), 97), clWhite);
  EXPECT_EQ(plot.Canvas()->Pen()->Style(), TPenStyle::psSolid);
}

TEST_F(Grid, PointsStopAtAThousand) {
  chart.Ranges(1, 0, 50, 0, 50);  // a 50 x 50 grid
  Draw(GridStyleType::gsPoints, 1, 1);
  EXPECT_EQ(test::CountPixels(plot, clBlue), 1000);
  int column19 = 0, column20 = 0;
  for (int y = 0; y < 101; ++y) {
    column19 += At(plot, Column(19), y) == clBlue;
    column20 += At(plot, Column(20), y) == clBlue;
  }
  EXPECT_EQ(column19, 50) << "the first 20 columns are complete";
  EXPECT_EQ(column20, 0);
}

TEST_F(Grid, AThousandLinesAtMost) {
  // 1e-9 apart on 0..1 every line is on column 0. Inverted, an even number
  // of lines leaves the column as it was; one line flips it.
  chart.Ranges(1, 0, 1, 0, 100);
  plot.Canvas()->Pen()->SetMode(TPenMode::pmXor);
  Draw(GridStyleType::gsVertLines, 1e-9);
  EXPECT_EQ(test::CountPixels(plot, clWhite), 201 * 101);
  Draw(GridStyleType::gsVertLines, 2);
  EXPECT_EQ(test::CountPixels(plot, clWhite), 201 * 101 - 100);
}

TEST_F(Grid, ZeroSpacingFollowsTheScaleTicksWithoutAllocating) {
  chart.Ranges(1, 0, 10, 0, 100);
  chart.XProps(1)->SetShortTicks(false);
  Draw(GridStyleType::gsVertLines, 0);  // before the scale has drawn
  TBitmap scratch(300, 200);
  chart.XScale(1)->DrawHorizScale(scratch.Canvas(), 150);
  std::vector<int> want;
  for (double v : chart.XScale(1)->Ticks().Values()) {
    if (v < 10) want.push_back(Column(v));
  }
  ASSERT_GE(want.size(), 3u);
  EXPECT_EQ(InkColumns(50), want);
  EXPECT_EQ(test::AllocationsDuring([&] { chart.DrawGrid(plot.Canvas(), 0, 0); }), 0);
}

}  // namespace
}  // namespace korvo
