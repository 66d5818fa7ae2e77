// The demo's two charts as their form descriptions set them up, showing the
// first frame of the animation: the pictures of the README.
#pragma once

#include <filesystem>
#include <memory>

namespace korvo {
class TBitmap;
class TPlotwell;
}

namespace korvo::gallery {

// Reads examples/charts/Plotwell1.txt and Plotwell2.txt from `examples`
// (the examples/charts folder), fills each chart with frame 1 of the demo
// (the second chart's ranges set as the demo's Start button sets them),
// paints them headless and copies the pictures into the bitmaps.
// Demo chart 1 or 2 read and filled as above, with its window, not painted.
std::unique_ptr<TPlotwell> DemoChart(const std::filesystem::path& examples, int which);

void DrawDemoCharts(const std::filesystem::path& examples, TBitmap& chart1, TBitmap& chart2);

}  // namespace korvo::gallery
