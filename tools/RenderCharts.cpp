#include "tools/RenderCharts.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "chart/plotwell.h"
#include "platform/Exceptions.h"
#include "platform/framework/FormReader.h"
#include "platform/framework/Properties.h"
#include "platform/framework/StdCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "scale/Scale.h"

namespace korvo::tools {
namespace {

void RegisterReadableClasses() { RegisterClasses<TPlotwell, TScale, TForm, TPanel, TBevel, TButton>(); }

// The charts of the tree below `root` (the root included), in creation order.
void CollectCharts(TComponent* root, std::vector<TPlotwell*>& charts) {
  if (auto* chart = dynamic_cast<TPlotwell*>(root)) charts.push_back(chart);
  for (int i = 0; i < root->ComponentCount(); ++i) CollectCharts(root->Components(i), charts);
}

std::string FormatScale(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

void CheckOptions(const TRenderOptions& options) {
  if (!(options.Scale > 0) || !std::isfinite(options.Scale)) {
    throw std::invalid_argument("the scale must be a positive number, not " + FormatScale(options.Scale));
  }
  if (options.Scale != 1 && options.Format != "png" && options.Format != "bmp") {
    throw std::invalid_argument("a scale other than 1 is for PNG and BMP pictures; " + options.Format +
                                " holds figures, which draw at any size");
  }
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
  if (options.Scale == 1) {
    chart.SaveToFile(out.File.string());
    return out;
  }
  // The chart at the ratio, as a screen of that ratio shows it.
  const double w = std::nearbyint(chart.Width() * options.Scale), h = std::nearbyint(chart.Height() * options.Scale);
  if (!(w >= 1 && h >= 1 && w <= 32767 && h <= 32767)) {
    throw EInvalidGraphic("Cannot save '" + out.File.string() + "': " + std::to_string(chart.Width()) + " x " +
                          std::to_string(chart.Height()) + " pixels at a scale of " + FormatScale(options.Scale) +
                          " make a picture of " + FormatScale(w) + " x " + FormatScale(h) +
                          " (each side must be 1 to 32767)");
  }
  TBitmap picture{int32_t(w), int32_t(h)};
  picture.SetPixelFormat(TPixelFormat::pf32bit);
  const TRect whole{0, 0, chart.Width(), chart.Height()};
  if (!chart.PaintScaled(picture.Canvas()->Surface(), options.Scale, whole)) {
    throw std::runtime_error(out.Name + ": the chart cannot be drawn at a scale now");
  }
  picture.SavePictureToFile(out.File.string());
  out.Width = picture.Width();
  out.Height = picture.Height();
  return out;
}

}  // namespace

double ParseScale(const std::string& text) {
  // A plain number: no hexadecimal, infinity or NaN, no spaces.
  const bool plain = !text.empty() && text.find_first_not_of("0123456789.eE+-") == std::string::npos;
  char* end = nullptr;
  const double r = plain ? std::strtod(text.c_str(), &end) : 0;
  if (!plain || *end != '\0' || !(r >= 0.1 && r <= 16)) {
    throw std::invalid_argument("--scale takes a number from 0.1 to 16 (device pixels a chart pixel), not '" + text +
                                "'");
  }
  return r;
}

std::vector<TRenderedChart> RenderChartsInText(const std::string& text, const std::string& source,
                                               const TRenderOptions& options) {
  CheckOptions(options);
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
