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

// The raster canvas at a ratio of 1, and at a ratio of 2 the scaled raster
// device and cairo alone, each canvas pixel drawn as a whole 2 x 2 block:
// the row of canvas pixels each one paints.
TEST(DashPatterns, EveryCanvasPaintsTheRuns) {
  for (const char* drawer : {"raster canvas", "scaled raster device", "cairo"}) {
    const int r = drawer[0] == 'r' ? 1 : 2;
    TBitmap b(r * (kLength + 4), r);
    for (TPenStyle style : kStyles) {
      SCOPED_TRACE(std::string(drawer) + ", style " + std::to_string(int(style)));
      b.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);  // DrawRow leaves it clear
      b.Canvas()->Brush()->SetColor(clWhite);
      b.Canvas()->FillRect(TRect{0, 0, b.Width(), b.Height()});
      if (r == 1) {
        DrawRow(*b.Canvas(), style);
        EXPECT_EQ(b.Canvas()->Pixel(kLength, 0), clWhite);  // the end point left out
      } else {
        RenderScaledPicture(b.Canvas()->Surface(), TPoint{0, 0}, 2.0, kLength + 4, 1, [&](TCanvas& figures) {
          if (drawer[0] == 'c') return DrawRow(figures, style);
          TScaledRasterDevice device(b.Canvas()->Surface(), 2.0, figures.FigureDevice());
          TCanvas canvas;
          canvas.SetFigureDevice(&device, kLength + 4, 1);
          DrawRow(canvas, style);
        });
      }
      std::string row;
      for (int x = 0; x < kLength; ++x) {
        const TColor pixel = b.Canvas()->Pixel(r * x, 0);
        for (int d = 1; d < r * r; ++d) ASSERT_EQ(b.Canvas()->Pixel(r * x + d % r, d / r), pixel) << x;
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
