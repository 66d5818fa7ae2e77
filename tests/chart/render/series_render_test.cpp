// Series items against the same points given as items: random series
// (sorted, unsorted, repeats, spikes, gaps, huge values, points off the plot,
// scrolling windows) drawn over pens, pen modes and layer transforms, pixel
// for pixel, in colour and monochrome.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "chart/plotwell.h"
#include "platform/graphics/Printer.h"
#include "support/AllocationCounter.h"
#include "support/TestSupport.h"

namespace korvo::test {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TTrialPen {
  TPenStyle Style;
  uint8_t Width;
  TPenMode Mode;
};
// The thinned pens first, then pens that draw every point.
constexpr TTrialPen Pens[] = {{TPenStyle::psSolid, 1, TPenMode::pmCopy}, {TPenStyle::psInsideFrame, 0, TPenMode::pmCopy},
                         {TPenStyle::psClear, 1, TPenMode::pmCopy}, {TPenStyle::psDot, 1, TPenMode::pmCopy},
                         {TPenStyle::psSolid, 3, TPenMode::pmCopy}, {TPenStyle::psSolid, 1, TPenMode::pmXor},
                         {TPenStyle::psDashDot, 1, TPenMode::pmNot}};

// A layer's transform: linear, mirrored in x or y, logarithmic.
enum class TAxes { Linear, MirroredX, MirroredY, LogY, LogX };

// The same points as items: MoveTo the first finite point, DrawTo the
// next, MoveTo again after a break.
void AddLineItems(TPlotwell& chart, const TPwSeries& s) {
  bool inLine = false;
  for (int64_t i = 0; i < s.Count(); ++i) {
    const double x = s.X(i), y = s.Y(i);
    if (!std::isfinite(x) || !std::isfinite(y)) {
      inLine = false;
    } else if (inLine) {
      chart.DrawTo(x, y);
    } else {
      chart.MoveTo(x, y);
      inLine = true;
    }
  }
}

class SeriesVsItems : public ::testing::Test {
 protected:
  SeriesVsItems() : chart(nullptr), a(140, 110), b(140, 110) {
    chart.SetMarginLeft(10);
    chart.SetMarginRight(10);
    chart.SetMarginTop(10);
    chart.SetMarginBottom(10);
    chart.SetBounds(0, 0, 140, 110);  // plot area 121 x 91
    chart.SetChartColor(clWhite);
    chart.SetChartFrameColor(clWhite);
  }

  void SetAxes(TAxes axes) {
    chart.XProps(1)->SetLogarithmic(false);
    chart.YProps(1)->SetLogarithmic(false);
    switch (axes) {
      case TAxes::Linear: chart.ApplyLayerRange(1, false, 0, -50, 100, 50, false); break;
      case TAxes::MirroredX: chart.ApplyLayerRange(1, false, 100, -50, 0, 50, false); break;
      case TAxes::MirroredY: chart.ApplyLayerRange(1, false, 0, 50, 100, -50, false); break;
      case TAxes::LogY: chart.ApplyLayerRange(1, false, 0, 0.01, 100, 100, false); break;
      case TAxes::LogX: chart.ApplyLayerRange(1, false, 0.5, -50, 100, 50, false); break;
    }
    chart.XProps(1)->SetLogarithmic(axes == TAxes::LogX);
    chart.YProps(1)->SetLogarithmic(axes == TAxes::LogY);
  }

  // Draws the chart's lists onto `target` (white first) with the pen mode
  // of the trial, the plot's origin at (x0, y0).
  void Draw(TBitmap& target, TPenMode mode, int32_t x0, int32_t y0, bool monochrome) {
    Fill(target, clWhite);
    target.Canvas()->Pen()->SetMode(mode);
    chart.RenderData(target.Canvas(), x0, y0, monochrome, true);
    target.Canvas()->Pen()->SetMode(TPenMode::pmCopy);
  }

  // Pixels that differ between the series as a line and its points as
  // items, both drawn in copy mode at origin (0, 0).
  long LineDifferences(const TPwSeriesRef& s) {
    chart.ClearGraph();
    chart.DrawSeries(s);
    Draw(a, TPenMode::pmCopy, 0, 0, false);
    chart.ClearGraph();
    AddLineItems(chart, *s);
    Draw(b, TPenMode::pmCopy, 0, 0, false);
    return CountDifferentPixels(a, b);
  }

  // The same for a mark series and its points as MarkAt items.
  long MarkDifferences(const TPwSeriesRef& s, uint8_t glyph) {
    chart.ClearGraph();
    chart.MarkSeries(s, glyph);
    Draw(a, TPenMode::pmCopy, 0, 0, false);
    chart.ClearGraph();
    for (int64_t i = 0; i < s->Count(); ++i) chart.MarkAt(s->X(i), s->Y(i), glyph);
    Draw(b, TPenMode::pmCopy, 0, 0, false);
    return CountDifferentPixels(a, b);
  }

  TPlotwell chart;
  TBitmap a, b;
};

// Random walks and scatters with the troubles of real data.
struct TTrial {
  std::vector<double> X, Y;
  bool Uniform = false;
  double Start = 0, Step = 0;
};

TTrial MakeTrial(std::mt19937& rng, int shape) {
  std::uniform_real_distribution<double> u(0, 1);
  TTrial t;
  const int n = int(std::pow(10.0, 1 + 3.2 * u(rng)));  // 10 .. 16000 points
  double y = 0;
  double x = -20 + 30 * u(rng);
  const double dx = 140.0 / n * (0.2 + 2 * u(rng));
  for (int i = 0; i < n; ++i) {
    y += (u(rng) - 0.5) * (shape == 3 ? 1.2 : 6);
    double py = y, px;
    switch (shape) {
      case 0:  // sorted x, repeats
        px = x + std::floor(i * dx * 4) / 4;
        break;
      case 1:  // unsorted scatter over and beyond the plot
        px = -40 + 180 * u(rng);
        break;
      case 2:  // a walk in x too, doubling back
        x += (u(rng) - 0.45) * 3;
        px = x;
        break;
      default:  // a dense tangle: steps of under a pixel both ways
        x += (u(rng) - 0.5) * 1.2;
        px = x;
        break;
    }
    const double r = u(rng);
    if (r < 0.01) py = NaN;                                            // gaps
    else if (r < 0.015) py = (u(rng) < 0.5 ? -1 : 1) * 1e6;           // spikes far off the plot
    else if (r < 0.017) py = std::numeric_limits<double>::infinity();  // breaks too
    else if (r < 0.02) py = 1e300;                                    // beyond every clamp
    t.X.push_back(px);
    t.Y.push_back(py);
  }
  if (shape == 0 && u(rng) < 0.4) {  // the uniform form of a sorted series
    t.Uniform = true;
    t.Start = t.X[0];
    t.Step = dx;
    for (int i = 0; i < n; ++i) t.X[size_t(i)] = t.Start + double(i) * t.Step;
  }
  return t;
}

TPwSeriesRef MakeSeries(const TTrial& t) {
  TPwSeriesRef s = t.Uniform ? TPwSeries::CreateUniform(t.Start, t.Step) : TPwSeries::Create();
  if (t.Uniform) {
    s->SetData(t.Y);
  } else {
    s->SetData(t.X, t.Y);
  }
  return s;
}

TEST_F(SeriesVsItems, EveryPixelOfTheItemsOverPensModesAndTransforms) {
  std::mt19937 rng(20261209);
  std::uniform_int_distribution<int> pick(0, 1 << 20);
  for (int trial = 0; trial < 320; ++trial) {
    const int shape = trial % 4;
    const TTrialPen pen = Pens[size_t(pick(rng)) % std::size(Pens)];
    const auto axes = TAxes(pick(rng) % 5);
    const bool marks = trial / 4 % 4 == 3;
    const uint8_t glyph = uint8_t(std::array{19, 7, 16, 50, 0, 3, 200}[size_t(pick(rng) % 7)]);
    const bool monochrome = pick(rng) % 5 == 0;
    const int32_t x0 = std::array{0, -35, 30}[size_t(pick(rng) % 3)];
    const int32_t y0 = std::array{0, 25, -20}[size_t(pick(rng) % 3)];
    TTrial t = MakeTrial(rng, shape);
    const TPwSeriesRef series = MakeSeries(t);
    SetAxes(axes);
    const auto attributes = [&] {
      chart.SetDataColor(TColor(0x204080 + trial));
      chart.SetFillColor(clYellow);
      chart.SetPenStyle(pen.Style);
      chart.SetLineWidth(pen.Width);
    };
    // Items around the series: a line drawn into it and out of it.
    const auto before = [&] {
      chart.MoveTo(50.0, 0.0);
      chart.DrawTo(60.0, 10.0);
    };
    const auto after = [&] { chart.DrawTo(20.0, 30.0); };

    chart.ClearGraph();
    attributes();
    before();
    if (marks) {
      chart.MarkSeries(series, glyph);
    } else {
      chart.DrawSeries(series);
    }
    after();
    Draw(a, pen.Mode, x0, y0, monochrome);

    chart.ClearGraph();
    attributes();
    before();
    if (marks) {
      for (int64_t i = 0; i < series->Count(); ++i) chart.MarkAt(series->X(i), series->Y(i), glyph);
    } else {
      AddLineItems(chart, *series);
    }
    after();
    Draw(b, pen.Mode, x0, y0, monochrome);

    ASSERT_EQ(CountDifferentPixels(a, b), 0)
        << "trial " << trial << ": shape " << shape << ", " << series->Count() << " points"
        << (t.Uniform ? " (uniform)" : "") << ", pen style " << int(pen.Style) << " width " << int(pen.Width)
        << " mode " << int(pen.Mode) << ", axes " << int(axes) << (marks ? ", marks " + std::to_string(glyph) : "")
        << (monochrome ? ", monochrome" : "") << ", origin " << x0 << "," << y0;
  }
}

// Long sorted series cross the pyramid's blocks and chunks, and a scrolling
// window starts inside a chunk; a column then holds thousands of points. As
// marks, the chunks' edges fall inside the segments the marks are read in.
TEST_F(SeriesVsItems, LongAndScrollingSortedSeries) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-1, 1);
  for (const bool uniform : {false, true}) {
    TPwSeriesRef s = uniform ? TPwSeries::CreateUniform(-3, 100.0 / 150000) : TPwSeries::Create();
    s->SetCapacity(150000);
    double y = 0;
    for (int i = 0; i < 230000; ++i) {
      y += u(rng);
      if (i % 20011 == 0) y = 0;
      const double v = i % 50021 == 7 ? NaN : y / 8;
      if (uniform) {
        s->Append(v);
      } else {
        s->Append((i - 80000) * (100.0 / 150000), v);
      }
    }
    ASSERT_EQ(s->Count(), 150000);
    for (const TAxes axes : {TAxes::Linear, TAxes::MirroredX}) {
      SetAxes(axes);
      EXPECT_EQ(LineDifferences(s), 0) << (uniform ? "uniform" : "x/y") << ", axes " << int(axes);
      EXPECT_EQ(MarkDifferences(s, 3), 0) << (uniform ? "uniform" : "x/y") << ", axes " << int(axes);
    }

  }
}

// Marks of a long scrolling series whose points jump in and out of view one
// by one: the chunks' edges fall inside the segments the marks are read in,
// and a mark taken for one on the wrong side of the view's edge shows in the
// margin above or below the plot.
TEST_F(SeriesVsItems, LongScrollingMarkSeries) {
  SetAxes(TAxes::Linear);
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> u(-80, 80);
  for (const bool uniform : {false, true}) {
    TPwSeriesRef s = uniform ? TPwSeries::CreateUniform(-53, 100.0 / 150000) : TPwSeries::Create();
    s->SetCapacity(150000);
    for (int i = 0; i < 230000; ++i) {
      if (uniform) {
        s->Append(u(rng));
      } else {
        s->Append((i - 80000) * (100.0 / 150000), u(rng));
      }
    }
    EXPECT_EQ(MarkDifferences(s, 3), 0) << (uniform ? "uniform" : "x/y");
  }
}

// The end of a line: a last column that returns to an extreme it had left
// paints that pixel, one that reaches a new extreme last does not.
TEST_F(SeriesVsItems, LastColumnOfALine) {
  SetAxes(TAxes::Linear);
  const std::vector<std::vector<double>> columns = {
      {5, 10, 7, 10}, {5, 10}, {10, 5, 10, 10}, {5, 5, 5}, {7, 3, 9, 3}, {3, 9, 3, 9, 9}, {4}};
  for (const auto& ys : columns) {
    for (const bool gapAfter : {false, true}) {
      std::vector<double> x{20, 30, 30.2}, y{0, 2, 3};
      for (double v : ys) {  // each row three times: the runs are summarised
        x.insert(x.end(), 3, 40.0);
        y.insert(y.end(), 3, v);
      }
      if (gapAfter) {
        x.insert(x.end(), {40.3, 60, 70});
        y.insert(y.end(), {NaN, 1, 2});
      }
      TPwSeriesRef s = TPwSeries::Create();
      s->SetData(x, y);
      EXPECT_EQ(LineDifferences(s), 0) << "column of " << ys.size() << " points, gap " << gapAfter;
    }
  }
}

// A frame allocates nothing per point: once a frame has sized the
// renderer's buffers for a mark series of this size, frames of the series
// and of grown line series allocate nothing.
TEST_F(SeriesVsItems, AWarmFrameAllocatesNothing) {
  SetAxes(TAxes::Linear);
  std::mt19937 rng(5);
  const TPwSeriesRef sorted = MakeSeries(MakeTrial(rng, 0)), scatter = MakeSeries(MakeTrial(rng, 1));
  chart.ClearGraph();
  chart.DrawSeries(sorted);
  chart.DrawSeries(scatter);
  chart.MarkSeries(scatter, 19);
  Draw(a, TPenMode::pmCopy, 0, 0, false);
  for (int i = 0; i < 5000; ++i) sorted->Append(200 + i, (i * 37) % 101 - 50);
  EXPECT_EQ(AllocationsDuring([&] { Draw(a, TPenMode::pmCopy, 0, 0, false); }), 0);
}

// On the printer's page marks are drawn with lines and the fonts are the
// printer's: a page of series draws what a page of items draws.
TEST_F(SeriesVsItems, OnThePrinterPage) {
  SetAxes(TAxes::Linear);
  std::mt19937 rng(3);
  TTrial t = MakeTrial(rng, 0);
  const TPwSeriesRef s = MakeSeries(t);
  const auto page = [&](bool series, TBitmap& sheet) {
    chart.ClearGraph();
    for (const uint8_t glyph : {3, 18, 19}) {
      if (series) {
        chart.MarkSeries(s, glyph);
      } else {
        for (int64_t i = 0; i < s->Count(); ++i) chart.MarkAt(s->X(i), s->Y(i), glyph);
      }
    }
    if (series) {
      chart.DrawSeries(s);
    } else {
      AddLineItems(chart, *s);
    }
    Printer()->BeginDoc();
    chart.RenderData(Printer()->Canvas(), 100, 100, false, true);
    Printer()->EndDoc();
    sheet.Assign(*Printer()->Pages()[0]);
  };
  TBitmap withSeries(1, 1), withItems(1, 1);
  page(true, withSeries);
  page(false, withItems);
  ASSERT_GT(withSeries.Width(), 300);
  EXPECT_EQ(CountDifferentPixels(withSeries, withItems), 0);
}

}  // namespace
}  // namespace korvo::test
