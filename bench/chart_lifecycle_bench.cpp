// The chart's lifecycle: resizing and creating a chart.
//
// SetBounds1920x1080  one SetBounds of a 1920 x 1080 chart to a new size
//                     (alternating 1920 x 1080 and 1919 x 1079): the 32
//                     scales take the size and are brought in step, the
//                     chart's surface is reallocated; time per call.
// CreateChart         constructing and destroying a TPlotwell: owned
//                     objects, defaults and the first standard layout.
#include <benchmark/benchmark.h>

#include "chart/plotwell.h"

namespace korvo::bench {
namespace {

void SetBounds1920x1080(benchmark::State& state) {
  TPlotwell chart(nullptr);
  chart.SetBounds(0, 0, 1920, 1080);
  bool small = true;
  for (auto _ : state) {
    chart.SetBounds(0, 0, small ? 1919 : 1920, small ? 1079 : 1080);
    small = !small;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(SetBounds1920x1080)->Unit(benchmark::kMicrosecond);

void CreateChart(benchmark::State& state) {
  for (auto _ : state) {
    TPlotwell chart(nullptr);
    benchmark::DoNotOptimize(&chart);
  }
}
BENCHMARK(CreateChart)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvo::bench
