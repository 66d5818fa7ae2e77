// plotwell-render [--out FOLDER] [--frames N] [--format png|bmp|svg|pdf] [--scale R] FILE...:
// reads each form description, paints every chart in it headless and writes
// one picture per chart: FOLDER/<Name>.png for one file,
// FOLDER/<file stem>-<Name>.png for several. --scale R draws PNG and BMP pictures at R
// device pixels a chart pixel, as a screen of that pixel ratio shows the chart. With --frames N each chart then runs ShowGraph N times and a
// timing line is printed. Exit status 0 on success, 1 when a file fails (the others
// are still rendered), 2 for a bad command line.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/FormReader.h"
#include "platform/graphics/Text.h"
#include "tools/RenderCharts.h"

namespace {

constexpr const char* Usage =
    "usage: plotwell-render [--out FOLDER] [--frames N] [--format png|bmp|svg|pdf] [--scale R] FILE...\n"
    "  Renders every TPlotwell of each form description FILE to FOLDER/<Name>.png\n"
    "  (FOLDER/<file stem>-<Name>.png when several files are given; default folder:\n"
    "  out; --format bmp, svg or pdf writes those instead: SVG and PDF hold the\n"
    "  chart's figures and its text as text). --scale R (PNG and BMP; R from 0.1\n"
    "  to 16) draws the picture at R pixels a chart pixel, round(width x R) by\n"
    "  round(height x R), as a screen of that pixel ratio shows it: lines in whole\n"
    "  pixels, text at R x 96 pixels per inch. --frames N then runs ShowGraph N\n"
    "  times per chart and prints the median time.\n";

int BadUsage(const std::string& why) {
  std::fprintf(stderr, "plotwell-render: %s\n%s", why.c_str(), Usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  korvo::tools::TRenderOptions options;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(Usage, stdout);
      return 0;
    }
    if (arg == "--out" || arg == "--frames" || arg == "--format" || arg == "--scale") {
      if (i + 1 >= argc) return BadUsage(std::string(arg) + " needs a value");
      const std::string value = argv[++i];
      if (arg == "--out") {
        options.OutDir = value;
      } else if (arg == "--format") {
        if (value != "png" && value != "bmp" && value != "svg" && value != "pdf") {
          return BadUsage("--format takes png, bmp, svg or pdf, not '" + value + "'");
        }
        options.Format = value;
      } else if (arg == "--scale") {
        try {
          options.Scale = korvo::tools::ParseScale(value);
        } catch (const std::invalid_argument& e) {
          return BadUsage(e.what());
        }
      } else {
        char* end = nullptr;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || n < 0 || n > 10000000) {
          return BadUsage("--frames takes a whole number from 0 to 10000000, not '" + value + "'");
        }
        options.Frames = int(n);
      }
      continue;
    }
    if (arg.starts_with("--")) return BadUsage("unknown option " + std::string(arg));
    files.emplace_back(arg);
  }
  if (files.empty()) return BadUsage("no form description given");
  if (options.Scale != 1 && options.Format != "png" && options.Format != "bmp") {
    return BadUsage("--scale is for png and bmp pictures; " + options.Format +
                    " holds the chart's figures, which draw at any size");
  }

  try {
    korvo::text::EnsureFontsAvailable();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plotwell-render: %s\n", e.what());
    return 1;
  }
  int status = 0;
  std::set<std::string> stems;
  for (const std::string& file : files) {
    if (files.size() > 1) {
      const std::string stem = std::filesystem::path(file).stem().string();
      if (!stems.insert(stem).second) {
        std::fprintf(stderr, "plotwell-render: %s: another file of the same name was given; rename one\n",
                     file.c_str());
        status = 1;
        continue;
      }
      options.FilePrefix = stem + "-";
    }
    try {
      for (const auto& chart : korvo::tools::RenderChartsInFile(file, options)) {
        std::printf("%s (%d x %d)\n", chart.File.string().c_str(), chart.Width, chart.Height);
        if (!chart.PictureError.empty()) {
          std::fprintf(stderr, "plotwell-render: %s: %s: background picture not shown: %s\n", file.c_str(),
                       chart.Name.c_str(), chart.PictureError.c_str());
        }
        if (options.Frames > 0) {
          std::printf("  %s: %d x ShowGraph, median %.1f us (fastest %.1f, slowest %.1f)\n", chart.Name.c_str(),
                      options.Frames, chart.MedianMicros, chart.FastestMicros, chart.SlowestMicros);
        }
      }
    } catch (const korvo::EFormError& e) {
      std::fprintf(stderr, "plotwell-render: %s: %s\n", file.c_str(), e.what());
      status = 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "plotwell-render: %s\n", e.what());
      status = 1;
    }
  }
  return status;
}
