// Series: millions of points drawn as one item, against the same points as
// items and against QCustomPlot's sampled line (series_qcp_bench.cpp, the
// same walks in a chart of the same size). Run on their own with
// --benchmark_filter=Series.
//
// The chart: 1000 x 800 with margins 60, 20, 20, 40 (a 920 x 740 plot), a
// 1-pixel solid black pen, layer 1 ranged to the walk's extremes, AutoRedraw
// on; the timed work is ShowGraph (the plot area drawn and copied onto the
// control), as a live program calls it each frame.
//
// SeriesEmptyShowGraph     ShowGraph of an empty chart: the plot's fill and
//                          frame, the floor of every frame.
// SeriesLine1M/10M/100M    a line series through SortedWalk(n) (x = i).
// SeriesItemsLine10M       the same 10M points as MoveTo + DrawTo items;
//                          differing_px counts the pixels of its plot that
//                          differ from SeriesLine10M's (0: the same line).
// SeriesUnsorted10M        a line series through TangledWalk(10M) (x walks
// SeriesItemsUnsorted10M   too), and the same points as items.
// SeriesMarks10M           glyph 19 at the 10M points of SortedWalk, as a
// SeriesItemsMarks10M      mark series and as MarkAt items.
// SeriesLoad1M             a new series filled with SetData from 1M x and y.
// SeriesAppend10kShow      10 000 points appended to a scrolling series of
//                          10M (capacity 10M, the oldest drop), the x range
//                          moved to the newest 10M, ShowGraph.
// SeriesMemory10M          the bytes a point of a 10M series holds (x/y and
//                          uniform), and the resident memory the first one
//                          added, read from the process.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "bench/SeriesWalks.h"
#include "chart/plotwell.h"

namespace korvo::bench {
namespace {

std::unique_ptr<TPlotwell> MakeChart(const TWalk& walk) {
  auto chart = std::make_unique<TPlotwell>(nullptr);
  chart->HandleNeeded();
  chart->SetAutoRedraw(true);
  chart->SetMarginLeft(60);
  chart->SetMarginRight(20);
  chart->SetMarginTop(20);
  chart->SetMarginBottom(40);
  chart->SetBounds(0, 0, SeriesWidth, SeriesHeight);
  const TWalkRange r = WalkRange(walk);
  chart->ApplyLayerRange(1, false, r.XMin, r.YMin, r.XMax, r.YMax, false);
  chart->SetAllocSize(1'000'000);
  return chart;
}

TPwSeriesRef MakeSeries(const TWalk& walk) {
  TPwSeriesRef s = TPwSeries::Create();
  s->SetData(walk.X, walk.Y);
  return s;
}

// The pixels of the plot area that differ between two charts' controls.
long PlotDifferences(TPlotwell& a, TPlotwell& b) {
  long n = 0;
  const TCanvas* ca = a.Surface()->Canvas();
  const TCanvas* cb = b.Surface()->Canvas();
  for (int y = a.MarginTop(); y < SeriesHeight - a.MarginBottom(); ++y) {
    for (int x = a.MarginLeft(); x < SeriesWidth - a.MarginRight(); ++x) n += ca->Pixel(x, y) != cb->Pixel(x, y);
  }
  return n;
}

void TimeShowGraph(benchmark::State& state, TPlotwell& chart) {
  for (auto _ : state) chart.ShowGraph();
}

// Charts are built once per process: 10M items take a second and a gigabyte.
struct TCharts {
  std::unique_ptr<TPlotwell> series, items;
};

TCharts& LineCharts(const TWalk& walk, bool marks, bool withItems) {
  static std::map<std::pair<const TWalk*, bool>, TCharts> made;
  TCharts& c = made[{&walk, marks}];
  if (c.series == nullptr) {
    c.series = MakeChart(walk);
    if (marks) {
      c.series->MarkSeries(MakeSeries(walk), 19);
    } else {
      c.series->DrawSeries(MakeSeries(walk));
    }
  }
  if (withItems && c.items == nullptr) {
    c.items = MakeChart(walk);
    for (size_t i = 0; i < walk.X.size(); ++i) {
      if (marks) {
        c.items->MarkAt(walk.X[i], walk.Y[i], 19);
      } else if (i == 0) {
        c.items->MoveTo(walk.X[i], walk.Y[i]);
      } else {
        c.items->DrawTo(walk.X[i], walk.Y[i]);
      }
    }
  }
  return c;
}

void Series(benchmark::State& state, const TWalk& walk, bool marks) {
  TCharts& c = LineCharts(walk, marks, false);
  TimeShowGraph(state, *c.series);
  state.counters["points"] = double(walk.X.size());
}

void Items(benchmark::State& state, const TWalk& walk, bool marks) {
  TCharts& c = LineCharts(walk, marks, true);
  c.series->ShowGraph();
  c.items->ShowGraph();
  state.counters["differing_px"] = double(PlotDifferences(*c.series, *c.items));
  TimeShowGraph(state, *c.items);
}

void SeriesEmptyShowGraph(benchmark::State& state) {
  auto chart = MakeChart(SortedWalk(1000));
  TimeShowGraph(state, *chart);
}
void SeriesLine1M(benchmark::State& state) { Series(state, SortedWalk(1'000'000), false); }
void SeriesLine10M(benchmark::State& state) { Series(state, SortedWalk(10'000'000), false); }
void SeriesLine100M(benchmark::State& state) { Series(state, SortedWalk(100'000'000), false); }
void SeriesItemsLine10M(benchmark::State& state) { Items(state, SortedWalk(10'000'000), false); }
void SeriesUnsorted10M(benchmark::State& state) { Series(state, TangledWalk(10'000'000), false); }
void SeriesItemsUnsorted10M(benchmark::State& state) { Items(state, TangledWalk(10'000'000), false); }
void SeriesMarks10M(benchmark::State& state) { Series(state, SortedWalk(10'000'000), true); }
void SeriesItemsMarks10M(benchmark::State& state) { Items(state, SortedWalk(10'000'000), true); }

void SeriesLoad1M(benchmark::State& state) {
  const TWalk& walk = SortedWalk(1'000'000);
  for (auto _ : state) {
    TPwSeriesRef s = TPwSeries::Create();
    s->SetData(walk.X, walk.Y);
    benchmark::DoNotOptimize(s->Count());
  }
  state.counters["ns_per_point"] =
      benchmark::Counter(double(state.iterations()) * 1e6 * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SeriesAppend10kShow(benchmark::State& state) {
  constexpr size_t Window = 10'000'000, Block = 10'000;
  // The walk runs on past the window, so every iteration appends new points
  // (it starts over, after 1000 blocks, from the window's end).
  const TWalk& walk = SortedWalk(Window + 1000 * Block);
  TPwSeriesRef s = TPwSeries::Create();
  s->SetCapacity(int64_t(Window));
  s->SetData(std::span(walk.X).first(Window), std::span(walk.Y).first(Window));
  auto chart = MakeChart(walk);
  chart->DrawSeries(s);
  const TWalkRange r = WalkRange(walk);
  size_t next = Window;
  for (auto _ : state) {
    if (next + Block > walk.X.size()) {
      state.PauseTiming();
      s->SetData(std::span(walk.X).first(Window), std::span(walk.Y).first(Window));
      next = Window;
      state.ResumeTiming();
    }
    s->Append(std::span(walk.X).subspan(next, Block), std::span(walk.Y).subspan(next, Block));
    next += Block;
    chart->ApplyLayerRange(1, false, s->X(0), r.YMin, s->X(s->Count() - 1), r.YMax, false);
    chart->ShowGraph();
  }
}

long ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// The bytes a point of a 10M series holds (MemoryBytes) and the resident
// memory it added the first time the process made one: later repetitions
// reuse pages the allocator kept from the earlier ones, so their resident
// growth says nothing.
void SeriesMemory10M(benchmark::State& state) {
  constexpr size_t N = 10'000'000;
  const TWalk& walk = SortedWalk(N);
  static double xyResident = -1, uniformResident = -1;
  double xy = 0, uniform = 0;
  for (auto _ : state) {
    const long before = ResidentBytes();
    TPwSeriesRef s = TPwSeries::Create();
    s->SetData(walk.X, walk.Y);
    const long mid = ResidentBytes();
    TPwSeriesRef u = TPwSeries::CreateUniform(0, 1);
    u->SetData(walk.Y);
    const long after = ResidentBytes();
    if (xyResident < 0) {
      xyResident = double(mid - before) / N;
      uniformResident = double(after - mid) / N;
    }
    xy = double(s->MemoryBytes()) / N;
    uniform = double(u->MemoryBytes()) / N;
  }
  state.counters["xy_bytes_per_point"] = xy;
  state.counters["uniform_bytes_per_point"] = uniform;
  state.counters["xy_resident_per_point"] = xyResident;
  state.counters["uniform_resident_per_point"] = uniformResident;
}

BENCHMARK(SeriesEmptyShowGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesLine1M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesLine10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesLine100M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesItemsLine10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesUnsorted10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesItemsUnsorted10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesMarks10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesItemsMarks10M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesLoad1M)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesAppend10kShow)->Unit(benchmark::kMillisecond);
BENCHMARK(SeriesMemory10M)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace korvo::bench
