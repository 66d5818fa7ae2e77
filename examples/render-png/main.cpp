// plotwell-render-png: a chart drawn without any window system and saved as
// a picture. The smallest program built against an installed Plotwell
// (tools/consumer.sh builds it once with CMake and once with pkg-config).
//
// Usage: plotwell-render-png FILE.png   (or FILE.bmp)
#include <cmath>
#include <numbers>
#include <cstdio>
#include <exception>
#include <memory>

#include <plotwell/chart/plotwell.h>
#include <plotwell/platform/graphics/Text.h>
#include <plotwell/version.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: plotwell-render-png FILE.png\n  (Plotwell %s)\n", PLOTWELL_VERSION_STRING);
    return 2;
  }
  try {
    korvo::text::EnsureFontsAvailable();  // a clear message on a machine without fonts

    // A chart needs no window: the headless window system is the default.
    auto chart = std::make_unique<korvo::TPlotwell>(nullptr);
    chart->SetBounds(0, 0, 480, 320);
    chart->SetCaption("Plotwell " PLOTWELL_VERSION_STRING);
    chart->SetChartColor(korvo::clWhite);
    chart->SetGridStyle(korvo::GridStyleType::gsDotLines);
    chart->Scale1X()->SetRangeLow(0.0);
    chart->Scale1X()->SetRangeHigh(2 * std::numbers::pi);
    chart->Scale1Y()->SetRangeLow(-1.2);
    chart->Scale1Y()->SetRangeHigh(1.2);

    chart->SetDataColor(korvo::clNavy);
    for (int i = 0; i <= 200; ++i) {
      const double x = 2 * std::numbers::pi * i / 200;
      if (i == 0) {
        chart->MoveTo(x, std::sin(x));
      } else {
        chart->DrawTo(x, std::sin(x));
      }
    }
    chart->SaveToFile(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plotwell-render-png: %s\n", e.what());
    return 1;
  }
  std::printf("plotwell-render-png: wrote %s\n", argv[1]);
  return 0;
}
