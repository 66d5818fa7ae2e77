// Vector output and printing against the raster paint of the same chart.
// Each group is named "<chart>/ours" (the raster paint: Repaint, the whole
// control rendered into its pixels and put on the control) and
// "<chart>/<output>", so bench_main's table gives every output's median as a
// multiple of the paint. Run on their own with --benchmark_filter=Vector.
//
// Vector demo chart 1   the demo's first chart at frame 1 (372 x 331, 146
//                       marks, 145 segments, dotted grid, scales, caption):
//   svg, pdf            RenderVectorPicture of RenderTo into memory
//   svg_file, pdf_file  SaveToFile to a file in the temporary folder
//   print300ppi         Print() on the headless printer: a document of its
//                       own, the chart fitted to the A4 page at 300 pixels
//                       per inch (2480 x 3508)
// Vector series 10M     a line series through SortedWalk(10M) in the
//                       series benchmarks' chart (1000 x 800): the series
//                       reaches the file thinned per pixel column
// Vector unsorted 1M    a line series through TangledWalk(1M) (x walks too)
//
// The vector runs report the file's size in bytes ("bytes"); the goals are
// a demo chart file at most 200 times the paint, and a 10M-point series
// written as PDF in under 100 ms and under 1 MB.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/DemoFrames.h"
#include "app/DuoPaned.h"
#include "bench/SeriesWalks.h"
#include "chart/plotwell.h"
#include "platform/graphics/Printer.h"
#include "platform/graphics/vector/PictureOutput.h"

namespace korvo::bench {
namespace {

namespace fs = std::filesystem;

// The demo's first chart, read from the demo's form description, at frame 1.
class DemoChart1 {
 public:
  DemoChart1() : form_(std::make_unique<TDuoPaneForm>(nullptr)) {
    form_->Show();
    DrawCurveFrame(Chart(), 1);
  }
  TPlotwell& Chart() { return *form_->Plotwell1; }

 private:
  std::unique_ptr<TDuoPaneForm> form_;
};

// The series benchmarks' chart holding one line series through the walk.
std::unique_ptr<TPlotwell> SeriesChart(const TWalk& walk) {
  auto chart = std::make_unique<TPlotwell>(nullptr);
  chart->HandleNeeded();
  chart->SetMarginLeft(60);
  chart->SetMarginRight(20);
  chart->SetMarginTop(20);
  chart->SetMarginBottom(40);
  chart->SetBounds(0, 0, SeriesWidth, SeriesHeight);
  const TWalkRange r = WalkRange(walk);
  chart->ApplyLayerRange(1, false, r.XMin, r.YMin, r.XMax, r.YMax, false);
  TPwSeriesRef s = TPwSeries::Create();
  s->SetData(walk.X, walk.Y);
  chart->DrawSeries(s);
  chart->Repaint();
  return chart;
}

// Charts are made once per process: a 10M series takes 160 MB.
TPlotwell& Chart(int which) {
  static DemoChart1 demo;
  static std::unique_ptr<TPlotwell> sorted, tangled;
  if (which == 0) return demo.Chart();
  if (which == 1) {
    if (!sorted) sorted = SeriesChart(SortedWalk(10'000'000));
    return *sorted;
  }
  if (!tangled) tangled = SeriesChart(TangledWalk(1'000'000));
  return *tangled;
}

fs::path TempFile(const char* extension) {
  return fs::temp_directory_path() / ("plotwell-vector-bench-" + std::to_string(::getpid()) + extension);
}

void Paint(benchmark::State& state, int which) {
  TPlotwell& chart = Chart(which);
  for (auto _ : state) {
    chart.Repaint();
    benchmark::DoNotOptimize(chart.Surface()->ScanLine(0));
  }
}

void InMemory(benchmark::State& state, int which, TPictureKind kind) {
  TPlotwell& chart = Chart(which);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> file =
        RenderVectorPicture(kind, chart.Width(), chart.Height(), [&](TCanvas& c) { chart.RenderTo(c); });
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = double(bytes);
}

void ToFile(benchmark::State& state, int which, const char* extension) {
  TPlotwell& chart = Chart(which);
  const fs::path path = TempFile(extension);
  for (auto _ : state) chart.SaveToFile(path.string());
  state.counters["bytes"] = double(fs::file_size(path));
  fs::remove(path);
}

void PrintPage(benchmark::State& state, int which) {
  TPlotwell& chart = Chart(which);
  for (auto _ : state) {
    chart.Print();
    benchmark::DoNotOptimize(Printer()->Pages().back()->ScanLine(0));
  }
  state.counters["pages"] = double(Printer()->Pages().size());
}

void DemoPaint(benchmark::State& s) { Paint(s, 0); }
void DemoSvg(benchmark::State& s) { InMemory(s, 0, TPictureKind::Svg); }
void DemoPdf(benchmark::State& s) { InMemory(s, 0, TPictureKind::Pdf); }
void DemoSvgFile(benchmark::State& s) { ToFile(s, 0, ".svg"); }
void DemoPdfFile(benchmark::State& s) { ToFile(s, 0, ".pdf"); }
void DemoPrint(benchmark::State& s) { PrintPage(s, 0); }
void SortedPaint(benchmark::State& s) { Paint(s, 1); }
void SortedSvg(benchmark::State& s) { InMemory(s, 1, TPictureKind::Svg); }
void SortedPdf(benchmark::State& s) { InMemory(s, 1, TPictureKind::Pdf); }
void TangledPaint(benchmark::State& s) { Paint(s, 2); }
void TangledSvg(benchmark::State& s) { InMemory(s, 2, TPictureKind::Svg); }
void TangledPdf(benchmark::State& s) { InMemory(s, 2, TPictureKind::Pdf); }

BENCHMARK(DemoPaint)->Name("Vector demo chart 1/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoSvg)->Name("Vector demo chart 1/svg")->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoPdf)->Name("Vector demo chart 1/pdf")->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoSvgFile)->Name("Vector demo chart 1/svg_file")->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoPdfFile)->Name("Vector demo chart 1/pdf_file")->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoPrint)->Name("Vector demo chart 1/print300ppi")->Unit(benchmark::kMicrosecond);
BENCHMARK(SortedPaint)->Name("Vector series 10M/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(SortedSvg)->Name("Vector series 10M/svg")->Unit(benchmark::kMillisecond);
BENCHMARK(SortedPdf)->Name("Vector series 10M/pdf")->Unit(benchmark::kMillisecond);
BENCHMARK(TangledPaint)->Name("Vector unsorted 1M/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(TangledSvg)->Name("Vector unsorted 1M/svg")->Unit(benchmark::kMillisecond);
BENCHMARK(TangledPdf)->Name("Vector unsorted 1M/pdf")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvo::bench
