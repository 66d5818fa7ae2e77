// Renders the charts of a form description to picture files, headless: what the
// plotwell-render program does, kept apart from its argument handling.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvo::tools {

struct TRenderOptions {
  std::filesystem::path OutDir = "out";
  // ShowGraph runs this many times per chart after the first paint, each one
  // timed; 0 runs none.
  int Frames = 0;
  // Put before each picture's file name ("demo-" gives demo-Plotwell1.png).
  std::string FilePrefix;
  // The pictures' type and extension: "png", "bmp", "svg" or "pdf"
  // (TPlotwell::SaveToFile).
  std::string Format = "png";
  // Device pixels a chart pixel, for PNG and BMP: a picture of
  // round(Width x Scale) x round(Height x Scale) pixels, drawn as the
  // screen of that pixel ratio shows the chart (lines in whole pixels, text
  // rasterised at Scale x 96 pixels per inch). 1 writes the screen's own
  // picture.
  double Scale = 1;
};

// The value of --scale: a plain decimal number from 0.1 to 16. Anything
// else raises std::invalid_argument saying what is wanted and what came.
double ParseScale(const std::string& text);

struct TRenderedChart {
  std::string Name;           // the chart's component name
  std::filesystem::path File;  // OutDir / (FilePrefix + Name + "." + Format)
  int Width = 0;  // the picture's pixels (the chart's size times Scale)
  int Height = 0;
  // With Frames > 0: the median, fastest and slowest ShowGraph, microseconds.
  double MedianMicros = 0;
  double FastestMicros = 0;
  double SlowestMicros = 0;
  // Why the chart's background picture is not shown (the chart keeps its
  // plain background silently); empty when it showed or none is named.
  std::string PictureError;
};

// Reads the form description in `file` (its root a TPlotwell, a TScale, or
// a TForm or TPanel holding charts), paints every TPlotwell in it as it
// shows on the screen and writes each picture to
// OutDir/<FilePrefix><Name>.<Format> (the folder is created). A Scale other
// than 1 with SVG or PDF, or one that is not a positive number, raises
// std::invalid_argument; a picture side above 32767 pixels raises
// EInvalidGraphic naming the file. A file that cannot be read raises
// std::runtime_error naming it; a bad description raises EFormError (naming
// the line; two components of one name are such a fault); a description
// without charts raises std::runtime_error.
std::vector<TRenderedChart> RenderChartsInFile(const std::filesystem::path& file, const TRenderOptions& options);

// The same for a description held in memory; `source` names it in errors.
std::vector<TRenderedChart> RenderChartsInText(const std::string& text, const std::string& source,
                                               const TRenderOptions& options);

}  // namespace korvo::tools
