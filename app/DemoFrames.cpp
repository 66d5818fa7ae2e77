#include "app/DemoFrames.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "chart/CustomPlotwell.h"

namespace korvo {
namespace {

// The frames' functions, remembered. Frame b of the curve needs sin(t / 19)
// and sin(t / 7) for t = b .. b + 145, and the polyline sin(j b / 800) and
// e^(j / 150) for j = 1..100; b stays within -81..81, so the same few
// thousand arguments come back frame after frame. Each value is computed
// once, in extended precision as the frames define it, when first asked
// for, and kept: the frames hand the chart exactly the numbers they would
// compute afresh, at the cost of a table look-up instead of an extended
// sine (about 900 instructions each, almost 400 per frame). Arguments
// outside the tables are computed every time.
template <int Low, int High>
class TMemo {
 public:
  template <class F>
  long double Get(int k, F&& f) {
    if (k < Low || k > High) return f(k);
    long double& v = values_[size_t(k - Low)];
    if (std::isnan(v)) v = f(k);
    return v;
  }

 private:
  std::array<long double, size_t(High - Low + 1)> values_ = Filled();
  static std::array<long double, size_t(High - Low + 1)> Filled() {
    std::array<long double, size_t(High - Low + 1)> a;
    a.fill(std::numeric_limits<long double>::quiet_NaN());
    return a;
  }
};

constexpr int MaxB = 81;
TMemo<-MaxB, MaxB + 145> sin19, sin7;
TMemo<-100 * MaxB, 100 * MaxB> sin800;
TMemo<1, 100> exp150;

}  // namespace

void DrawCurveFrame(TCustomPlotwell& chart, int b) {
  chart.ClearGraph();
  const auto point = [](int t, double& u, double& v) {
    u = double(sin19.Get(t, [](int k) { return std::sin(static_cast<long double>(k) / 19); }));
    v = double(sin7.Get(t, [](int k) { return std::sin(static_cast<long double>(k) / 7); }));
  };
  double u, v;
  point(b, u, v);
  chart.MarkAt(u, v, 19);
  chart.MoveTo(u, v);
  for (int i = 1; i <= 145; ++i) {
    point(b + i, u, v);
    chart.DrawTo(u, v);
    chart.MarkAt(u, v, 19);
  }
  chart.ShowGraph();
}

void DrawPolylineFrame(TCustomPlotwell& chart, int b) {
  chart.ClearGraph();
  chart.MoveTo(int32_t{0}, int32_t{0});
  const auto segment = [&](int32_t j) {
    const long double grow = exp150.Get(j, [](int k) { return std::exp(static_cast<long double>(k) / 150); });
    const long double swing =
        sin800.Get(j * b, [](int k) { return std::sin(static_cast<long double>(k) / 800); });
    chart.DrawTo(double(swing * grow), j);
  };
  chart.SetDataColor(clBlack);
  for (int32_t j = 1; j <= 50; ++j) segment(j);
  chart.SetDataColor(clWhite);
  for (int32_t j = 51; j <= 100; ++j) segment(j);
  chart.ShowGraph();
}

}  // namespace korvo
