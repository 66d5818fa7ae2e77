// W6 on our canvas, until the QPainter comparison of canvas_bench.cpp
// carries its own "W6 20k filled diamonds/ours"; then this file goes and
// that benchmark draws with DrawDiamonds (CanvasWorkloads.h), the work the
// floor checks its pixels against.
#include <benchmark/benchmark.h>

#include "bench/CanvasWorkloads.h"
#include "platform/graphics/Bitmap.h"

namespace korvo::bench {
namespace {

void W6Ours(benchmark::State& state) {
  TBitmap bmp(kPlotWidth, kPlotHeight);
  DiamondPoints();
  for (auto _ : state) {
    DrawDiamonds(bmp.Canvas());
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}

}  // namespace

BENCHMARK(W6Ours)->Name("W6 20k filled diamonds/ours")->Unit(benchmark::kMillisecond);

}  // namespace korvo::bench
