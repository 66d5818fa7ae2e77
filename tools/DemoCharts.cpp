#include "tools/DemoCharts.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/DemoFrames.h"
#include "chart/plotwell.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/Properties.h"

namespace korvo::gallery {
namespace {

std::unique_ptr<TPlotwell> ReadChart(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot open the file");
  std::ostringstream text;
  text << in.rdbuf();
  RegisterClass<TPlotwell>();
  std::unique_ptr<TComponent> root = CreateComponentFromText(text.str());
  auto* chart = dynamic_cast<TPlotwell*>(root.get());
  if (chart == nullptr) throw std::runtime_error(file.string() + ": the root is not a TPlotwell");
  root.release();
  std::unique_ptr<TPlotwell> owned(chart);
  owned->HandleNeeded();
  return owned;
}

void Snapshot(TPlotwell& chart, TBitmap& picture) {
  chart.Repaint();
  picture.SetSize(chart.Width(), chart.Height());
  picture.Canvas()->Draw(0, 0, *chart.Surface());
}

}  // namespace

std::unique_ptr<TPlotwell> DemoChart(const std::filesystem::path& examples, int which) {
  if (which == 1) {
    std::unique_ptr<TPlotwell> first = ReadChart(examples / "Plotwell1.txt");
    DrawCurveFrame(*first, 1);
    return first;
  }
  std::unique_ptr<TPlotwell> second = ReadChart(examples / "Plotwell2.txt");
  second->Scale1X()->SetRangeLow(-3.0);
  second->Scale1X()->SetRangeHigh(3.0);
  second->Scale1Y()->SetRangeLow(0.0);
  second->Scale1Y()->SetRangeHigh(110.0);
  DrawPolylineFrame(*second, 1);
  return second;
}

void DrawDemoCharts(const std::filesystem::path& examples, TBitmap& chart1, TBitmap& chart2) {
  Snapshot(*DemoChart(examples, 1), chart1);
  Snapshot(*DemoChart(examples, 2), chart2);
}

}  // namespace korvo::gallery
