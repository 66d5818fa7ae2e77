// Drawing one 400-pixel scale of each kind, as the chart draws its axes: an
// embedded, transparent sctXT scale (400 x 60, margins 20) onto a bitmap,
// labels included. The time per drawing is mostly text: measuring comes from
// the glyph cache, so a warm drawing never rasterises a glyph twice. One
// more case draws a stand-alone opaque scale with its frame (off-screen
// bitmap, fill, frame, copy).
//
// S1 linear -3 .. 3 (short ticks every 0.2, labels -3.0 .. 3.0)
// S2 logarithmic 0.01 .. 1000 with MinTicks 6 (2 and 5 labelled, short ticks)
// S3 ftTime 0 .. 90 s
// S4 ftDateTime hours: half a day around midnight, with a date line
// S5 ftDateTime days: 10 days
// S6 ftDateTime months: one year
// S7 ftDateTime years: 1900 .. 2000
// S8 user texts Jan .. Jun
// S9 linear 0 .. 100, opaque with a lowered frame
#include <benchmark/benchmark.h>

#include <functional>

#include "platform/Calendar.h"
#include "platform/graphics/Bitmap.h"
#include "scale/Scale.h"

namespace korvo::bench {
namespace {

void DrawScale(benchmark::State& state, const std::function<void(TScale&)>& setup, bool opaque = false) {
  TBitmap target(400, 60);
  TScale scale(nullptr);
  scale.SetBounds(0, 0, 400, 60);
  scale.SetScaleType(TScaleType::sctXT);
  scale.SetTransparent(!opaque);
  scale.SetEmbedded(true);
  setup(scale);
  scale.SetExternalCanvas(target.Canvas(), 0, 0);
  scale.ForcePaint();  // warm: faces and glyphs cached, buffers sized
  for (auto _ : state) {
    scale.ForcePaint();
    benchmark::DoNotOptimize(target.ScanLine(30)[200]);
  }
  state.counters["ticks"] = scale.NumTicks();
}

const double Apr5 = EncodeDate(2003, 4, 5);

void S1(benchmark::State& s) {
  DrawScale(s, [](TScale& c) { c.SetRange(-3, 3); });
}
void S2(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetRange(0.01, 1000);
    c.SetLogarithmic(true);
    c.SetMinTicks(6);
  });
}
void S3(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftTime);
    c.SetRange(0, 90);
  });
}
void S4(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftDateTime);
    c.SetRange(Apr5 - 0.25, Apr5 + 0.25);
  });
}
void S5(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftDateTime);
    c.SetRange(Apr5, Apr5 + 10);
  });
}
void S6(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftDateTime);
    c.SetRange(EncodeDate(2003, 1, 1), EncodeDate(2004, 1, 1));
  });
}
void S7(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftDateTime);
    c.SetRange(EncodeDate(1900, 1, 1), EncodeDate(2000, 1, 1));
  });
}
void S8(benchmark::State& s) {
  DrawScale(s, [](TScale& c) {
    c.SetLabelType(TFigType::ftUserText);
    c.SetRange(1, 6);
    c.SetMinTicks(5);
    c.SetUserTickText("Jan|Feb|Mar|Apr|May|Jun");
  });
}
void S9(benchmark::State& s) {
  DrawScale(s, [](TScale&) {}, true);
}

}  // namespace

BENCHMARK(S1)->Name("S1 scale linear/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S2)->Name("S2 scale logarithmic/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S3)->Name("S3 scale ftTime/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S4)->Name("S4 scale hours/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S5)->Name("S5 scale days/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S6)->Name("S6 scale months/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S7)->Name("S7 scale years/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S8)->Name("S8 scale user texts/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(S9)->Name("S9 scale opaque framed/ours")->Unit(benchmark::kMicrosecond);

}  // namespace korvo::bench
