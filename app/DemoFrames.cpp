#include "app/DemoFrames.h"

#include <cmath>
#include <cstdint>

#include "chart/CustomPlotwell.h"

namespace korvo {

void DrawCurveFrame(TCustomPlotwell& chart, int b) {
  chart.ClearGraph();
  const auto point = [](int t, double& u, double& v) {
    u = double(std::sin(static_cast<long double>(t) / 19));
    v = double(std::sin(static_cast<long double>(t) / 7));
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
    const long double grow = std::exp(static_cast<long double>(j) / 150);
    const long double swing = std::sin(static_cast<long double>(j * b) / 800);
    chart.DrawTo(double(swing * grow), j);
  };
  chart.SetDataColor(clBlack);
  for (int32_t j = 1; j <= 50; ++j) segment(j);
  chart.SetDataColor(clWhite);
  for (int32_t j = 51; j <= 100; ++j) segment(j);
  chart.ShowGraph();
}

}  // namespace korvo
