// The dash patterns of 1-pixel pens: the raster canvas, the scaled raster
// device and the cairo device (pixels at a ratio, SVG files) all draw the
// runs DashPatterns.h declares, each from the first pixel of the first dash.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/raster/DashPatterns.h"
#include "platform/graphics/vector/PictureOutput.h"
#include "platform/graphics/vector/ScaledRasterDevice.h"

namespace korvo {
namespace {

constexpr TPenStyle kStyles[] = {TPenStyle::psSolid, TPenStyle::psDash,  TPenStyle::psDot,        TPenStyle::psDashDot,
                                 TPenStyle::psDashDotDot, TPenStyle::psClear, TPenStyle::psInsideFrame};

// Two whole periods of the longest pattern and a few pixels more.
constexpr int kLength = 53;
// The rows start this far left of the picture: what is clipped away still
// counts in the pattern.
constexpr int kLead = 37;

// Pixels kLead.. of a stroke ('#' pen, '.' gap), as the runs say.
std::string Expected(TPenStyle style) {
  if (style == TPenStyle::psClear) return std::string(kLength, '.');
  const std::span<const int> runs = raster::DashRunsOf(style);
  if (runs.empty()) return std::string(kLength, '#');
  std::string period;
  for (size_t i = 0; i < runs.size(); ++i) period.append(size_t(runs[i]), i % 2 == 0 ? '#' : '.');
  std::string out;
  while (out.size() < size_t(kLead + kLength)) out += period;
  return out.substr(kLead, kLength);
}

// One LineTo along the top row from x = -kLead, black on white, the gaps
// left alone.
void DrawRow(TCanvas& c, TPenStyle style) {
  c.Pen()->SetColor(clBlack);
  c.Pen()->SetWidth(1);
  c.Pen()->SetStyle(style);
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  c.MoveTo(-kLead, 0);
  c.LineTo(kLength, 0);
}

void Clear(TBitmap& b) {
  b.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(TRect{0, 0, b.Width(), b.Height()});
}

TEST(DashPatterns, TheRasterCanvasPaintsTheRuns) {
  TBitmap b(kLength + 4, 1);
  for (TPenStyle style : kStyles) {
    SCOPED_TRACE(int(style));
    Clear(b);
    DrawRow(*b.Canvas(), style);
    std::string row;
    for (int x = 0; x < kLength; ++x) row += b.Canvas()->Pixel(x, 0) == clBlack ? '#' : '.';
    EXPECT_EQ(row, Expected(style));
    EXPECT_EQ(b.Canvas()->Pixel(kLength, 0), clWhite);  // the end point left out
  }
}

// At a device pixel ratio of 2, drawn by the scaled raster device and by
// cairo alone.
TEST(DashPatterns, AtARatioEachCanvasPixelOfTheRunsIsDrawnWhole) {
  TBitmap b(2 * (kLength + 4), 2);
  for (const bool scaledDevice : {true, false}) {
    for (TPenStyle style : kStyles) {
      SCOPED_TRACE(std::string(scaledDevice ? "scaled raster device, " : "cairo, ") + std::to_string(int(style)));
      Clear(b);
      RenderScaledPicture(b.Canvas()->Surface(), TPoint{0, 0}, 2.0, kLength + 4, 1, [&](TCanvas& figures) {
        if (!scaledDevice) return DrawRow(figures, style);
        TScaledRasterDevice device(b.Canvas()->Surface(), 2.0, figures.FigureDevice());
        TCanvas canvas;
        canvas.SetFigureDevice(&device, kLength + 4, 1);
        DrawRow(canvas, style);
      });
      std::string row;
      for (int x = 0; x < kLength; ++x) {
        const TColor pixel = b.Canvas()->Pixel(2 * x, 0);
        for (int dx = 0; dx < 2; ++dx) {
          for (int dy = 0; dy < 2; ++dy) ASSERT_EQ(b.Canvas()->Pixel(2 * x + dx, dy), pixel) << x;
        }
        row += pixel == clBlack ? '#' : '.';
      }
      EXPECT_EQ(row, Expected(style));
    }
  }
}

TEST(DashPatterns, VectorFilesDashByTheRunsInCanvasPixels) {
  for (TPenStyle style : {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot,
                          TPenStyle::psDashDotDot, TPenStyle::psInsideFrame}) {
    SCOPED_TRACE(int(style));
    const std::vector<uint8_t> bytes =
        RenderVectorPicture(TPictureKind::Svg, kLength + 4, 4, [&](TCanvas& c) { DrawRow(c, style); });
    const std::string svg(bytes.begin(), bytes.end());
    const std::span<const int> runs = raster::DashRunsOf(style);
    if (runs.empty()) {
      EXPECT_EQ(svg.find("stroke-dasharray"), std::string::npos);
      continue;
    }
    std::string dasharray = "stroke-dasharray:";
    for (size_t i = 0; i < runs.size(); ++i) {
      if (i != 0) dasharray += ',';
      dasharray += std::to_string(runs[i]);
    }
    EXPECT_NE(svg.find(dasharray + ";"), std::string::npos) << svg;
  }
}

}  // namespace
}  // namespace korvo
