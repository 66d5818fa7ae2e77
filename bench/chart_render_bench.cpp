// The chart's render pipeline against the same pixels drawn straight on the
// canvas. Each pair is "<work>/ours" (the chart: items, transforms,
// attribute cache, batching) and "<work>/canvas" (precomputed pixels, the
// canvas calls alone); bench_main prints the ratio canvas / ours, so 0.77
// means the chart takes 1.3 times the bare canvas's time.
//
// RenderDemoFrame   the first demo chart's frame: ClearGraph, 292 items
//                   (a curve of 146 points, x = sin((1 + i) / 19),
//                   y = sin((1 + i) / 7), with glyph 19 at every point),
//                   ShowGraph on a 372 x 331 chart with margins 60, 20, 20,
//                   40, yellow plot, dotted silver grid at 0.5. The canvas
//                   side draws the background twice (ClearGraph's and
//                   ShowGraph's), grid, one Polyline, 146 marks, frame and
//                   the copy onto the control.
// DemoPaint         a full Paint of that chart (scales, grid, items).
// RenderPolyline1M  ShowGraph of 1 000 000 DrawTo items (a random walk on a
//                   1000 x 800 plot) against one Polyline through the same
//                   pixels, with the same background fill and copy.
// RenderMarks100k   100 000 MarkAt items with glyph 19 against DrawMark of
//                   the same glyphs at the same pixels.
// DupMarks100k      100 000 marks of one glyph in a 300 x 300 plot, with
//                   AvoidDuplicateMarks on ("ours") and off ("canvas": the
//                   marks all drawn); a ratio below 1 means the grid pays.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "base/Marks.h"
#include "chart/plotwell.h"

namespace korvo::bench {
namespace {

// A chart with its window, so that ShowGraph and Paint draw.
std::unique_ptr<TPlotwell> MakeChart(int width, int height, int left, int right, int top, int bottom) {
  auto chart = std::make_unique<TPlotwell>(nullptr);
  chart->HandleNeeded();
  chart->SetAutoRedraw(true);
  chart->SetMarginLeft(left);
  chart->SetMarginRight(right);
  chart->SetMarginTop(top);
  chart->SetMarginBottom(bottom);
  chart->SetBounds(0, 0, width, height);
  return chart;
}

TPoint PlotPixel(const TPlotwell& chart, double x, double y) {
  int32_t px, py;
  chart.WorldToPixel(1, x, y, px, py);
  return TPoint{px - chart.MarginLeft(), py - chart.MarginTop()};
}

// How many pixels of the plot area differ between the chart's control (as
// ShowGraph left it) and `screen`: both sides of a pair draw the same.
long PlotDifferences(TPlotwell& chart, const TBitmap& screen) {
  long n = 0;
  const TCanvas* a = chart.Surface()->Canvas();
  const TCanvas* b = screen.Canvas();
  for (int32_t y = 0; y < chart.PlotBitmap()->Height(); ++y) {
    for (int32_t x = 0; x < chart.PlotBitmap()->Width(); ++x) {
      const int32_t cx = chart.MarginLeft() + x, cy = chart.MarginTop() + y;
      n += a->Pixel(cx, cy) != b->Pixel(cx, cy);
    }
  }
  return n;
}

// ---- the demo frame ---------------------------------------------------------------

struct DemoChart {
  std::unique_ptr<TPlotwell> chart = MakeChart(372, 331, 60, 20, 20, 40);
  std::vector<double> u, v;
  DemoChart() {
    TPlotwell& c = *chart;
    c.ApplyLayerRange(1, false, -1.2, -1.2, 1.2, 1.2, false);
    c.SetChartColor(clYellow);
    c.SetGridStyle(GridStyleType::gsDotLines);
    c.SetGridDx(0.5);
    c.SetGridDy(0.5);
    c.SetGridColor(clSilver);
    for (int i = 0; i <= 145; ++i) {
      u.push_back(std::sin((1 + i) / 19.0));
      v.push_back(std::sin((1 + i) / 7.0));
    }
  }
  void Frame() {
    TPlotwell& c = *chart;
    c.ClearGraph();
    c.MarkAt(u[0], v[0], 19);
    c.MoveTo(u[0], v[0]);
    for (size_t i = 1; i < u.size(); ++i) {
      c.DrawTo(u[i], v[i]);
      c.MarkAt(u[i], v[i], 19);
    }
    c.ShowGraph();
  }
};

void RenderDemoFrameOurs(benchmark::State& state) {
  DemoChart demo;
  for (auto _ : state) {
    demo.Frame();
    benchmark::DoNotOptimize(demo.chart->Surface()->ScanLine(0));
  }
}

void RenderDemoFrameCanvas(benchmark::State& state) {
  DemoChart demo;
  TPlotwell& c = *demo.chart;
  demo.Frame();  // the chart's picture, for the comparison below
  std::vector<TPoint> curve;
  for (size_t i = 0; i < demo.u.size(); ++i) curve.push_back(PlotPixel(c, demo.u[i], demo.v[i]));
  std::vector<std::pair<TPoint, TPoint>> grid;
  for (double g = -1.0; g < 1.2; g += 0.5) grid.emplace_back(PlotPixel(c, g, -1.2), PlotPixel(c, g, 1.2));
  for (double g = -1.0; g < 1.2; g += 0.5) grid.emplace_back(PlotPixel(c, -1.2, g), PlotPixel(c, 1.2, g));
  const int32_t w = c.PlotBitmap()->Width(), h = c.PlotBitmap()->Height();
  TBitmap plot(w, h), screen(c.Width(), c.Height());
  screen.Assign(*c.Surface());
  TCanvas* p = plot.Canvas();
  const auto draw = [&] {
    p->Pen()->SetStyle(TPenStyle::psSolid);
    p->Pen()->SetColor(clBlack);
    p->Brush()->SetStyle(TBrushStyle::bsSolid);
    p->Brush()->SetColor(clYellow);
    // ClearGraph paints the plot background when it empties the list, and
    // ShowGraph paints it again under the items: the same two fills here.
    p->Rectangle(0, 0, w, h);
    p->Rectangle(0, 0, w, h);
    p->Pen()->SetColor(clSilver);
    p->Pen()->SetStyle(TPenStyle::psDot);
    for (const auto& [a, b] : grid) {
      p->MoveTo(a.X, a.Y);
      p->LineTo(b.X, b.Y);
    }
    p->Pen()->SetStyle(TPenStyle::psSolid);
    p->Pen()->SetColor(clBlack);
    p->Brush()->SetColor(clSilver);
    p->Polyline(curve);
    for (const TPoint& q : curve) DrawMark(p, 19, q.X, q.Y);
    p->MoveTo(0, 0);
    p->LineTo(w - 1, 0);
    p->LineTo(w - 1, h - 1);
    p->LineTo(0, h - 1);
    p->LineTo(0, 0);
    screen.Canvas()->Draw(c.MarginLeft(), c.MarginTop(), plot);
  };
  for (auto _ : state) {
    draw();
    benchmark::DoNotOptimize(screen.ScanLine(0));
  }
  state.counters["differing_pixels"] = double(PlotDifferences(c, screen));
}
BENCHMARK(RenderDemoFrameOurs)->Name("RenderDemoFrame/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(RenderDemoFrameCanvas)->Name("RenderDemoFrame/canvas")->Unit(benchmark::kMicrosecond);

void DemoPaint(benchmark::State& state) {
  DemoChart demo;
  demo.Frame();
  for (auto _ : state) {
    demo.chart->Repaint();
    benchmark::DoNotOptimize(demo.chart->Surface()->ScanLine(0));
  }
}
BENCHMARK(DemoPaint)->Unit(benchmark::kMicrosecond);

// ---- a million points -------------------------------------------------------------

// A seeded random walk on 1000 x 800 pixels (steps -4..4), as world points
// of a layer whose ranges make world (x, y) plot pixel (x, 799 - y).
struct WalkChart {
  std::unique_ptr<TPlotwell> chart = MakeChart(1040, 840, 20, 21, 20, 21);
  std::vector<TPoint> pixels;
  explicit WalkChart(int points) {
    TPlotwell& c = *chart;
    c.ApplyLayerRange(1, false, 0, 0, 999, 799, false);
    c.SetAllocSize(1'000'000);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> step(-4, 4);
    int x = 500, y = 400;
    for (int i = 0; i < points; ++i) {
      x = std::clamp(x + step(rng), 0, 999);
      y = std::clamp(y + step(rng), 0, 799);
      pixels.push_back(TPoint{x, y});
    }
  }
};

// The plot background as the chart paints it (white, framed in black),
// then the brush the line kinds use.
void BareBackground(TBitmap& plot) {
  TCanvas* p = plot.Canvas();
  p->Pen()->SetStyle(TPenStyle::psSolid);
  p->Pen()->SetColor(clBlack);
  p->Brush()->SetStyle(TBrushStyle::bsSolid);
  p->Brush()->SetColor(clWhite);
  p->Rectangle(0, 0, plot.Width(), plot.Height());
  p->Brush()->SetColor(clSilver);
}

void FinishFrame(TPlotwell& c, TBitmap& plot, TBitmap& screen) {
  TCanvas* p = plot.Canvas();
  const int32_t w = plot.Width() - 1, h = plot.Height() - 1;
  p->MoveTo(0, 0);
  p->LineTo(w, 0);
  p->LineTo(w, h);
  p->LineTo(0, h);
  p->LineTo(0, 0);
  screen.Canvas()->Draw(c.MarginLeft(), c.MarginTop(), plot);
}

void RenderPolyline1MOurs(benchmark::State& state) {
  WalkChart walk(1'000'000);
  TPlotwell& c = *walk.chart;
  c.MoveTo(double(walk.pixels[0].X), 799.0 - walk.pixels[0].Y);
  for (size_t i = 1; i < walk.pixels.size(); ++i) c.DrawTo(double(walk.pixels[i].X), 799.0 - walk.pixels[i].Y);
  for (auto _ : state) {
    c.ShowGraph();
    benchmark::DoNotOptimize(c.Surface()->ScanLine(0));
  }
}

void RenderPolyline1MCanvas(benchmark::State& state) {
  WalkChart walk(1'000'000);
  TPlotwell& c = *walk.chart;
  c.MoveTo(double(walk.pixels[0].X), 799.0 - walk.pixels[0].Y);
  for (size_t i = 1; i < walk.pixels.size(); ++i) c.DrawTo(double(walk.pixels[i].X), 799.0 - walk.pixels[i].Y);
  c.ShowGraph();
  TBitmap plot(c.PlotBitmap()->Width(), c.PlotBitmap()->Height()), screen;
  screen.Assign(*c.Surface());
  for (auto _ : state) {
    BareBackground(plot);
    plot.Canvas()->Polyline(walk.pixels);
    FinishFrame(c, plot, screen);
    benchmark::DoNotOptimize(screen.ScanLine(0));
  }
  state.counters["differing_pixels"] = double(PlotDifferences(c, screen));
}
BENCHMARK(RenderPolyline1MOurs)->Name("RenderPolyline1M/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(RenderPolyline1MCanvas)->Name("RenderPolyline1M/canvas")->Unit(benchmark::kMillisecond);

// ---- marks ----------------------------------------------------------------------------

void RenderMarks100kOurs(benchmark::State& state) {
  WalkChart walk(0);
  TPlotwell& c = *walk.chart;
  std::mt19937 rng(9);
  std::uniform_int_distribution<int> xs(0, 999), ys(0, 799);
  for (int i = 0; i < 100'000; ++i) c.MarkAt(xs(rng), 799 - ys(rng), 19);
  for (auto _ : state) {
    c.ShowGraph();
    benchmark::DoNotOptimize(c.Surface()->ScanLine(0));
  }
}

void RenderMarks100kCanvas(benchmark::State& state) {
  WalkChart walk(0);
  TPlotwell& c = *walk.chart;
  std::mt19937 rng(9);
  std::uniform_int_distribution<int> xs(0, 999), ys(0, 799);
  std::vector<TPoint> pts;
  for (int i = 0; i < 100'000; ++i) {
    const int x = xs(rng), y = ys(rng);
    pts.push_back(TPoint{x, y});
    c.MarkAt(x, 799 - y, 19);
  }
  c.ShowGraph();
  TBitmap plot(c.PlotBitmap()->Width(), c.PlotBitmap()->Height()), screen;
  screen.Assign(*c.Surface());
  for (auto _ : state) {
    BareBackground(plot);
    for (const TPoint& p : pts) DrawMark(plot.Canvas(), 19, p.X, p.Y);
    FinishFrame(c, plot, screen);
    benchmark::DoNotOptimize(screen.ScanLine(0));
  }
  state.counters["differing_pixels"] = double(PlotDifferences(c, screen));
}
BENCHMARK(RenderMarks100kOurs)->Name("RenderMarks100k/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(RenderMarks100kCanvas)->Name("RenderMarks100k/canvas")->Unit(benchmark::kMillisecond);

void DupMarks(benchmark::State& state, bool avoid) {
  auto chart = MakeChart(340, 340, 20, 20, 20, 20);  // a 300 x 300 plot
  TPlotwell& c = *chart;
  c.ApplyLayerRange(1, false, 0, 0, 300, 300, false);
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> pos(0, 300);
  for (int i = 0; i < 100'000; ++i) c.MarkAt(pos(rng), pos(rng), 19);
  c.SetAvoidDuplicateMarks(avoid);
  for (auto _ : state) {
    c.ShowGraph();
    benchmark::DoNotOptimize(c.Surface()->ScanLine(0));
  }
}
void DupMarksOn(benchmark::State& state) { DupMarks(state, true); }
void DupMarksOff(benchmark::State& state) { DupMarks(state, false); }
BENCHMARK(DupMarksOn)->Name("DupMarks100k/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(DupMarksOff)->Name("DupMarks100k/canvas")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvo::bench
