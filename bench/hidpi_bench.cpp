// The demo's first chart on a high-density screen: one animation frame
// (ClearGraph, the frame's 292 items, ShowGraph) and the paint of the
// chart's widget by the Qt window system, into an image of the device pixel
// ratio (QWidget::render, as the screen's backing store gets it), on Qt's
// offscreen platform.
//
// HiDpiShowGraph/ratio1    the surface blitted as it is (372 x 331)
// HiDpiShowGraph/ratio2    the chart drawn at 744 x 662 (only the plot area,
//                          which is all ShowGraph changes)
// HiDpiShowGraph/ratio1.5  the same at 558 x 496
// HiDpiRepaint/ratio2      a full repaint at ratio 2 (the frame and scales
//                          too), for comparison
//
// HiDpiChartWork/ratio1   the chart's own part alone, as DemoFrameCurve
//                          counts it: the frame and ShowGraph
// HiDpiChartWork/ratio2   the same plus what the window system has the
//                          chart do for the screen: the part ShowGraph
//                          reports changed (the plot area) drawn at 744 x 662;
//                          the copy to the screen is left out, as the other
//                          benchmarks leave it out
//
// The goal: ratio2 at most 4.5 times ratio1 (HiDpiChartWork; HiDpiShowGraph
// adds Qt's copy of four times the pixels to both).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>
#include <memory>

#include "app/DemoFrames.h"
#include "app/DuoPaned.h"
#include "chart/plotwell.h"
#include "platform/framework/WindowSystem.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/qt/QtWindowSystem.h"

namespace korvo::bench {
namespace {

// The Qt window system installed for one benchmark, the one before put back
// afterwards (the other benchmarks run headless).
class TQtScope {
 public:
  TQtScope() : before_(WindowSystem()) {
    system_ = CreateQtWindowSystem(argc_, argv_);
    InstallWindowSystem(system_.get());
  }
  ~TQtScope() {
    InstallWindowSystem(before_);
    system_.reset();
  }
  TQtScope(const TQtScope&) = delete;
  TQtScope& operator=(const TQtScope&) = delete;

 private:
  int argc_ = 1;
  char name_[16] = "plotwell-bench";
  char* argv_[2] = {name_, nullptr};
  TWindowSystem* before_;
  std::unique_ptr<TWindowSystem> system_;
};

void RunFrames(benchmark::State& state, double ratio, bool fullRepaint) {
  TQtScope qt;
  {
    auto form = std::make_unique<TDuoPaneForm>(nullptr);
    form->Show();
    WindowSystem()->ProcessMessages();
    TPlotwell& chart = *form->Plotwell1;
    QWidget* widget = ControlWidget(&chart, THostOwnership::hoProgram);
    QImage image(int(std::nearbyint(chart.Width() * ratio)), int(std::nearbyint(chart.Height() * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    int b = 1, d = 1;
    for (auto _ : state) {
      DrawCurveFrame(chart, b);
      if (fullRepaint) chart.Invalidate();
      widget->render(&image);
      b += d;
      if (b > 80) d = -1;
      if (b < -80) d = 1;
    }
    benchmark::DoNotOptimize(image.constBits());
    form.reset();
    WindowSystem()->ProcessMessages();
  }
}

void HiDpiChartWork(benchmark::State& state, double ratio) {
  // The Qt window system, so that the chart's changes wait for the paint
  // that shows them (the headless one shows them at once).
  TQtScope qt;
  auto form = std::make_unique<TDuoPaneForm>(nullptr);
  form->Show();
  TPlotwell& chart = *form->Plotwell1;
  chart.Repaint();
  TBitmap device(int32_t(std::nearbyint(chart.Width() * ratio)), int32_t(std::nearbyint(chart.Height() * ratio)));
  device.SetPixelFormat(TPixelFormat::pf32bit);
  chart.SurfacePresented();
  int b = 1, d = 1;
  for (auto _ : state) {
    DrawCurveFrame(chart, b);
    TRect changed;
    if (!chart.SurfaceChanges(changed)) {
      state.SkipWithError("ShowGraph did not say what it changed");
      break;
    }
    if (ratio != 1 && changed.Left < changed.Right) {
      chart.PaintScaled(device.Canvas()->Surface(), ratio, changed);
    }
    chart.SurfacePresented();
    b += d;
    if (b > 80) d = -1;
    if (b < -80) d = 1;
  }
  benchmark::DoNotOptimize(device.ScanLine(0));
  form.reset();
  WindowSystem()->ProcessMessages();
}

void HiDpiShowGraph(benchmark::State& state, double ratio) { RunFrames(state, ratio, false); }
void HiDpiRepaint(benchmark::State& state, double ratio) { RunFrames(state, ratio, true); }

BENCHMARK_CAPTURE(HiDpiChartWork, ratio1, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HiDpiChartWork, ratio2, 2.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HiDpiShowGraph, ratio1, 1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HiDpiShowGraph, ratio2, 2.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HiDpiShowGraph, ratio1.5, 1.5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(HiDpiRepaint, ratio2, 2.0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvo::bench
