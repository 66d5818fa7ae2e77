// A figure device that draws a chart's plain figures straight into pixels
// at a device pixel ratio, and hands every other figure to another device
// (the cairo device of RenderScaledPicture) drawing on the same pixels.
//
// cairo pays a few microseconds for every figure it strokes or fills,
// whatever its size; a chart's plot area is hundreds of small figures
// (segments, line-drawn marks, dotted grid lines), which at a ratio of 2
// took a millisecond. Drawn here, as spans of whole device pixels, the
// same figures take a fraction of that.
//
// Drawn here (everything in copy mode):
//   - Fill: the device pixels of the canvas pixels, exactly.
//   - Rectangle with a 1-pixel solid pen or no pen, with a solid or clear
//     brush: the border pixels' device pixels in the pen colour, the inside
//     in the brush colour (psClear: the fill covers X1..X2-2, Y1..Y2-2).
//   - Line and Polyline with a 1-pixel solid pen: from the start pixel's
//     leading edge to the end pixel's leading edge (the end pixel left out,
//     as LineTo leaves it), ratio device pixels thick across the minor axis,
//     as the raster line is one pixel thick across it. At a whole ratio a
//     short slanted segment paints the same device pixels wherever it lies
//     (ShortSegment).
//   - Line with a 1-pixel dashed pen along a row or column: the raster
//     pattern, pixel for pixel, started afresh at the line's start; the
//     gaps in the brush colour when the brush is solid.
// Canvas pixel boundary v maps to device boundary ceil(v x ratio - 0.5):
// a device pixel belongs to the canvas pixel that holds its centre, as
// cairo's figures without anti-aliasing fill them. Clipped to the canvas's
// clip rectangle mapped the same way, and to the target.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Export.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FigureDevice.h"

namespace korvo {

class TCairoDevice;

class TScaledRasterDevice final : public TFigureDevice {
 public:
  // Draws onto `target` at `ratio` device pixels a canvas pixel, the
  // canvas's (0, 0) at the target's (0, 0); what it does not draw goes to
  // `others` (not owned), which must draw on the same pixels at the same
  // ratio. When that is a cairo device, its held-back path is drawn before
  // each figure of ours, so the figures keep their order.
  PLOTWELL_INTERNAL_API TScaledRasterDevice(const TPixelSurface& target, double ratio, TFigureDevice* others);
  // Out of line, where the (unexported) table of virtual functions is.
  PLOTWELL_INTERNAL_API ~TScaledRasterDevice() override;

  void Line(const TCanvas& canvas, TPoint from, TPoint to) override;
  void Polyline(const TCanvas& canvas, std::span<const TPoint> points) override;
  void Polygon(const TCanvas& canvas, std::span<const TPoint> points) override;
  void Rectangle(const TCanvas& canvas, const TRect& box) override;
  void Ellipse(const TCanvas& canvas, const TRect& box) override;
  void Arc(const TCanvas& canvas, const TRect& box, TPoint start, TPoint end) override;
  void Fill(const TCanvas& canvas, const TRect& pixels, TColor color) override;
  void Text(const TCanvas& canvas, TPoint at, std::string_view text, int32_t width) override;
  void Picture(const TCanvas& canvas, const TRect& box, const TBitmap& picture) override;
  void Tiles(const TCanvas& canvas, const TRect& area, TPoint origin, const TBitmap& picture) override;

  // Device pixels, half-open.
  struct TSpan {
    int32_t Left, Top, Right, Bottom;
  };

 private:
  // Slanted segments of at most this many canvas pixels each way are
  // shapes made once (ShortSegment).
  static constexpr int32_t ShortReach = 15;
  struct TShortRow {
    int16_t Row, Left, Right;  // device pixels from the start pixel's corner
  };
  struct TShortShape {
    uint32_t First = 0, Count = 0;  // in short_rows_
    bool Made = false;
  };
  int32_t Edge(int64_t v) const;
  TSpan DeviceClip(const TCanvas& canvas);
  void FillDevice(TSpan r, const TSpan& clip, TPixel pixel);
  void FillPixels(const TRect& pixels, const TSpan& clip, TPixel pixel);
  void Segment(TPoint from, TPoint to, const TSpan& clip, TPixel pixel);
  void ShortSegment(TPoint from, int32_t dx, int32_t dy, const TSpan& clip, TPixel pixel);
  void DashedLine(const TCanvas& canvas, TPoint from, TPoint to, const TSpan& clip);
  void FlushOthers();

  TPixelSurface target_;
  double ratio_;
  // The ratio when it is whole (1 to 8), else 0.
  int32_t whole_;
  TFigureDevice* others_;
  TCairoDevice* cairo_;
  // The last clip rectangle mapped, and where it maps.
  TRect clip_of_{0, 0, -1, -1};
  TSpan clip_{0, 0, 0, 0};
  std::vector<TShortRow> short_rows_;
  std::array<TShortShape, (2 * ShortReach + 1) * (2 * ShortReach + 1)> short_shapes_{};
};

}  // namespace korvo
