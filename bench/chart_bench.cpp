// The chart's data model: appending items and mapping world points to pixels.
//
// AppendDrawTo      10 million DrawTo items into a chart with AllocSize
//                   1000000, from an empty list each time; reports items per
//                   second and the bytes the list holds per item.
// WorldToPixel/...  one WorldToPixel call on a linear and on a logarithmic
//                   layer of a 1000 x 800 chart, cycling through 4096
//                   prepared points; time per call.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

#include "chart/plotwell.h"

namespace korvo::bench {
namespace {

void AppendDrawTo(benchmark::State& state) {
  constexpr int32_t Items = 10'000'000;
  TPlotwell chart(nullptr);
  chart.SetAllocSize(1'000'000);
  size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    chart.ClearGraph();
    state.ResumeTiming();
    for (int32_t i = 0; i < Items; ++i) chart.DrawTo(double(i), double(i & 1023));
    benchmark::ClobberMemory();
    bytes = size_t(chart.DataItems().Capacity()) * sizeof(TpwChartItem);
  }
  state.SetItemsProcessed(state.iterations() * Items);
  state.counters["bytes_per_item"] = double(bytes) / Items;
}
BENCHMARK(AppendDrawTo)->Unit(benchmark::kMillisecond)->UseRealTime();

// World points spread over the layer's range, some outside it.
struct Points {
  std::array<double, 4096> x, y;
};

Points MakePoints(double lo, double hi, bool logarithmic) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> u(-0.1, 1.1);
  Points p;
  for (size_t i = 0; i < p.x.size(); ++i) {
    const double a = u(rng), b = u(rng);
    p.x[i] = logarithmic ? lo * std::pow(hi / lo, a) : lo + (hi - lo) * a;
    p.y[i] = logarithmic ? lo * std::pow(hi / lo, b) : lo + (hi - lo) * b;
  }
  return p;
}

void RunWorldToPixel(benchmark::State& state, bool logarithmic) {
  TPlotwell chart(nullptr);
  chart.SetBounds(0, 0, 1000, 800);
  const double lo = logarithmic ? 1e-3 : -1.2, hi = logarithmic ? 1e6 : 1.2;
  for (TScaleProps* p : {static_cast<TScaleProps*>(chart.XProps(1)), static_cast<TScaleProps*>(chart.YProps(1))}) {
    p->SetRangeLow(lo);
    p->SetRangeHigh(hi);
    p->SetLogarithmic(logarithmic);
  }
  const Points points = MakePoints(lo, hi, logarithmic);
  size_t i = 0;
  int32_t px = 0, py = 0;
  for (auto _ : state) {
    chart.WorldToPixel(1, points.x[i], points.y[i], px, py);
    benchmark::DoNotOptimize(px);
    benchmark::DoNotOptimize(py);
    i = (i + 1) & (points.x.size() - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void WorldToPixelLinear(benchmark::State& state) { RunWorldToPixel(state, false); }
void WorldToPixelLogarithmic(benchmark::State& state) { RunWorldToPixel(state, true); }
BENCHMARK(WorldToPixelLinear);
BENCHMARK(WorldToPixelLogarithmic);

}  // namespace
}  // namespace korvo::bench
