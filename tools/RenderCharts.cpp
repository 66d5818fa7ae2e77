#include "tools/RenderCharts.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "chart/plotwell.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/Properties.h"
#include "platform/framework/StdCtrls.h"
#include "scale/Scale.h"

namespace korvo::tools {
namespace {

void RegisterReadableClasses() { RegisterClasses<TPlotwell, TScale, TForm, TPanel, TBevel, TButton>(); }

// The charts of the tree below `root` (the root included), in creation order.
void CollectCharts(TComponent* root, std::vector<TPlotwell*>& charts) {
  if (auto* chart = dynamic_cast<TPlotwell*>(root)) charts.push_back(chart);
  for (int i = 0; i < root->ComponentCount(); ++i) CollectCharts(root->Components(i), charts);
}

double Micros(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

TRenderedChart Render(TPlotwell& chart, const TRenderOptions& options) {
  // A window makes the chart paint (it stays suspended until it has one).
  chart.HandleNeeded();
  chart.Repaint();
  TRenderedChart out;
  out.PictureError = chart.BackGroundImg()->LoadError();
  out.Name = chart.Name();
  out.Width = chart.Width();
  out.Height = chart.Height();
  if (options.Frames > 0) {
    std::vector<double> times;
    times.reserve(size_t(options.Frames));
    for (int i = 0; i < options.Frames; ++i) {
      const auto start = std::chrono::steady_clock::now();
      chart.ShowGraph();
      times.push_back(Micros(std::chrono::steady_clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    out.MedianMicros = times[times.size() / 2];
    out.FastestMicros = times.front();
    out.SlowestMicros = times.back();
  }
  out.File = options.OutDir / (options.FilePrefix + out.Name + "." + options.Format);
  chart.SaveToFile(out.File.string());
  return out;
}

}  // namespace

std::vector<TRenderedChart> RenderChartsInText(const std::string& text, const std::string& source,
                                               const TRenderOptions& options) {
  RegisterReadableClasses();
  std::unique_ptr<TComponent> root = CreateComponentFromText(text);
  if (auto* form = dynamic_cast<TForm*>(root.get())) form->Show();
  std::vector<TPlotwell*> charts;
  CollectCharts(root.get(), charts);
  if (charts.empty()) throw std::runtime_error(source + ": the description holds no TPlotwell");
  std::filesystem::create_directories(options.OutDir);
  std::vector<TRenderedChart> rendered;
  for (TPlotwell* c : charts) rendered.push_back(Render(*c, options));
  return rendered;
}

std::vector<TRenderedChart> RenderChartsInFile(const std::filesystem::path& file, const TRenderOptions& options) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot open the file");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw std::runtime_error(file.string() + ": cannot read the file");
  return RenderChartsInText(text.str(), file.string(), options);
}

}  // namespace korvo::tools
