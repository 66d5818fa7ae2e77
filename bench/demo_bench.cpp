// The demo's own part of one animation frame, headless: for each of its two
// charts (read from the demo's form description) ClearGraph, the frame's
// items and ShowGraph, which renders the plot area and puts it on the
// control. What the window system then does with the pictures is not
// counted.
//
// DemoFrameBoth       both charts, as one turn of the demo's loop
// DemoFrameCurve      the first chart alone: 146 marks and 145 segments on
//                     the yellow plot with its dotted grid (372 x 331)
// DemoFramePolyline   the second chart alone: 100 segments on teal
//                     (293 x 373)
//
// The frame counter runs as in the demo (1 .. 81 .. -81 ..), so the
// pictures change from frame to frame as they do on screen.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/DemoFrames.h"
#include "app/DuoPaned.h"
#include "chart/plotwell.h"

namespace korvo::bench {
namespace {

class DemoWindow {
 public:
  DemoWindow() : form_(std::make_unique<TDuoPaneForm>(nullptr)) {
    form_->Show();
    // The second chart's ranges as Start sets them.
    TPlotwell& second = *form_->Plotwell2;
    second.Scale1X()->SetRangeLow(-3.0);
    second.Scale1X()->SetRangeHigh(3.0);
    second.Scale1Y()->SetRangeLow(0.0);
    second.Scale1Y()->SetRangeHigh(110.0);
  }
  TPlotwell& Curve() { return *form_->Plotwell1; }
  TPlotwell& Polyline() { return *form_->Plotwell2; }
  // The demo's frame counter, one step.
  int Next() {
    const int b = b_;
    b_ += d_;
    if (b_ > 80) d_ = -1;
    if (b_ < -80) d_ = 1;
    return b;
  }

 private:
  std::unique_ptr<TDuoPaneForm> form_;
  int b_ = 1, d_ = 1;
};

void DemoFrameBoth(benchmark::State& state) {
  DemoWindow demo;
  for (auto _ : state) {
    const int b = demo.Next();
    DrawCurveFrame(demo.Curve(), b);
    DrawPolylineFrame(demo.Polyline(), b);
  }
}

void DemoFrameCurve(benchmark::State& state) {
  DemoWindow demo;
  for (auto _ : state) DrawCurveFrame(demo.Curve(), demo.Next());
}

void DemoFramePolyline(benchmark::State& state) {
  DemoWindow demo;
  for (auto _ : state) DrawPolylineFrame(demo.Polyline(), demo.Next());
}

BENCHMARK(DemoFrameBoth)->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoFrameCurve)->Unit(benchmark::kMicrosecond);
BENCHMARK(DemoFramePolyline)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvo::bench
